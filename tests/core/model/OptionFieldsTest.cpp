#include "core/model/OptionFields.h"

#include <array>

#include <gtest/gtest.h>

#include "core/model/IndexFields.h"

namespace qorrin {
namespace {

using Image = std::array<std::uint8_t, kImageSize>;

TEST(OptionFields, ReadsClampStoredValuesAndBitsKeepTheirNeighbours) {
  Image image{};
  image[0x7C2] = 12;
  image[0x7C4] = 9;
  image[0x7C6] = 0xC0;  // back light bits 11
  image[0x7C8] = 0xFF;
  image[0x7CA] = 120;
  EXPECT_EQ(GetSquelch(image), 9);
  EXPECT_EQ(GetTxTimeLimit(image), 6);
  EXPECT_EQ(GetBackLight(image), 2);
  EXPECT_EQ(GetFmFrequency(image), 210);
  EXPECT_EQ(GetPriorityChannel(image), 0);

  image[0x7C5] = 0x64;  // bits 2, 5, 6 are not ours
  SetChannelFlag(image, 7);  // any non-zero value sets a bit
  SetBusyLockout(image, true);
  SetKeyBeep(image, true);
  SetChannelDisplay(image, 1);
  SetPowerSave(image, true);
  EXPECT_EQ(image[0x7C5], 0xFF);
  SetChannelFlag(image, 0);
  SetKeyBeep(image, false);
  EXPECT_EQ(image[0x7C5], 0xF6);

  image[0x7C6] = 0x27;  // bits 0-2 and 5 are not ours
  SetPriorityScan(image, true);
  SetScanMode(image, 1);
  SetBackLight(image, 1);
  EXPECT_EQ(image[0x7C6], 0x7F);

  const Image before = image;  // preset numbers outside 1..15 neither read nor write
  for (int preset : {-1, 0, 16}) {
    EXPECT_EQ(GetFmPreset(image, preset), 0);
    SetFmPreset(image, preset, 7);
  }
  EXPECT_EQ(image, before);
}

TEST(IndexFields, BitmapFirstChannelAndFirstPreset) {
  Image image;
  image.fill(0xFF);
  image[0x7DC] = 0xF8;  // bits 3-7 of the last bitmap byte are not ours
  UpdateIndexFields(image);
  EXPECT_EQ(std::string(image.begin() + 0x7B0, image.begin() + 0x7B8), "ZENTORIX");
  for (std::size_t i = 0x7D0; i < 0x7DC; ++i) EXPECT_EQ(image[i], 0) << i;
  EXPECT_EQ(image[0x7DC], 0xF8);
  EXPECT_EQ(image[0x7C7], 0);  // no channel: 0, as for channel 1
  EXPECT_EQ(image[0x7C9], 0);  // all presets FF: 0

  image[5 * 16 + 3] = 0x44;
  image[9 * 16 + 3] = 0x99;
  image[99 * 16 + 3] = 0x01;
  image[0x7E0] = 0xD2;  // preset 1 at 108.0 MHz counts as unused
  image[0x7E1] = 0x00;
  UpdateIndexFields(image);
  EXPECT_EQ(image[0x7C7], 4);
  EXPECT_EQ(image[0x7D0], 0x10);
  EXPECT_EQ(image[0x7D1], 0x01);  // channel 9
  EXPECT_EQ(image[0x7DC], 0xFC);  // channel 99 = bit 2
  EXPECT_FALSE(IsChannelInUse(image, 100));
  EXPECT_EQ(image[0x7C9], 1);

  image[5 * 16 + 3] = 0xA0;  // a channel that becomes empty loses its bit
  UpdateIndexFields(image);
  EXPECT_EQ(image[0x7D0], 0x00);
  EXPECT_EQ(image[0x7C7], 8);
}

}  // namespace
}  // namespace qorrin
