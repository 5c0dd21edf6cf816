#include "core/model/FrequencyCodec.h"

#include <array>
#include <climits>

#include <gtest/gtest.h>

namespace qorrin {
namespace {

using Field = std::array<std::uint8_t, 4>;

const BandLimits kVhf{0, 0, 13600000, 17399500};
const BandLimits kTwoBand{17400000, 40000000, 13600000, 46999500};

Field Encode(std::string_view text, bool snap, const BandLimits& limits = kVhf) {
  Field f{0x11, 0x22, 0x33, 0x44};
  EncodeFrequencyField(f, text, snap, limits);
  return f;
}

std::string Stored(std::string_view text, const BandLimits& limits = kVhf) {
  return DecodeFrequencyField(Encode(text, true, limits));
}

TEST(FrequencyCodec, FormatsCanonicalText) {
  EXPECT_EQ(FormatFrequency(13600000), "136.00000");
  EXPECT_EQ(FormatFrequency(60000), "000.60000");
  EXPECT_EQ(FormatFrequency(5000000), "050.00000");
  EXPECT_EQ(FormatFrequency(14652000), "146.52000");
}

TEST(FrequencyCodec, NormalizesAndParsesTypedText) {
  EXPECT_EQ(NormalizeFrequencyText("146.52"), "14652000.00");
  EXPECT_EQ(NormalizeFrequencyText("146"), "14600000.");
  EXPECT_EQ(NormalizeFrequencyText(".5"), "50000.0");
  EXPECT_EQ(NormalizeFrequencyText("146.123456"), "14612345.600000");
  EXPECT_EQ(ParseFrequencyText("146.52"), 14652000);
  EXPECT_EQ(ParseFrequencyText(".5"), 50000);
  EXPECT_EQ(ParseFrequencyText("146.123456"), 14612345);  // sixth decimal dropped, not rounded
  EXPECT_EQ(ParseFrequencyText("  146.5"), 14650000);     // leading blanks
  EXPECT_EQ(ParseFrequencyText("abc"), 0);
  EXPECT_EQ(ParseFrequencyText(""), 0);
  EXPECT_EQ(ParseFrequencyText("1.2.3"), 12);  // several points: normalised by the same rule
  // Far too many digits saturate instead of overflowing.
  EXPECT_EQ(ParseFrequencyText("99999999999999999999"), INT_MAX);
  EXPECT_EQ(ParseFrequencyText("-99999999999999999999"), INT_MIN);
}

TEST(FrequencyCodec, SnapsToTheChannelRaster) {
  EXPECT_EQ(SnapToChannelStep(14600620, kVhf), 14600625);  // 6.25 kHz raster agrees to the kHz
  EXPECT_EQ(SnapToChannelStep(14600700, kVhf), 14600500);  // else the 5 kHz raster
  EXPECT_EQ(SnapToChannelStep(14600250, kVhf), 14600000);  // exact half goes down
  EXPECT_EQ(SnapToChannelStep(14600750, kVhf), 14600500);
  EXPECT_EQ(SnapToChannelStep(14600880, kVhf), 14601000);
  EXPECT_EQ(SnapToChannelStep(44600625, kVhf), 44600625);
  EXPECT_EQ(SnapToChannelStep(9999999, kVhf), 10000000);
  // Band gap of a two-band model: strictly between the split values goes to the minimum.
  EXPECT_EQ(SnapToChannelStep(30000000, kTwoBand), 13600000);
  EXPECT_EQ(SnapToChannelStep(17400000, kTwoBand), 17400000);
  EXPECT_EQ(SnapToChannelStep(40000000, kTwoBand), 40000000);
  EXPECT_EQ(SnapToChannelStep(17400500, kTwoBand), 13600000);
  // No overflow at the ends of the int range.
  EXPECT_GT(SnapToChannelStep(INT_MAX, kVhf), 0);
  EXPECT_LT(SnapToChannelStep(INT_MIN, kVhf), 0);
}

TEST(FrequencyCodec, StoresReceiveFrequenciesSnapped) {
  EXPECT_EQ(Encode("146.52", true), (Field{0x00, 0x20, 0x65, 0x14}));
  EXPECT_EQ(Stored("146.52"), "146.52000");
  EXPECT_EQ(Stored("146.5231"), "146.52500");
  EXPECT_EQ(Stored("146.0062"), "146.00625");
  EXPECT_EQ(Stored("146.007"), "146.00500");
  EXPECT_EQ(Stored("146.0025"), "146.00000");
  EXPECT_EQ(Stored("446.00625"), "446.00625");
  EXPECT_EQ(Stored("99.99999"), "100.00000");
  EXPECT_EQ(Stored("50"), "50.00000");
  EXPECT_EQ(Encode("garbage", true), (Field{0, 0, 0, 0}));  // parses as 0 Hz
  EXPECT_EQ(Stored("300", kTwoBand), "136.00000");
  EXPECT_EQ(Stored("174", kTwoBand), "174.00000");
  // Values a field cannot hold are kept inside it: never a sign nibble or a ninth digit.
  EXPECT_EQ(Stored("-5"), "00.00000");
  EXPECT_EQ(Encode("1234.5", true), (Field{0x99, 0x99, 0x99, 0x99}));
}

TEST(FrequencyCodec, StoresOffsetsUnsnappedAndEmptyAsFF) {
  EXPECT_EQ(Encode("000.60000", false), (Field{0x00, 0x00, 0x06, 0x00}));
  EXPECT_EQ(DecodeFrequencyField(Encode("000.60000", false)), "00.60000");
  EXPECT_EQ(Encode("000.00000", false), (Field{0, 0, 0, 0}));
  EXPECT_EQ(DecodeFrequencyField(Encode("000.00000", false)), "00.00000");
  EXPECT_EQ(Encode("146.0062", false), (Field{0x20, 0x06, 0x60, 0x14}));  // not snapped
  EXPECT_EQ(Encode("", false), (Field{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Encode("", true), (Field{0xFF, 0xFF, 0xFF, 0xFF}));
  // Texts whose normal form is shorter than eight characters pack without reading past
  // their end; the missing characters count as 0.
  EXPECT_EQ(Encode(".", false), (Field{0x00, 0x0E, 0x00, 0x00}));
  EXPECT_EQ(Encode("5", false), (Field{0xE0, 0x00, 0x00, 0x50}));
}

TEST(FrequencyCodec, DecodesFieldsAndEmptiness) {
  EXPECT_EQ(DecodeFrequencyField(Field{0x00, 0x00, 0x00, 0x9A}), "");
  EXPECT_EQ(DecodeFrequencyField(Field{0x00, 0x00, 0x00, 0xFF}), "");
  EXPECT_EQ(DecodeFrequencyField(Field{0x00, 0x00, 0x00, 0x99}), "990.00000");
  EXPECT_EQ(DecodeFrequencyField(Field{0x00, 0x00, 0x00, 0x05}), "50.00000");
  // Non-BCD nibbles below byte 3 show as hexadecimal letters.
  EXPECT_EQ(DecodeFrequencyField(Field{0xAB, 0xCD, 0xEF, 0x14}), "14e.fcdab");
}

TEST(FrequencyCodec, ChecksRangeAndGivesLimitTexts) {
  EXPECT_EQ(CheckFrequencyRange("", kVhf), 0);
  EXPECT_EQ(CheckFrequencyRange("136", kVhf), 0);
  EXPECT_EQ(CheckFrequencyRange("173.995", kVhf), 0);
  EXPECT_EQ(CheckFrequencyRange("173.99501", kVhf), 1);
  EXPECT_EQ(CheckFrequencyRange("135.99999", kVhf), -1);
  EXPECT_EQ(CheckFrequencyRange("abc", kVhf), -1);
  EXPECT_EQ(CheckFrequencyRange("300", kTwoBand), 0);  // the gap is not a range error
  EXPECT_EQ(GetLimitText(1, kVhf), "173.99500");
  EXPECT_EQ(GetLimitText(-1, kVhf), "136.00000");
  EXPECT_EQ(GetLimitText(0, kVhf), "136.00000");
}

}  // namespace
}  // namespace qorrin
