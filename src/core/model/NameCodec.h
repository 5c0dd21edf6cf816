#pragma once
// Channel names: at most four characters, one code byte each. 0-9 digits, 10 "-",
// 11 space, 12-37 "A"-"Z"; any code above 37 ends the name.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qorrin {

using NameCodes = std::array<std::uint8_t, 4>;

// Reads the codes in order up to the first one above 37. FF FF FF FF is the empty name.
std::string DecodeNameCodes(std::span<const std::uint8_t, 4> codes);

// Takes at most four characters; lower-case letters give their capitals; the first
// character of any other kind (or the end of the text) ends the name and the remaining
// bytes are FF.
NameCodes EncodeNameCodes(std::string_view text);

}  // namespace qorrin
