#include "core/settings/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qorrin {

namespace fs = std::filesystem;

namespace {

std::string ErrnoText(int error) { return std::error_code(error, std::generic_category()).message(); }

bool Failure(std::string* error, const std::string& path, const std::string& reason) {
  if (error) *error = "cannot write " + path + ": " + reason;
  return false;
}

// Creates a fresh temporary file beside `target`, readable like any new file (0666 less
// the umask). Returns the descriptor or -1 with errno set.
int CreateTemporary(const fs::path& target, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = target;
    candidate.replace_filename("." + target.filename().string() + ".tmp" +
                               std::to_string(::getpid()) + "-" + std::to_string(counter++));
    tempPath = candidate.string();
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  if (path.empty()) return Failure(error, path, "no file name");
  fs::path target(path);
  std::error_code ec;
  // Replace the file a symbolic link points to, not the link.
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  if (target.filename().empty()) return Failure(error, path, "no file name");
  if (fs::is_directory(target, ec)) return Failure(error, path, ErrnoText(EISDIR));

  std::string tempPath;
  const int fd = CreateTemporary(target, tempPath);
  if (fd < 0) return Failure(error, path, ErrnoText(errno));

  // A replaced file keeps its permission bits.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);

  int failure = 0;
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) failure = errno;
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(tempPath.c_str());
    return Failure(error, path, ErrnoText(failure));
  }
  SyncFolder(target.parent_path());
  return true;
}

}  // namespace qorrin
