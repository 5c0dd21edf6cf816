#pragma once
// Parsing of INI text into lines, shared by the profile reader and writer (and fuzzed on
// its own). Works on bytes: any content, however malformed, splits into lines.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qorrin {

struct ProfileLine {
  enum Kind { kOther, kSection, kKeyValue };
  Kind kind = kOther;
  std::size_t begin = 0;     // offset of the line's first byte in the text
  std::size_t end = 0;       // offset just past its line end ("\n" or "\r\n" included)
  std::size_t valueAt = 0;   // key lines: offset just past the '='
  std::string_view name;     // section or key name, blanks trimmed
  std::string_view value;    // key lines: value, blanks trimmed, one pair of quotes removed
};

// Splits text into lines; a leading UTF-8 byte-order mark is part of no line.
std::vector<ProfileLine> SplitProfile(std::string_view text);

bool ProfileNamesEqual(std::string_view a, std::string_view b);

// Index of the key's line in the first section of that name, or nothing.
std::optional<std::size_t> FindProfileKey(const std::vector<ProfileLine>& lines,
                                          std::string_view section, std::string_view key);

// Text of a whole file, or nothing when it cannot be read; then `error`, when given, says
// why ("No such file or directory").
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error = nullptr);

}  // namespace qorrin
