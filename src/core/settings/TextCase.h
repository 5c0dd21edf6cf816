#pragma once
// ASCII letter case, the one way the program compares names and texts without regard to
// case: INI section and key names, language-file paths, frequency texts (whose non-BCD
// nibbles decode to letters). Bytes outside A-Z are compared as they are.
#include <algorithm>
#include <string_view>

namespace qorrin {

constexpr char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool EqualNoCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

}  // namespace qorrin
