#pragma once
// Reading and writing the cells of a channel list: numbers with a decimal point (or a
// decimal comma where the separator is not a comma), units that users add, letter case.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/TextCase.h"

namespace qorrin {

std::string_view TrimSpacesAndTabs(std::string_view text);  // spaces and tabs at both ends

// A decimal number scaled by 10^decimals: "146.52" with 6 gives 146520000. Accepts
// digits with at most one decimal point ('.', or ',' when decimalComma is set), either
// side of it may be empty but not both; digits beyond `decimals` must be zeros. Nothing
// for anything else, for a sign, and for more than nine digits before the point.
std::optional<std::int64_t> ParseScaledDecimal(std::string_view text, int decimals, bool decimalComma);

// The text without a trailing unit (compared without regard to case), and the blanks
// before it: ("146.52 MHz", "MHz") gives "146.52".
std::string_view WithoutUnit(std::string_view text, std::string_view unit);

// A frequency cell in Hz: MHz with 0 to 6 decimals, with or without " MHz".
std::optional<std::int64_t> ParseListFrequency(std::string_view text, bool decimalComma);
// Hz as MHz with exactly six decimals: 146.520000, 52.525000.
std::string FormatListFrequency(std::int64_t hz);

// A whole number of digits only (leading zeros allowed, at most nine digits).
std::optional<int> ParseDigits(std::string_view text);

}  // namespace qorrin
