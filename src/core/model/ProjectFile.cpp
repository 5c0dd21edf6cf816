#include "core/model/ProjectFile.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/SystemCalls.h"

namespace qorrin {

namespace {

FileReadResult Failure(const std::string& path, int error) {
  FileReadResult result;
  result.strError =
      "cannot open " + path + ": " + std::error_code(error, std::generic_category()).message();
  return result;
}

}  // namespace

bool HasProjectHeaderId(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kProjectIdLength &&
         std::equal(bytes.begin(), bytes.begin() + kProjectIdLength, kProjectHeaderText.begin());
}

FileReadResult ReadFileHead(const std::string& path, std::size_t maxBytes) {
  // Non-blocking, so that a FIFO or a device named by mistake cannot hang the open; only
  // a regular file is read.
  const int fd = platform::OpenForReading(path, true);
  if (fd < 0) return Failure(path, errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int error = errno;
    const bool isDir = S_ISDIR(st.st_mode);
    ::close(fd);
    if (isDir) return Failure(path, EISDIR);
    FileReadResult result = Failure(path, error);
    if (st.st_mode != 0) result.strError = "cannot open " + path + ": not a regular file";
    return result;
  }
  FileReadResult result;
  result.bytes.resize(maxBytes);
  std::size_t done = 0;
  while (done < maxBytes) {
    const ssize_t n = ::read(fd, result.bytes.data() + done, maxBytes - done);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return Failure(path, error);
    }
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  result.bytes.resize(done);
  result.bOk = true;
  return result;
}

ProjectFileRead ReadProjectFile(const std::string& path) {
  ProjectFileRead result;
  FileReadResult file = ReadFileHead(path, kProjectFileSize);
  if (!file.bOk) {
    struct stat st {};
    result.bFileMissing = ::stat(path.c_str(), &st) != 0 && errno == ENOENT;
    result.strError = std::move(file.strError);
    return result;
  }
  result.status = HasProjectHeaderId(file.bytes) ? LoadStatus::Ok : LoadStatus::HeaderMismatch;
  result.bytes = std::move(file.bytes);
  return result;
}

std::string ProjectHeaderText(std::span<const std::uint8_t> header) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t b : header) {
    if (b == 0) break;
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      text += static_cast<char>(b);
    } else {
      text += "\\x";
      text += kDigits[b >> 4];
      text += kDigits[b & 0x0F];
    }
  }
  return text;
}

}  // namespace qorrin
