#pragma once
// Frequencies in their three forms: the value (signed, 10 Hz units), the text shown and
// typed in MHz, and the 4-byte packed-BCD field of a memory record (least significant
// digit pair first; byte 3 above 0x99 means "no frequency").
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/model/BandLimits.h"

namespace qorrin {

using FreqField = std::span<std::uint8_t, 4>;
using ConstFreqField = std::span<const std::uint8_t, 4>;

// A fixed-point number as text, the one form every frequency text is made in: `value`
// counts 10^-decimals of the unit; at least `minWhole` digits before the point (padded
// with zeros), then the decimals, of which trailing zeros past `minDecimals` are left off
// (the point too when none remain); a minus sign before a negative number.
std::string FormatFixedPoint(std::int64_t value, int decimals, int minWhole, int minDecimals);

// "%03d.%05d" of value / 100000 and value % 100000: 146.52000, 000.60000; a negative value
// as one signed number, -000.60000.
std::string FormatFrequency(int value);

// Moves the decimal point five places to the right, so the text starts with the value in
// 10 Hz units: "146.52" -> "14652000.00", "146" -> "14600000.", ".5" -> "50000.0".
std::string NormalizeFrequencyText(std::string_view text);

// The leading decimal integer of the normalised text (leading blanks and a sign accepted;
// decimals beyond the fifth dropped). Text without leading digits gives 0; values beyond
// the int range saturate instead of overflowing.
int ParseFrequencyText(std::string_view text);

// A frequency as a person typed or pasted it: a decimal comma stands for the point when
// the text holds no point ("145,5" is 145.5 MHz); any further comma stays and ends the
// number as before. The edit rules pass what the user entered through this first.
std::string WithDecimalPoint(std::string_view text);

// Whether two frequency texts say the same, letter case ignored (a field with non-BCD
// nibbles decodes to letters).
bool SameFrequencyText(std::string_view a, std::string_view b);

// A typed frequency outside the band becomes the limit it crossed, without a message;
// empty text stays empty.
std::string ClampToBand(std::string_view text, const BandLimits& limits);

// MHz with five decimals and no leading zeros, as a number is printed ("146.10000",
// "50.00000", "0.60000", "-0.10000"): the VFO fields' form.
std::string FormatMhz(std::int64_t value);

// The raster point for a receive frequency: a value inside the gap of a two-band model
// becomes the lowest frequency, then the 6.25 kHz raster is used when it agrees with the
// value to the whole kHz, otherwise the 5 kHz raster (an exact half rounds down).
int SnapToChannelStep(int value, const BandLimits& limits);

// 0 for empty text or a value inside [m_nFreqMin, m_nFreqMax]; +1 above, -1 below.
// The band gap is not checked here (storing moves a gap value to m_nFreqMin).
int CheckFrequencyRange(std::string_view text, const BandLimits& limits);

// Canonical text of m_nFreqMax when which > 0, else of m_nFreqMin; callers pass the result
// of CheckFrequencyRange to replace an out-of-range entry by the limit it crossed.
std::string GetLimitText(int which, const BandLimits& limits);

// Empty text stores FF FF FF FF. With snap the parsed value is snapped and stored (kept
// to 0..999.99999 MHz, which is all eight digits can hold); without snap the normalised
// text is packed as it stands, which is right for the canonical "%03d.%05d" texts that
// callers pass for offsets.
void EncodeFrequencyField(FreqField field, std::string_view text, bool snap,
                          const BandLimits& limits);

// "" when byte 3 is above 0x99, else "%x%x.%x%02x%02x" of the bytes (146.52000, 50.00000,
// 00.60000); non-BCD nibbles show as hexadecimal letters.
std::string DecodeFrequencyField(ConstFreqField field);

bool IsFrequencyFieldEmpty(ConstFreqField field);

}  // namespace qorrin
