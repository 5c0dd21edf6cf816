#include "core/interchange/ListFieldText.h"

#include <algorithm>

#include "core/model/FrequencyCodec.h"

namespace qorrin {

namespace {

constexpr int kMaxWholeDigits = 9;
constexpr int kListFrequencyDecimals = 6;  // a list's frequencies are MHz to the hertz

}  // namespace

std::string_view TrimSpacesAndTabs(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<std::int64_t> ParseScaledDecimal(std::string_view text, int decimals, bool decimalComma) {
  std::size_t point = text.find('.');
  if (decimalComma && point == std::string_view::npos) point = text.find(',');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  if (whole.size() > kMaxWholeDigits) return std::nullopt;
  if (!std::ranges::all_of(whole, IsAsciiDigit) || !std::ranges::all_of(fraction, IsAsciiDigit)) return std::nullopt;
  std::int64_t value = 0;
  for (char c : whole) value = value * 10 + (c - '0');
  for (int i = 0; i < decimals; ++i) {
    const std::size_t at = static_cast<std::size_t>(i);
    value = value * 10 + (at < fraction.size() ? fraction[at] - '0' : 0);
  }
  // Digits past the precision must not carry anything.
  const std::size_t kept = static_cast<std::size_t>(decimals);
  if (fraction.size() > kept && !std::ranges::all_of(fraction.substr(kept), [](char c) { return c == '0'; })) {
    return std::nullopt;
  }
  return value;
}

std::string_view WithoutUnit(std::string_view text, std::string_view unit) {
  text = TrimSpacesAndTabs(text);
  if (text.size() >= unit.size() && EqualNoCase(text.substr(text.size() - unit.size()), unit)) {
    text = TrimSpacesAndTabs(text.substr(0, text.size() - unit.size()));
  }
  return text;
}

std::optional<std::int64_t> ParseListFrequency(std::string_view text, bool decimalComma) {
  return ParseScaledDecimal(WithoutUnit(text, "MHz"), kListFrequencyDecimals, decimalComma);
}

std::string FormatListFrequency(std::int64_t hz) {
  return FormatFixedPoint(hz, kListFrequencyDecimals, 1, kListFrequencyDecimals);
}

std::optional<int> ParseDigits(std::string_view text) {
  text = TrimSpacesAndTabs(text);
  if (text.empty() || text.size() > kMaxWholeDigits || !std::ranges::all_of(text, IsAsciiDigit)) return std::nullopt;
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

}  // namespace qorrin
