#include "core/model/RecordFields.h"

#include <array>

#include <gtest/gtest.h>

#include "core/model/NameCodec.h"

namespace qorrin {
namespace {

using Image = std::array<std::uint8_t, kImageSize>;
const BandLimits kUhf{0, 0, 40000000, 46999500};

std::uint8_t& At(Image& image, int record, std::size_t offset) {
  return image[static_cast<std::size_t>(record) * 16 + offset];
}

TEST(RecordFields, EmptinessLooksOnlyAtTheTopByte) {
  Image image{};
  At(image, 7, 3) = 0xA0;
  EXPECT_TRUE(IsRecordEmpty(image, 7));
  EXPECT_TRUE(IsTransmitOff(image, 7));
  At(image, 7, 3) = 0x99;
  EXPECT_FALSE(IsRecordEmpty(image, 7));
  EXPECT_FALSE(IsOffsetEmpty(image, 7));
  At(image, 7, 8) = 0x9A;
  EXPECT_TRUE(IsOffsetEmpty(image, 7));

  // Transmit off: the receive and offset fields hold the same four bytes.
  SetFrequencyText(image, kUhf, 9, true, "446.1");
  SetFrequencyText(image, kUhf, 9, false, "446.10000");
  EXPECT_TRUE(IsTransmitOff(image, 9));
  EXPECT_EQ(GetTransmitFrequencyText(image, 9), "");
  SetFrequencyText(image, kUhf, 9, false, "000.00000");
  EXPECT_FALSE(IsTransmitOff(image, 9));
}

TEST(RecordFields, FrequenciesOfChannelsAndVfos) {
  Image image{};
  SetFrequencyText(image, kUhf, 122, true, "446.0062");
  EXPECT_EQ(GetFrequencyText(image, 122, true), "446.00625");  // receive is snapped
  EXPECT_EQ(image[0x7A0], 0x25);
  EXPECT_EQ(image[0x7A3], 0x44);
  SetFrequencyText(image, kUhf, 121, false, "005.00000");
  EXPECT_EQ(GetFrequencyText(image, 121, false), "05.00000");
  EXPECT_EQ(image[0x790 + 7], 0x50);
  SetFrequencyText(image, kUhf, 99, true, "");
  EXPECT_EQ(GetFrequencyText(image, 99, true), "");
  EXPECT_EQ(At(image, 99, 0), 0xFF);
  EXPECT_EQ(At(image, 99, 3), 0xFF);
}

TEST(RecordFields, TransmitTextFollowsTheShiftDirection) {
  Image image{};
  SetFrequencyText(image, kUhf, 1, true, "445.5");
  SetFrequencyText(image, kUhf, 1, false, "000.60000");
  SetShiftDirection(image, 1, 1);
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "444.90000");
  SetShiftDirection(image, 1, 2);
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "446.10000");
  SetShiftDirection(image, 1, 3);  // reads as none
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "445.50000");
  SetFrequencyText(image, kUhf, 1, false, "");  // empty offset counts as 0
  SetShiftDirection(image, 1, 1);
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "445.50000");
  SetFrequencyText(image, kUhf, 1, true, "");
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "");
}

TEST(RecordFields, TonesUseTheirOwnByteAndFlagBit) {
  Image image{};
  SetToneCode(image, 5, true, 258);
  EXPECT_EQ(At(image, 5, 4), 154);
  EXPECT_EQ(At(image, 5, 10), 0x08);
  SetToneCode(image, 5, false, 155);
  EXPECT_EQ(At(image, 5, 9), 51);
  EXPECT_EQ(At(image, 5, 10), 0x28);
  EXPECT_EQ(GetToneCode(image, 5, true), 258);
  EXPECT_EQ(GetToneCode(image, 5, false), 155);
  SetToneCode(image, 5, true, 154);  // clears only the receive flag
  EXPECT_EQ(At(image, 5, 10), 0x20);
  EXPECT_FALSE(IsToneInverted(image, 5, true));
  EXPECT_TRUE(IsToneInverted(image, 5, false));

  At(image, 6, 4) = 60;
  SetToneInverted(image, 6, true, true);
  EXPECT_EQ(GetToneCode(image, 6, true), 164);
  At(image, 6, 9) = 155;  // 155 without the flag
  EXPECT_EQ(GetToneCode(image, 6, false), 155);
  At(image, 6, 9) = 200;
  EXPECT_EQ(GetToneCode(image, 6, false), 0);
}

TEST(RecordFields, FlagBitsKeepTheirNeighbours) {
  Image image{};
  At(image, 3, 10) = 0x04;  // bit 2 is not ours
  SetShiftDirection(image, 3, 2);
  SetWide(image, 3, true);
  SetHighPower(image, 3, true);
  SetNamePresent(image, 3, true);
  EXPECT_EQ(At(image, 3, 10), 0xD6);
  EXPECT_EQ(GetShiftDirection(image, 3), 2);
  EXPECT_TRUE(IsWide(image, 3));
  EXPECT_TRUE(IsHighPower(image, 3));
  EXPECT_TRUE(IsNamePresent(image, 3));
  SetShiftDirection(image, 3, 0);
  SetWide(image, 3, false);
  EXPECT_EQ(At(image, 3, 10), 0x94);
  At(image, 3, 10) = 0x03;
  EXPECT_EQ(GetShiftDirection(image, 3), 0);

  SetStepIndex(image, 121, 5);
  EXPECT_EQ(GetStepIndex(image, 121), 5);
  SetStepIndex(image, 121, 6);
  EXPECT_EQ(At(image, 121, 11), 6);  // stored as given
  EXPECT_EQ(GetStepIndex(image, 121), 0);
}

TEST(RecordFields, NameCodes) {
  EXPECT_EQ(EncodeNameCodes("ab-1"), (NameCodes{0x0C, 0x0D, 0x0A, 0x01}));
  EXPECT_EQ(DecodeNameCodes(NameCodes{0x0C, 0x0D, 0x0A, 0x01}), "AB-1");
  EXPECT_EQ(EncodeNameCodes("A.B"), (NameCodes{0x0C, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(EncodeNameCodes(""), (NameCodes{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(EncodeNameCodes("Z9 XY"), (NameCodes{37, 9, 11, 35}));  // fifth character ignored
  EXPECT_EQ(EncodeNameCodes("\xC3\xA9t"), (NameCodes{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(DecodeNameCodes(NameCodes{0x0C, 0x0B, 0x0D, 0xFF}), "A B");
  EXPECT_EQ(DecodeNameCodes(NameCodes{0xFF, 0xFF, 0xFF, 0xFF}), "");
  EXPECT_EQ(DecodeNameCodes(NameCodes{0x0C, 38, 0x0C, 0x0C}), "A");  // 38 ends the name

  Image image{};
  SetChannelName(image, 4, "hi");
  EXPECT_EQ(GetChannelName(image, 4), "HI");
  EXPECT_FALSE(IsNamePresent(image, 4));  // the codes alone do not touch the bit
  EXPECT_EQ(UpdateNamePresentBit(image, 4), "HI");
  EXPECT_TRUE(IsNamePresent(image, 4));
  SetChannelName(image, 4, "");
  UpdateNamePresentBit(image, 4);
  EXPECT_FALSE(IsNamePresent(image, 4));
}

TEST(RecordFields, RecordNumbersOutsideTheImageReadEmptyAndWriteNothing) {
  Image image;
  image.fill(0x33);
  const Image before = image;
  for (int record : {-1000, -1, 0, 123, 255, 256, 100000}) {
    EXPECT_TRUE(IsRecordEmpty(image, record));
    EXPECT_TRUE(IsOffsetEmpty(image, record));
    EXPECT_TRUE(IsTransmitOff(image, record));
    EXPECT_EQ(GetFrequencyText(image, record, true), "");
    EXPECT_EQ(GetTransmitFrequencyText(image, record), "");
    EXPECT_EQ(GetToneCode(image, record, true), 0);
    EXPECT_EQ(GetShiftDirection(image, record), 0);
    EXPECT_EQ(GetStepIndex(image, record), 0);
    EXPECT_EQ(GetChannelName(image, record), "");
    EXPECT_FALSE(IsWide(image, record));
    EXPECT_EQ(GetRecordBytes(image, record), RecordBytes{});
    SetFrequencyText(image, kUhf, record, true, "446");
    SetToneCode(image, record, false, 200);
    SetShiftDirection(image, record, 2);
    SetHighPower(image, record, true);
    SetStepIndex(image, record, 1);
    SetChannelName(image, record, "AB");
    UpdateNamePresentBit(image, record);
  }
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace qorrin
