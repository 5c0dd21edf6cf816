#include "core/settings/FileStamp.h"

#include <windows.h>

#include "core/platform/WideText.h"

namespace qorrin {
namespace {

// FILETIME counts 100 ns from 1601; the stamps count nanoseconds from 1970.
std::int64_t Nanos(const FILETIME& time) {
  constexpr std::int64_t kFrom1601To1970 = 116444736000000000LL;
  const std::int64_t ticks =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  return (ticks - kFrom1601To1970) * 100;
}

}  // namespace

FileKind StampFile(const std::string& path, FileStamp* stamp) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(platform::WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data)) {
    return FileKind::Missing;
  }
  *stamp = {0, 0,
            static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow),
            Nanos(data.ftLastWriteTime), Nanos(data.ftCreationTime)};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Folder;
  return (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) ? FileKind::Other : FileKind::Regular;
}

}  // namespace qorrin
