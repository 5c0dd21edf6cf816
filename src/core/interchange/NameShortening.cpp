#include "core/interchange/NameShortening.h"

#include <algorithm>
#include <cstddef>

#include "core/settings/TextCase.h"

namespace qorrin {

namespace {

constexpr std::size_t kNameLength = 4;
constexpr std::size_t kMaxKeptDigits = 3;

}  // namespace

std::string ShortenChannelName(std::string_view name) {
  std::string shown;
  for (char c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (IsAsciiDigit(c) || (c >= 'A' && c <= 'Z') || c == ' ' || c == '-') shown.push_back(c);
  }
  if (shown.size() <= kNameLength) return shown;
  std::erase_if(shown, [](char c) { return c == ' ' || c == '-'; });
  if (shown.size() <= kNameLength) return shown;

  // The last run of digits, of which at most the last three are kept.
  std::size_t end = shown.size();
  while (end > 0 && !IsAsciiDigit(shown[end - 1])) --end;
  if (end == 0) return shown.substr(0, kNameLength);
  std::size_t start = end;
  while (start > 0 && IsAsciiDigit(shown[start - 1])) --start;
  const std::size_t digits = std::min(end - start, kMaxKeptDigits);
  std::string kept = shown.substr(0, std::min(start, kNameLength - digits)) + shown.substr(end - digits, digits);
  // Room left when few characters stand before the digits goes to those after them.
  kept += shown.substr(end, kNameLength - kept.size());
  return kept;
}

}  // namespace qorrin
