#include "core/settings/AtomicFile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/SystemCalls.h"
#include "core/settings/TemporaryFileNames.h"

namespace qorrin {

namespace fs = std::filesystem;

namespace {

std::string ErrnoText(int error) { return std::error_code(error, std::generic_category()).message(); }

bool Failure(std::string* error, const std::string& path, const std::string& reason) {
  if (error) *error = "cannot write " + path + ": " + reason;
  return false;
}

const char* KindOfNonRegular(mode_t mode) {
  if (S_ISREG(mode)) return nullptr;
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO (named pipe)";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

fs::path FolderOf(const fs::path& target) {
  return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// A writer holds an exclusive lock on its file from creation to rename. A process in
// another PID namespace (a sandboxed program writing the same folder) may look dead by
// its PID; its lock still shows that it is alive.
bool LockedByWriter(int folderFd, const char* name) {
  const int fd = ::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;  // nothing to ask: the PID has decided
  const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return locked;
}

// Removes what killed writers of `target` left beside it.
void RemoveStaleTemporaries(const fs::path& target) {
  const int folderFd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0) return;
  DIR* folder = ::fdopendir(folderFd);
  if (folder == nullptr) {
    ::close(folderFd);
    return;
  }
  const std::string prefix = TemporaryPrefix(target);
  while (const dirent* entry = ::readdir(folder)) {
    const long long owner = TemporaryOwner(entry->d_name, prefix);
    if (owner <= 0 || owner == ::getpid() || platform::ProcessExists(owner)) continue;
    if (LockedByWriter(folderFd, entry->d_name)) continue;
    ::unlinkat(folderFd, entry->d_name, 0);
  }
  ::closedir(folder);
}

// Fills a new file and flushes it to disk; a replaced file's permission bits carry over.
// Returns 0 or the errno of the failure.
int FillFile(int fd, std::string_view bytes, const struct stat* replaced) {
  ::flock(fd, LOCK_EX);  // see LockedByWriter
  if (replaced != nullptr) ::fchmod(fd, replaced->st_mode & 07777);
  if (!platform::WriteAll(fd, bytes) || ::fsync(fd) != 0) return errno;
  return 0;
}

// Gives the unnamed file `fd` the name `path`: directly where the process may, otherwise
// through its /proc/self/fd entry. Returns 0 or an errno.
int NameUnnamedFile(int fd, const std::string& path) {
  if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) return 0;
  if (errno == EEXIST) return errno;
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  return errno;
}

// The way without leftovers: the file gets a name only once it is complete. A missing
// target gets that name directly; an existing one is replaced by a rename from a temporary
// name, which exists only for the moment between the two calls. False when the file
// system or the system offers no unnamed files, or no way to name one; *failure is then
// 0 and the caller writes a named temporary instead.
bool WriteThroughUnnamedFile(const fs::path& target, std::string_view bytes,
                             const struct stat* replaced, int* failure) {
  *failure = 0;
  const int fd = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  *failure = FillFile(fd, bytes, replaced);
  if (*failure != 0) {
    ::close(fd);
    return true;
  }
  int linked = replaced == nullptr ? NameUnnamedFile(fd, target.string()) : EEXIST;
  if (linked == EEXIST) {
    const std::string tempPath = TemporaryName(target).string();
    linked = NameUnnamedFile(fd, tempPath);
    if (linked == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) {
      *failure = errno;
      ::unlink(tempPath.c_str());
    }
  }
  ::close(fd);
  return linked == 0;
}

bool WriteThroughNamedFile(const fs::path& target, std::string_view bytes,
                           const struct stat* replaced, int* failure) {
  std::string tempPath;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tempPath = TemporaryName(target).string();
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    *failure = errno;
    return false;
  }
  *failure = FillFile(fd, bytes, replaced);
  if (*failure == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) *failure = errno;
  if (*failure != 0) ::unlink(tempPath.c_str());
  ::close(fd);  // after the rename: the lock guards the temporary name until it is gone
  return *failure == 0;
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string DescribeNonRegularFile(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return {};
  const char* kind = KindOfNonRegular(st.st_mode);
  return kind != nullptr ? kind : "";
}

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

  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  if (replacing) {
    // A rename would put a regular file in place of the node (as root even a device's).
    if (const char* kind = KindOfNonRegular(old.st_mode)) {
      return Failure(error, path, std::string("it is ") + kind + ", not a regular file; it is left as it is");
    }
  }
  RemoveStaleTemporaries(target);

  const struct stat* replaced = replacing ? &old : nullptr;
  int failure = 0;
  if (!WriteThroughUnnamedFile(target, bytes, replaced, &failure) && failure == 0) {
    WriteThroughNamedFile(target, bytes, replaced, &failure);
  }
  if (failure != 0) return Failure(error, path, ErrnoText(failure));
  SyncFolder(FolderOf(target));
  return true;
}

}  // namespace qorrin
