// The parts of the radio image on their own: codings, accessors and index fields.
#include <climits>
#include <tuple>

#include <gtest/gtest.h>

#include "core/model/FrequencyCodec.h"
#include "core/model/IndexFields.h"
#include "core/model/ModelTestSupport.h"
#include "core/model/NameCodec.h"
#include "core/model/OptionFields.h"
#include "core/model/RecordFields.h"
#include "core/model/ToneCodec.h"
#include "core/model/ToneTables.h"

namespace qorrin {
namespace {

using namespace test;
using Field = std::array<std::uint8_t, 4>;

Field Encode(std::string_view text, bool snap, const BandLimits& limits = kVhf) {
  Field f{0x11, 0x22, 0x33, 0x44};
  EncodeFrequencyField(f, text, snap, limits);
  return f;
}

std::uint8_t& At(Image& image, int record, std::size_t offset) {
  return image[static_cast<std::size_t>(record) * 16 + offset];
}

TEST(FrequencyCodec, FormatsParsesSnapsChecksEncodesAndDecodes) {
  EXPECT_EQ(FormatFrequency(60000), "000.60000");
  EXPECT_EQ(FormatFrequency(-60000), "-000.60000");  // receive-only math on odd bytes
  EXPECT_EQ(FormatFrequency(INT_MIN), "-21474.83648");
  // Every frequency text (VFO field, band edge, a list's MHz to the hertz) is one fixed-point form.
  EXPECT_EQ(FormatMhz(-10000), "-0.10000");
  for (auto [value, decimals, minWhole, minDecimals, text] :
       {std::tuple{17399500, 5, 1, 3, "173.995"}, {13600000, 5, 1, 3, "136.000"},
        {44600625, 5, 1, 3, "446.00625"}, {146520000, 6, 1, 6, "146.520000"}}) {
    EXPECT_EQ(FormatFixedPoint(value, decimals, minWhole, minDecimals), text);
  }
  EXPECT_EQ(NormalizeFrequencyText("146"), "14600000.");
  EXPECT_EQ(NormalizeFrequencyText(".5"), "50000.0");
  // The sixth decimal is dropped, several points follow the same rule, the ends saturate.
  for (auto [text, value] : {std::pair{"  146.123456", 14612345}, {"abc", 0}, {"1.2.3", 12},
                             {"99999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN}}) {
    EXPECT_EQ(ParseFrequencyText(text), value) << text;
  }

  const std::tuple<int, BandLimits, int> snaps[] = {
      {14600620, kVhf, 14600625}, {14600630, kVhf, 14600625}, {14600700, kVhf, 14600500},
      {14600880, kVhf, 14601000}, {14600250, kVhf, 14600000},  // half a step goes down
      {44600625, kVhf, 44600625}, {9999999, kVhf, 10000000},
      // Two bands: strictly between the split values goes to the minimum.
      {30000000, kTwoBand, 13600000}, {17400500, kTwoBand, 13600000},
      {17400000, kTwoBand, 17400000}, {40000000, kTwoBand, 40000000}};
  for (auto [in, limits, out] : snaps) EXPECT_EQ(SnapToChannelStep(in, limits), out) << in;
  EXPECT_GT(SnapToChannelStep(INT_MAX, kVhf), 0);  // no overflow at the ends
  EXPECT_LT(SnapToChannelStep(INT_MIN, kVhf), 0);

  EXPECT_EQ(Encode("146.52", true), (Field{0x00, 0x20, 0x65, 0x14}));
  EXPECT_EQ(DecodeFrequencyField(Encode("146.5231", true)), "146.52500");
  EXPECT_EQ(DecodeFrequencyField(Encode("300", true, kTwoBand)), "136.00000");
  // What a field cannot hold is kept inside it: never a sign nibble or a ninth digit.
  EXPECT_EQ(DecodeFrequencyField(Encode("-5", true)), "00.00000");
  EXPECT_EQ(Encode("1234.5", true), (Field{0x99, 0x99, 0x99, 0x99}));

  EXPECT_EQ(Encode("146.0062", false), (Field{0x20, 0x06, 0x60, 0x14}));  // not snapped
  EXPECT_EQ(Encode("", false), (Field{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Encode(".", false), (Field{0x00, 0x0E, 0x00, 0x00}));  // short normal form

  EXPECT_EQ(DecodeFrequencyField(Field{0x00, 0x00, 0x00, 0x9A}), "");
  EXPECT_EQ(DecodeFrequencyField(Field{0x00, 0x00, 0x00, 0x99}), "990.00000");
  EXPECT_EQ(DecodeFrequencyField(Field{0xAB, 0xCD, 0xEF, 0x14}), "14e.fcdab");
}

// How 155 and 258 are stored is pinned by the record test below.
TEST(ToneCodec, ReadRulesAndTexts) {
  for (auto [byte, inverted, code] :
       {std::tuple{50, true, 50}, {155, false, 155}, {155, true, 155}, {156, true, 0}}) {
    EXPECT_EQ(DecodeToneByte(static_cast<std::uint8_t>(byte), inverted), code) << byte;
  }
  for (int code = 0; code <= kLastToneCode; ++code) {
    const StoredTone t = EncodeToneCode(code);
    EXPECT_EQ(DecodeToneByte(t.byte, t.inverted), code) << code;
  }

  TempDir dir;
  dir.installDataFiles();
  const std::vector<std::string> list = FillToneList();
  ASSERT_EQ(list.size(), 259u);
  for (auto [code, text] : {std::pair{0, "Off"}, {1, "67.0"}, {50, "254.1"}, {51, "D023N"},
                            {155, "D023I"}, {258, "D754I"}}) {
    EXPECT_EQ(list[static_cast<std::size_t>(code)], text);
  }
  for (int code = 1; code <= kLastToneCode; ++code) EXPECT_EQ(GetToneText(code), list[code]);
  EXPECT_EQ(GetToneText(0) + GetToneText(259), "");
}

TEST(RecordFields, ReadAndWriteTheirBytes) {
  Image image{};
  for (auto [high, empty] : {std::pair{0x99, false}, {0x9A, true}}) {  // highest BCD byte
    At(image, 7, 3) = At(image, 7, 8) = static_cast<std::uint8_t>(high);
    EXPECT_EQ(IsRecordEmpty(image, 7), empty);
    EXPECT_EQ(IsOffsetEmpty(image, 7), empty);
  }

  SetFrequencyText(image, kUhf, 122, true, "446.0062");  // receive is snapped
  EXPECT_EQ(GetFrequencyText(image, 122, true), "446.00625");
  SetFrequencyText(image, kUhf, 121, false, "000.60010");  // offset is not
  EXPECT_EQ(GetFrequencyText(image, 121, false), "00.60010");

  SetFrequencyText(image, kUhf, 1, true, "445.5");
  SetFrequencyText(image, kUhf, 1, false, "000.60000");
  for (auto [direction, text] : {std::pair{1, "444.90000"}, {2, "446.10000"}, {3, "445.50000"}}) {
    SetShiftDirection(image, 1, direction);
    EXPECT_EQ(GetShiftDirection(image, 1), direction % 3);  // 3 reads as none
    EXPECT_EQ(GetTransmitFrequencyText(image, 1), text);
  }
  SetFrequencyText(image, kUhf, 1, false, "445.50000");  // receive-only: offset = receive
  EXPECT_TRUE(IsTransmitOff(image, 1));
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "");
  SetFrequencyText(image, kUhf, 1, true, "");  // empty record
  EXPECT_TRUE(IsTransmitOff(image, 1));
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "");

  // Tones, flag bits, step and name each keep the bits beside them.
  At(image, 5, 10) = 0x04;  // bit 2 is not ours
  SetToneCode(image, 5, true, 258);
  SetToneCode(image, 5, false, 155);
  EXPECT_EQ(std::tuple(At(image, 5, 4), At(image, 5, 9), At(image, 5, 10)), std::tuple(154, 51, 0x2C));
  EXPECT_EQ(std::pair(GetToneCode(image, 5, true), GetToneCode(image, 5, false)), std::pair(258, 155));
  SetToneCode(image, 5, true, 154);  // clears only the receive flag
  EXPECT_EQ(At(image, 5, 10), 0x24);

  SetShiftDirection(image, 5, 2);
  SetWide(image, 5, true);
  SetHighPower(image, 5, true);
  SetNamePresent(image, 5, true);
  EXPECT_EQ(At(image, 5, 10), 0xF6);
  SetShiftDirection(image, 5, 0);
  SetWide(image, 5, false);
  EXPECT_EQ(At(image, 5, 10), 0xB4);

  for (int step : {5, 6}) {
    SetStepIndex(image, 121, step);
    EXPECT_EQ(At(image, 121, 11), step);  // stored as given, read as 0 above 5
    EXPECT_EQ(GetStepIndex(image, 121), step == 5 ? 5 : 0);
  }

  EXPECT_EQ(EncodeNameCodes("ab-1"), (NameCodes{0x0C, 0x0D, 0x0A, 0x01}));
  EXPECT_EQ(EncodeNameCodes("A.B"), (NameCodes{0x0C, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(EncodeNameCodes("Z9 X"), (NameCodes{37, 9, 11, 35}));  // a fifth: the name commit's test
  EXPECT_EQ(DecodeNameCodes(NameCodes{0x0C, 0x0B, 0x0D, 0xFF}), "A B");
  EXPECT_EQ(DecodeNameCodes(NameCodes{0x0C, 38, 0x0C, 0x0C}), "A");  // 38 ends the name
  // How the name-present bit follows the name: the channel row and name commit tests.
}

TEST(OptionAndIndexFields, ReadsClampBitsKeepTheirNeighboursIndexFollowsRecords) {
  Image image{};
  // From 0x7C2: squelch 10, VOX 255, time limit 7, back light bits 11, FM 211, priority 100.
  const std::uint8_t stored[] = {10, 0xFF, 7, 0, 0xC0, 0, 211, 0, 100};
  std::copy(std::begin(stored), std::end(stored), image.begin() + 0x7C2);
  EXPECT_EQ(std::pair(ReadOptionField(image, OptionField::Squelch), ReadOptionField(image, OptionField::VoxLevel)), std::pair(9, 9));
  EXPECT_EQ(ReadOptionField(image, OptionField::TxTimeLimit), 6);
  EXPECT_EQ(ReadOptionField(image, OptionField::BackLight), 2);
  EXPECT_EQ(GetFmFrequency(image), 210);
  EXPECT_EQ(GetPriorityChannel(image), 0);
  image[0x7CA] = 99;
  EXPECT_EQ(GetPriorityChannel(image), 99);

  // {field, value, byte, byte after}; the bits set here first are not ours. Non-zero sets a bit.
  image[0x7C5] = 0x64;
  image[0x7C6] = 0x27;
  const std::tuple<OptionField, int, std::size_t, int> writes[] = {
      {OptionField::ChannelFlag, 7, 0x7C5, 0x65}, {OptionField::BusyLockout, 1, 0x7C5, 0x67},
      {OptionField::KeyBeep, 1, 0x7C5, 0x6F}, {OptionField::ChannelDisplay, 1, 0x7C5, 0x7F},
      {OptionField::PowerSave, 1, 0x7C5, 0xFF}, {OptionField::ChannelFlag, 0, 0x7C5, 0xFE},
      {OptionField::KeyBeep, 0, 0x7C5, 0xF6}, {OptionField::PriorityScan, 1, 0x7C6, 0x2F},
      {OptionField::ScanMode, 1, 0x7C6, 0x3F}, {OptionField::BackLight, 1, 0x7C6, 0x7F}};
  for (auto [field, value, offset, after] : writes) {
    WriteOptionField(image, field, value);
    EXPECT_EQ(image[offset], after) << static_cast<int>(field) << " " << value;
  }

  const Image before = image;  // preset numbers outside 1..15 neither read nor write
  for (int preset : {-1, 0, 16}) {
    EXPECT_EQ(GetFmPreset(image, preset), 0);
    SetFmPreset(image, preset, 7);
  }
  EXPECT_EQ(image, before);
  SetFmPreset(image, 15, 7);
  EXPECT_EQ(image[0x7EE], 7);

  // Index fields: channel bitmap, first channel in use, first FM preset in use.
  image.fill(0xFF);
  image[0x7DC] = 0xF8;  // bits 3-7 of the last bitmap byte are not ours
  UpdateIndexFields(image);
  EXPECT_EQ(std::tuple(image[0x7C7], image[0x7C9]), std::tuple(0, 0));  // none in use

  image[5 * 16 + 3] = 0x44;
  image[9 * 16 + 3] = 0x99;
  image[99 * 16 + 3] = 0x01;
  image[0x7E0] = 0xD2;  // preset 1 at 108.0 MHz counts as unused
  image[0x7E1] = 0x00;
  UpdateIndexFields(image);
  // First channel in use, then the bitmap bytes of channels 5, 9 and 99 (bit 2 of the last).
  EXPECT_EQ(std::tuple(image[0x7C7], image[0x7D0], image[0x7D1], image[0x7DC]),
            std::tuple(4, 0x10, 0x01, 0xFC));
  for (int channel = 0; channel <= 100; ++channel) {
    EXPECT_EQ(IsChannelInUse(image, channel), channel == 5 || channel == 9 || channel == 99) << channel;
  }
  EXPECT_EQ(image[0x7C9], 1);
  EXPECT_EQ(ProgrammedChannelCount(image), 3);  // channels 5, 9 and the last, 99

  image[5 * 16 + 3] = 0xA0;  // a channel that becomes empty loses its bit
  UpdateIndexFields(image);
  EXPECT_EQ(image[0x7D0], 0x00);
  EXPECT_EQ(image[0x7C7], 8);
}

}  // namespace
}  // namespace qorrin
