#include "core/interchange/ListFileText.h"

#include <cstdint>

namespace qorrin {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// UTF-16 after its byte-order mark; a lone surrogate or an odd last byte becomes U+FFFD.
std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian) {
  auto unit = [&](std::size_t at) -> char32_t {
    const auto first = static_cast<std::uint8_t>(bytes[at]);
    const auto second = static_cast<std::uint8_t>(bytes[at + 1]);
    return bigEndian ? (char32_t{first} << 8) | second : (char32_t{second} << 8) | first;
  };
  std::string out;
  out.reserve(bytes.size());
  std::size_t at = 0;
  while (at + 1 < bytes.size()) {
    const char32_t c = unit(at);
    at += 2;
    if (c >= 0xD800 && c < 0xDC00 && at + 1 < bytes.size()) {
      const char32_t low = unit(at);
      if (low >= 0xDC00 && low < 0xE000) {
        at += 2;
        AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        continue;
      }
    }
    AppendUtf8(out, c >= 0xD800 && c < 0xE000 ? kReplacement : c);
  }
  if (at < bytes.size()) AppendUtf8(out, kReplacement);
  return out;
}

// Control characters that no text file holds: every C0 code but tab, line feed, vertical
// tab, form feed, carriage return, the old end-of-file mark (^Z) and escape, and DEL.
bool IsBinaryControl(unsigned char c) {
  if (c == 0x7F) return true;
  if (c >= 0x20) return false;
  return c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != 0x1A && c != 0x1B;
}

// A NUL anywhere, or one byte in twenty a control character.
bool LooksBinary(std::string_view text) {
  std::size_t controls = 0;
  for (char c : text) {
    if (c == '\0') return true;
    if (IsBinaryControl(static_cast<unsigned char>(c))) ++controls;
  }
  return controls * 20 > text.size();
}

}  // namespace

std::optional<std::string> ListFileText(std::string_view bytes) {
  std::string text;
  if (bytes.starts_with("\xFF\xFE")) {
    text = Utf8FromUtf16(bytes.substr(2), false);
  } else if (bytes.starts_with("\xFE\xFF")) {
    text = Utf8FromUtf16(bytes.substr(2), true);
  } else {
    text = std::string(bytes);
  }
  if (LooksBinary(text)) return std::nullopt;
  return text;
}

}  // namespace qorrin
