#pragma once
// Replacing a file's contents so that a crash or a full disk never leaves it half written:
// the new bytes go to a temporary file in the same folder, are flushed to disk and then
// renamed over the target. A symbolic link is followed, so the file it names is replaced.
#include <string>
#include <string_view>

namespace qorrin {

// Returns false (and an explanation in *error when given) when the file could not be
// written; the old contents are then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace qorrin
