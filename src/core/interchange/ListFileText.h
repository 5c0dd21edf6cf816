#pragma once
// The text of a channel-list file, as the reader takes it (UTF-8). Files come as their
// users' programs saved them: UTF-8 with or without a byte-order mark, an 8-bit code page
// (kept as it stands: the columns that matter are ASCII), or UTF-16 with a byte-order
// mark, which Notepad calls "Unicode" and which is converted here. A file that is no
// text at all (a zip or gzip archive, a picture, random bytes) gives nothing, so that it
// is refused in one line instead of being reported row by row.
#include <optional>
#include <string>
#include <string_view>

namespace qorrin {

std::optional<std::string> ListFileText(std::string_view bytes);

}  // namespace qorrin
