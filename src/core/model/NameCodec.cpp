#include "core/model/NameCodec.h"

namespace qorrin {

namespace {

constexpr std::uint8_t kCodeMinus = 10;
constexpr std::uint8_t kCodeSpace = 11;
constexpr std::uint8_t kCodeFirstLetter = 12;
constexpr std::uint8_t kCodeLastLetter = 37;
constexpr std::uint8_t kNameEnd = 0xFF;

// Code of one typed character, or kNameEnd for a character a name cannot hold.
std::uint8_t CodeOf(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c == '-') return kCodeMinus;
  if (c == ' ') return kCodeSpace;
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint8_t>(c - 'A' + kCodeFirstLetter);
  return kNameEnd;
}

}  // namespace

std::string DecodeNameCodes(std::span<const std::uint8_t, 4> codes) {
  std::string name;
  for (std::uint8_t code : codes) {
    if (code > kCodeLastLetter) break;
    if (code <= 9) {
      name += static_cast<char>('0' + code);
    } else if (code == kCodeMinus) {
      name += '-';
    } else if (code == kCodeSpace) {
      name += ' ';
    } else {
      name += static_cast<char>(code + 0x35);  // 12 -> 'A'
    }
  }
  return name;
}

NameCodes EncodeNameCodes(std::string_view text) {
  NameCodes codes{kNameEnd, kNameEnd, kNameEnd, kNameEnd};
  for (std::size_t i = 0; i < codes.size() && i < text.size(); ++i) {
    const std::uint8_t code = CodeOf(text[i]);
    if (code == kNameEnd) break;
    codes[i] = code;
  }
  return codes;
}

}  // namespace qorrin
