#include "core/settings/FileStamp.h"

#include <sys/stat.h>

namespace qorrin {
namespace {

std::int64_t Nanos(const timespec& t) { return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec; }

}  // namespace

FileKind StampFile(const std::string& path, FileStamp* stamp) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return FileKind::Missing;
  *stamp = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino), st.st_size,
            Nanos(st.st_mtim), Nanos(st.st_ctim)};
  if (S_ISDIR(st.st_mode)) return FileKind::Folder;
  return S_ISREG(st.st_mode) ? FileKind::Regular : FileKind::Other;
}

}  // namespace qorrin
