#include "core/model/FrequencyCodec.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

#include "core/model/FrequencyUnits.h"
#include "core/settings/TextCase.h"

namespace qorrin {

namespace {

// Largest value eight BCD digits can hold (999.99999 MHz).
constexpr std::int64_t kFieldValueMax = 99999999;

int SaturateToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Leading decimal integer in the manner of atoi, but saturating instead of overflowing.
int ReadLeadingInteger(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  std::int64_t v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > std::int64_t{std::numeric_limits<int>::max()} + 1) break;  // saturated anyway
  }
  return SaturateToInt(negative ? -v : v);
}

// Low four bits of a character, a missing character counting as a terminating NUL.
std::uint8_t Nibble(std::string_view s, std::size_t i) {
  return i < s.size() ? static_cast<std::uint8_t>(static_cast<unsigned char>(s[i]) & 0x0F) : 0;
}

}  // namespace

std::string FormatFixedPoint(std::int64_t value, int decimals, int minWhole, int minDecimals) {
  // By hand rather than with snprintf: every frequency cell of the table and of a dump
  // comes through here.
  const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::uint64_t scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  char whole[24];
  const std::to_chars_result end = std::to_chars(whole, whole + sizeof whole, magnitude / scale);
  std::string text;
  text.reserve(24);
  if (value < 0) text += '-';
  for (auto digits = static_cast<int>(end.ptr - whole); digits < minWhole; ++digits) text += '0';
  text.append(whole, end.ptr);
  std::string fraction(static_cast<std::size_t>(decimals), '0');
  std::uint64_t rest = magnitude % scale;
  for (int i = decimals - 1; i >= 0; --i, rest /= 10) fraction[static_cast<std::size_t>(i)] = static_cast<char>('0' + rest % 10);
  while (static_cast<int>(fraction.size()) > minDecimals && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += '.' + fraction;
  return text;
}

std::string FormatFrequency(int value) {
  // Only a transmit frequency computed from a stored offset larger than the receive
  // frequency can be negative; it shows as one signed number, not "000.-60000".
  constexpr int kWholeDigits = 3;
  return FormatFixedPoint(value, kFrequencyDecimals, kWholeDigits, kFrequencyDecimals);
}

std::string NormalizeFrequencyText(std::string_view text) {
  std::string s(text);
  s += s.find('.') == std::string::npos ? ".00000" : "00000";
  // Both appends leave at least five characters after the first point, so p + 6 is at
  // most the length and the insertion is always in range.
  const std::size_t p = s.find('.');
  s.insert(p + 6, 1, '.');
  s.erase(p, 1);
  return s;
}

int ParseFrequencyText(std::string_view text) {
  return ReadLeadingInteger(NormalizeFrequencyText(text));
}

std::string WithDecimalPoint(std::string_view text) {
  std::string result(text);
  if (result.find('.') == std::string::npos) {
    if (const std::size_t comma = result.find(','); comma != std::string::npos) result[comma] = '.';
  }
  return result;
}

bool SameFrequencyText(std::string_view a, std::string_view b) { return EqualNoCase(a, b); }

std::string ClampToBand(std::string_view text, const BandLimits& limits) {
  if (text.empty()) return {};
  const int which = CheckFrequencyRange(text, limits);
  return which != 0 ? GetLimitText(which, limits) : std::string(text);
}

std::string FormatMhz(std::int64_t value) { return FormatFixedPoint(value, kFrequencyDecimals, 1, kFrequencyDecimals); }

int SnapToChannelStep(int value, const BandLimits& limits) {
  std::int64_t v = value;  // 64-bit so that values near the int limits cannot overflow
  if (limits.InGap(v)) v = limits.m_nFreqMin;
  const std::int64_t fine = FineRasterPoint(v);
  return SaturateToInt(AgreesToTheKilohertz(fine, v) ? fine : NearestCoarsePoint(v));
}

int CheckFrequencyRange(std::string_view text, const BandLimits& limits) {
  if (text.empty()) return 0;
  const int v = ParseFrequencyText(text);
  if (v > limits.m_nFreqMax) return 1;
  if (v < limits.m_nFreqMin) return -1;
  return 0;
}

std::string GetLimitText(int which, const BandLimits& limits) {
  return FormatFrequency(which > 0 ? limits.m_nFreqMax : limits.m_nFreqMin);
}

void EncodeFrequencyField(FreqField field, std::string_view text, bool snap,
                          const BandLimits& limits) {
  if (text.empty()) {
    std::fill(field.begin(), field.end(), std::uint8_t{0xFF});
    return;
  }
  std::string s = NormalizeFrequencyText(text);
  if (snap) {
    // A negative or 1000 MHz value would put a sign or a ninth digit into the packing;
    // keep the stored value to what the field can represent instead.
    const std::int64_t v =
        std::clamp<std::int64_t>(SnapToChannelStep(ParseFrequencyText(text), limits), 0,
                                 kFieldValueMax);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08lld", static_cast<long long>(v));
    s = buf;
  }
  field[0] = static_cast<std::uint8_t>((Nibble(s, 6) << 4) | Nibble(s, 7));
  field[1] = static_cast<std::uint8_t>((Nibble(s, 4) << 4) | Nibble(s, 5));
  field[2] = static_cast<std::uint8_t>((Nibble(s, 2) << 4) | Nibble(s, 3));
  field[3] = static_cast<std::uint8_t>((Nibble(s, 0) << 4) | Nibble(s, 1));
}

bool IsFrequencyFieldEmpty(ConstFreqField field) { return field[3] > 0x99; }

std::string DecodeFrequencyField(ConstFreqField field) {
  if (IsFrequencyFieldEmpty(field)) return {};
  // The packed digits as hex, as "%x%x.%x%02x%02x" prints them (a nibble above 9 shows as
  // a letter), written by hand: every frequency cell comes through here.
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  text.reserve(10);
  if (field[3] >= 0x10) text += kHex[field[3] >> 4];
  text += kHex[field[3] & 0x0F];
  text += kHex[field[2] >> 4];
  text += '.';
  text += kHex[field[2] & 0x0F];
  for (std::uint8_t b : {field[1], field[0]}) {
    text += kHex[b >> 4];
    text += kHex[b & 0x0F];
  }
  return text;
}

}  // namespace qorrin
