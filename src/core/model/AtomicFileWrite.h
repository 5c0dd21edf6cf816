#pragma once
// Replacing a file so that a crash or a full disk never leaves a half-written target:
// the bytes go to a temporary file in the same folder, are flushed to the disk, and the
// temporary file is renamed over the target. On failure the old file is left as it was.
#include <cstdint>
#include <span>
#include <string>

namespace qorrin {

struct FileWriteResult {
  bool bOk = false;
  std::string strError;  // "cannot write PATH: reason" when bOk is false
};

FileWriteResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace qorrin
