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

TEST(RecordFields, EmptinessFrequenciesAndTransmitText) {
  Image image{};
  At(image, 7, 3) = 0xA0;
  EXPECT_TRUE(IsRecordEmpty(image, 7));
  At(image, 7, 3) = 0x99;
  EXPECT_FALSE(IsRecordEmpty(image, 7));
  At(image, 7, 8) = 0x9A;
  EXPECT_TRUE(IsOffsetEmpty(image, 7));

  SetFrequencyText(image, kUhf, 122, true, "446.0062");  // receive is snapped
  EXPECT_EQ(GetFrequencyText(image, 122, true), "446.00625");
  SetFrequencyText(image, kUhf, 121, false, "005.00000");  // offset is not
  EXPECT_EQ(GetFrequencyText(image, 121, false), "05.00000");

  SetFrequencyText(image, kUhf, 1, true, "445.5");
  SetFrequencyText(image, kUhf, 1, false, "000.60000");
  SetShiftDirection(image, 1, 1);
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "444.90000");
  SetShiftDirection(image, 1, 2);
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "446.10000");
  SetShiftDirection(image, 1, 3);  // reads as none
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "445.50000");
  // Receive-only: offset equal to the receive frequency.
  SetShiftDirection(image, 1, 1);
  SetFrequencyText(image, kUhf, 1, false, "445.50000");
  EXPECT_TRUE(IsTransmitOff(image, 1));
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "");
  SetFrequencyText(image, kUhf, 1, true, "");
  EXPECT_TRUE(IsTransmitOff(image, 1));
  EXPECT_EQ(GetTransmitFrequencyText(image, 1), "");
}

TEST(RecordFields, TonesAndFlagBitsKeepTheirNeighbours) {
  Image image{};
  At(image, 5, 10) = 0x04;  // bit 2 is not ours
  SetToneCode(image, 5, true, 258);
  SetToneCode(image, 5, false, 155);
  EXPECT_EQ(At(image, 5, 4), 154);
  EXPECT_EQ(At(image, 5, 9), 51);
  EXPECT_EQ(At(image, 5, 10), 0x2C);
  SetToneCode(image, 5, true, 154);  // clears only the receive flag
  EXPECT_EQ(At(image, 5, 10), 0x24);
  At(image, 5, 9) = 200;
  EXPECT_EQ(GetToneCode(image, 5, false), 0);

  SetShiftDirection(image, 5, 2);
  SetWide(image, 5, true);
  SetHighPower(image, 5, true);
  SetNamePresent(image, 5, true);
  EXPECT_EQ(At(image, 5, 10), 0xF6);
  SetShiftDirection(image, 5, 0);
  SetWide(image, 5, false);
  EXPECT_EQ(At(image, 5, 10), 0xB4);

  SetStepIndex(image, 121, 6);
  EXPECT_EQ(At(image, 121, 11), 6);  // stored as given, read as 0
  EXPECT_EQ(GetStepIndex(image, 121), 0);
}

TEST(RecordFields, NameCodes) {
  EXPECT_EQ(EncodeNameCodes("ab-1"), (NameCodes{0x0C, 0x0D, 0x0A, 0x01}));
  EXPECT_EQ(EncodeNameCodes("A.B"), (NameCodes{0x0C, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(EncodeNameCodes("Z9 XY"), (NameCodes{37, 9, 11, 35}));  // fifth character ignored
  EXPECT_EQ(DecodeNameCodes(NameCodes{0x0C, 0x0B, 0x0D, 0xFF}), "A B");
  EXPECT_EQ(DecodeNameCodes(NameCodes{0x0C, 38, 0x0C, 0x0C}), "A");  // 38 ends the name

  Image image{};
  SetChannelName(image, 4, "hi");
  EXPECT_FALSE(IsNamePresent(image, 4));  // the codes alone do not touch the bit
  EXPECT_EQ(UpdateNamePresentBit(image, 4), "HI");
  EXPECT_TRUE(IsNamePresent(image, 4));
}

TEST(RecordFields, RecordNumbersOutsideTheImageReadEmptyAndWriteNothing) {
  Image image;
  image.fill(0x33);
  const Image before = image;
  for (int record : {-1000, -1, 0, 123, 256, 100000}) {
    EXPECT_TRUE(IsRecordEmpty(image, record));
    EXPECT_EQ(GetFrequencyText(image, record, true), "");
    EXPECT_EQ(GetRecordBytes(image, record), RecordBytes{});
    SetFrequencyText(image, kUhf, record, true, "446");
    SetToneCode(image, record, false, 200);
    SetShiftDirection(image, record, 2);
    SetChannelName(image, record, "AB");
    UpdateNamePresentBit(image, record);
  }
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace qorrin
