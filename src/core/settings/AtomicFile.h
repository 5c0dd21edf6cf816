#pragma once
// Replacing a file's contents so that a crash, a kill or a full disk never leaves it half
// written: the new bytes go to a new file in the same folder, are flushed to disk and then
// renamed over the target. Where the file system allows it the new file has no name until
// it is complete (O_TMPFILE), so a process killed while writing leaves nothing behind;
// otherwise it is ".NAME.tmpPID-N", and every write clears such leftovers of processes
// that no longer exist. A symbolic link is followed, so the file it names is replaced.
// Only regular files are ever replaced: a folder, FIFO, device or socket is refused.
#include <string>
#include <string_view>

namespace qorrin {

// Returns false (and an explanation in *error when given) when the file could not be
// written; the old contents are then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

// What `path` (symbolic links followed) is when it exists and is not a regular file,
// such as "a folder", "a FIFO (named pipe)" or "a character device"; "" otherwise.
std::string DescribeNonRegularFile(const std::string& path);

}  // namespace qorrin
