#include "core/model/OptionFields.h"

#include <array>

#include <gtest/gtest.h>

#include "core/model/IndexFields.h"
#include "core/model/RecordFields.h"

namespace qorrin {
namespace {

using Image = std::array<std::uint8_t, kImageSize>;

TEST(OptionFields, ReadsClampOrResetStoredValues) {
  Image image{};
  image[0x7C2] = 12;
  image[0x7C3] = 10;
  image[0x7C4] = 9;
  image[0x7C6] = 0xC0;  // back light bits 11
  image[0x7C8] = 0xFF;
  image[0x7CA] = 120;
  image[0x7E0 + 14] = 211;
  EXPECT_EQ(GetSquelch(image), 9);
  EXPECT_EQ(GetVoxLevel(image), 9);
  EXPECT_EQ(GetTxTimeLimit(image), 6);
  EXPECT_EQ(GetBackLight(image), 2);
  EXPECT_EQ(GetFmFrequency(image), 210);
  EXPECT_EQ(GetPriorityChannel(image), 0);
  EXPECT_EQ(GetFmPreset(image, 15), 210);
  image[0x7CA] = 99;
  EXPECT_EQ(GetPriorityChannel(image), 99);
  // Writes store what they are given.
  SetSquelch(image, 12);
  EXPECT_EQ(image[0x7C2], 12);
  SetFmPreset(image, 1, 250);
  EXPECT_EQ(image[0x7E0], 250);
}

TEST(OptionFields, BitsShareTheirBytes) {
  Image image{};
  image[0x7C5] = 0x64;  // bits 2, 5, 6 are not ours
  SetChannelFlag(image, 7);  // any non-zero value sets the bit
  SetBusyLockout(image, true);
  SetKeyBeep(image, true);
  SetChannelDisplay(image, 1);
  SetPowerSave(image, true);
  EXPECT_EQ(image[0x7C5], 0xFF);
  EXPECT_EQ(GetChannelFlag(image), 1);
  EXPECT_EQ(GetChannelDisplay(image), 1);
  SetChannelFlag(image, 0);
  SetKeyBeep(image, false);
  EXPECT_EQ(image[0x7C5], 0xF6);
  EXPECT_TRUE(IsBusyLockout(image));
  EXPECT_FALSE(IsKeyBeep(image));
  EXPECT_TRUE(IsPowerSave(image));

  image[0x7C6] = 0x27;  // bits 0-2 and 5 are not ours
  SetPriorityScan(image, true);
  SetScanMode(image, 1);
  SetBackLight(image, 1);
  EXPECT_EQ(image[0x7C6], 0x7F);
  SetBackLight(image, 2);
  EXPECT_EQ(image[0x7C6], 0xBF);
  EXPECT_EQ(GetBackLight(image), 2);
  EXPECT_EQ(GetScanMode(image), 1);
  EXPECT_TRUE(IsPriorityScan(image));
}

TEST(OptionFields, FmPresetNumbersOutsideTheRangeAreHarmless) {
  Image image;
  image.fill(0x05);
  const Image before = image;
  for (int preset : {-1, 0, 16, 1000}) {
    EXPECT_EQ(GetFmPreset(image, preset), 0);
    SetFmPreset(image, preset, 7);
  }
  EXPECT_EQ(image, before);
  SetFmFrequency(image, 105);
  EXPECT_EQ(image[0x7C8], 105);
  EXPECT_EQ(GetFmFrequency(image), 105);
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
  EXPECT_EQ(image[0x7B8], 0xFF);

  image[5 * 16 + 3] = 0x44;
  image[9 * 16 + 3] = 0x99;
  image[99 * 16 + 3] = 0x01;
  image[0x7E0] = 0xD2;  // preset 1 at 108.0 MHz counts as unused
  image[0x7E1] = 0x00;
  UpdateIndexFields(image);
  EXPECT_EQ(image[0x7C7], 4);
  EXPECT_EQ(image[0x7D0], 0x10 | 0x00);
  EXPECT_EQ(image[0x7D1], 0x01);  // channel 9
  EXPECT_EQ(image[0x7DC], 0xFC);  // channel 99 = bit 2
  EXPECT_TRUE(IsChannelInUse(image, 5));
  EXPECT_TRUE(IsChannelInUse(image, 99));
  EXPECT_FALSE(IsChannelInUse(image, 6));
  EXPECT_FALSE(IsChannelInUse(image, 0));
  EXPECT_FALSE(IsChannelInUse(image, 100));
  EXPECT_EQ(image[0x7C9], 1);

  // Channel 1 programmed: 0 again; a channel that becomes empty loses its bit.
  image[1 * 16 + 3] = 0x14;
  image[5 * 16 + 3] = 0xA0;
  UpdateIndexFields(image);
  EXPECT_EQ(image[0x7C7], 0);
  EXPECT_EQ(image[0x7D0], 0x01);
  EXPECT_EQ(GetFirstChannelIndex(image), 0);
  EXPECT_EQ(GetFirstFmPresetIndex(image), 1);
}

}  // namespace
}  // namespace qorrin
