#include "core/transfer/AppendFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/platform/SystemCalls.h"

namespace qorrin {

AppendFile::~AppendFile() {
  if (m_fd >= 0) ::close(m_fd);
}

bool AppendFile::Open(const std::string& path, std::string* error) {
  m_path = path;
  m_fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (m_fd < 0) {
    if (error) *error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  struct stat info {};
  m_wasEmpty = ::fstat(m_fd, &info) != 0 || info.st_size == 0;
  return true;
}

bool AppendFile::Append(const std::string& bytes, std::string* error) {
  if (!platform::WriteAll(m_fd, bytes)) {
    if (error) *error = "cannot write " + m_path + ": " + std::strerror(errno);
    return false;
  }
  if (::fdatasync(m_fd) != 0) {
    if (error) *error = "cannot write " + m_path + " to the disk: " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace qorrin
