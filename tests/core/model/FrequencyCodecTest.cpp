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

TEST(FrequencyCodec, FormatsNormalizesAndParses) {
  EXPECT_EQ(FormatFrequency(13600000), "136.00000");
  EXPECT_EQ(FormatFrequency(60000), "000.60000");
  EXPECT_EQ(FormatFrequency(-60000), "-000.60000");  // receive-only math on odd bytes
  EXPECT_EQ(FormatFrequency(-14652000), "-146.52000");
  EXPECT_EQ(NormalizeFrequencyText("146.52"), "14652000.00");
  EXPECT_EQ(NormalizeFrequencyText("146"), "14600000.");
  EXPECT_EQ(NormalizeFrequencyText(".5"), "50000.0");
  EXPECT_EQ(NormalizeFrequencyText("146.123456"), "14612345.600000");
  EXPECT_EQ(ParseFrequencyText("146.123456"), 14612345);  // sixth decimal dropped
  EXPECT_EQ(ParseFrequencyText("  146.5"), 14650000);
  EXPECT_EQ(ParseFrequencyText("abc"), 0);
  EXPECT_EQ(ParseFrequencyText("1.2.3"), 12);  // several points: same rule, no crash
  EXPECT_EQ(ParseFrequencyText("99999999999999999999"), INT_MAX);  // saturates
  EXPECT_EQ(ParseFrequencyText("-99999999999999999999"), INT_MIN);
}

TEST(FrequencyCodec, SnapsToTheChannelRaster) {
  const std::pair<int, int> cases[] = {
      {14600620, 14600625}, {14600700, 14600500}, {14600250, 14600000},  // half goes down
      {14600880, 14601000}, {44600625, 44600625}, {9999999, 10000000}};
  for (auto [in, out] : cases) EXPECT_EQ(SnapToChannelStep(in, kVhf), out) << in;
  // Band gap of a two-band model: strictly between the split values goes to the minimum.
  EXPECT_EQ(SnapToChannelStep(30000000, kTwoBand), 13600000);
  EXPECT_EQ(SnapToChannelStep(17400500, kTwoBand), 13600000);
  EXPECT_EQ(SnapToChannelStep(17400000, kTwoBand), 17400000);
  EXPECT_GT(SnapToChannelStep(INT_MAX, kVhf), 0);  // no overflow at the ends
  EXPECT_LT(SnapToChannelStep(INT_MIN, kVhf), 0);
}

TEST(FrequencyCodec, EncodesAndDecodesFields) {
  EXPECT_EQ(Encode("146.52", true), (Field{0x00, 0x20, 0x65, 0x14}));
  EXPECT_EQ(Stored("146.5231"), "146.52500");
  EXPECT_EQ(Stored("50"), "50.00000");
  EXPECT_EQ(Stored("300", kTwoBand), "136.00000");
  EXPECT_EQ(Stored("174", kTwoBand), "174.00000");
  EXPECT_EQ(Encode("garbage", true), (Field{0, 0, 0, 0}));
  // What a field cannot hold is kept inside it: never a sign nibble or a ninth digit.
  EXPECT_EQ(Stored("-5"), "00.00000");
  EXPECT_EQ(Encode("1234.5", true), (Field{0x99, 0x99, 0x99, 0x99}));

  EXPECT_EQ(Encode("000.60000", false), (Field{0x00, 0x00, 0x06, 0x00}));
  EXPECT_EQ(DecodeFrequencyField(Encode("000.60000", false)), "00.60000");
  EXPECT_EQ(Encode("146.0062", false), (Field{0x20, 0x06, 0x60, 0x14}));  // not snapped
  EXPECT_EQ(Encode("", false), (Field{0xFF, 0xFF, 0xFF, 0xFF}));
  // Normal forms shorter than eight characters pack without reading past their end.
  EXPECT_EQ(Encode(".", false), (Field{0x00, 0x0E, 0x00, 0x00}));
  EXPECT_EQ(Encode("5", false), (Field{0xE0, 0x00, 0x00, 0x50}));

  EXPECT_EQ(DecodeFrequencyField(Field{0x00, 0x00, 0x00, 0x9A}), "");
  EXPECT_EQ(DecodeFrequencyField(Field{0x00, 0x00, 0x00, 0x99}), "990.00000");
  EXPECT_EQ(DecodeFrequencyField(Field{0xAB, 0xCD, 0xEF, 0x14}), "14e.fcdab");
}

TEST(FrequencyCodec, ChecksRangeAndGivesLimitTexts) {
  EXPECT_EQ(CheckFrequencyRange("", kVhf), 0);
  EXPECT_EQ(CheckFrequencyRange("173.995", kVhf), 0);
  EXPECT_EQ(CheckFrequencyRange("173.99501", kVhf), 1);
  EXPECT_EQ(CheckFrequencyRange("135.99999", kVhf), -1);
  EXPECT_EQ(CheckFrequencyRange("300", kTwoBand), 0);  // the gap is not a range error
  EXPECT_EQ(GetLimitText(1, kVhf), "173.99500");
  EXPECT_EQ(GetLimitText(-1, kVhf), "136.00000");
}

}  // namespace
}  // namespace qorrin
