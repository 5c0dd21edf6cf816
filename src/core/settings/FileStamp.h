#pragma once
// What the file system says about a file, for the parsed-profile cache: equal stamps mean
// unchanged contents once the times have settled (see ProfileCache.cpp). Linux gives
// device, inode, size, modification and change time; Windows gives size, last-write and
// creation time (device and inode stay 0).
#include <cstdint>
#include <string>

namespace qorrin {

struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;  // nanoseconds since 1970 (UTC)
  std::int64_t changedNs = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

enum class FileKind { Missing, Folder, Regular, Other };

// The kind of what `path` names (links followed) and, when it exists, its stamp.
FileKind StampFile(const std::string& path, FileStamp* stamp);

}  // namespace qorrin
