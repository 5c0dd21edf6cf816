#pragma once
// ASCII letter case, the one way the program compares names and texts without regard to
// case: INI section and key names, language-file paths, frequency texts (whose non-BCD
// nibbles decode to letters), channel-list cells. Bytes outside A-Z are compared as they
// are. Also the ASCII digit test, which (unlike std::isdigit) no locale changes.
#include <algorithm>
#include <string_view>

namespace qorrin {

constexpr char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool EqualNoCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

}  // namespace qorrin
