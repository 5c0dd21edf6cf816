#include "core/model/ModelInfo.h"

#include <array>

#include <gtest/gtest.h>

#include "core/model/ModelDefaults.h"
#include "core/model/RecordFields.h"
#include "core/model/ModelTestSupport.h"

namespace qorrin {
namespace {

using Image = std::array<std::uint8_t, kImageSize>;
using test::TempDir;
using test::UseModelInfo;

void SetBandBytes(Image& image, std::array<std::uint8_t, 8> bytes) {
  std::copy(bytes.begin(), bytes.end(), image.begin() + 0x780);
}

TEST(ModelInfo, HexToBytesConvertsPairs) {
  EXPECT_EQ(HexToBytes("60134017", 8), (std::vector<std::uint8_t>{0x60, 0x13, 0x40, 0x17}));
  EXPECT_EQ(HexToBytes("aBcD", 4), (std::vector<std::uint8_t>{0xAB, 0xCD}));  // either case
  EXPECT_EQ(HexToBytes("601", 8), (std::vector<std::uint8_t>{0x60}));  // never past the text
}

TEST(ModelInfo, ParsesBandCodesAndRejectsUnusableOnes) {
  auto uhf = ParseBandCode("00400047");
  ASSERT_TRUE(uhf);
  EXPECT_EQ(uhf->nImageOffset, 0x784u);  // upper edge at or above 200 MHz
  auto both = ParseBandCode("6013401700400047trailing text");  // further characters ignored
  ASSERT_TRUE(both);
  EXPECT_TRUE(both->bTwoBand);
  EXPECT_EQ(both->nLow2, 400);
  EXPECT_FALSE(ParseBandCode("6013401700000000")->bTwoBand);  // zero second half
  EXPECT_FALSE(ParseBandCode("60134017xyz")->bTwoBand);       // no number after 8

  for (const char* bad : {"", "6013401", "601340170040004", "6013G017", "601340170040004Z",
                          " 60134017"}) {
    EXPECT_FALSE(ParseBandCode(bad)) << bad;
  }
}

TEST(ModelInfo, FindModelIndexMatchesBandBytesLastEntryWins) {
  TempDir dir;
  UseModelInfo(dir, {"60134017", "00400047", "6013401700400047", "00400047"});
  Image image{};
  EXPECT_EQ(FindModelIndex(image), 0);  // no match: model 0
  SetBandBytes(image, {0, 0, 0, 0, 0x00, 0x40, 0x00, 0x47});
  EXPECT_EQ(FindModelIndex(image), 3);  // same code twice: the later index
  SetBandBytes(image, {0x60, 0x13, 0x40, 0x17, 0x00, 0x40, 0x00, 0x47});
  EXPECT_EQ(FindModelIndex(image), 3);  // one-band entries match their half too
  UseModelInfo(dir, {"60134017", "00400047", "6013401700400047"});
  EXPECT_EQ(FindModelIndex(image), 2);
}

TEST(ModelInfo, ListEndsAtTheFirstMissingCodeButSkipsUnusableOnes) {
  TempDir dir;
  dir.write("setting.ini",
            "[ModelInfo]\ndata0=60134017\nFreq0=VHF\ndata1=0040\nFreq1=bad\n"
            "data2=00400047\nFreq2=UHF\ndata4=6013401700400047\nFreq4=gone\n");
  g_strIniFile = dir.file("setting.ini");
  const std::vector<ModelEntry> models = ListModels();
  ASSERT_EQ(models.size(), 3u);
  EXPECT_FALSE(models[1].bUsable);
  EXPECT_EQ(models[2].strText, "UHF");
  EXPECT_TRUE(models[2].bUsable);
  EXPECT_EQ(LoadModelRangeTexts(), (std::vector<std::string>{"VHF", "bad", "UHF"}));

  Image image{};
  SetBandBytes(image, {0x00, 0x40, 0x00, 0x00, 0, 0, 0, 0});  // what "0040" would half-match
  EXPECT_EQ(FindModelIndex(image), 0);
  SetBandBytes(image, {0, 0, 0, 0, 0x00, 0x40, 0x00, 0x47});
  EXPECT_EQ(FindModelIndex(image), 2);  // found past the unusable entry
  EXPECT_FALSE(WriteModelBandInfo(image, 4));  // present, but after the missing data3
}

TEST(ModelInfo, BandLimitsOfEachKindOfModel) {
  TempDir dir;
  UseModelInfo(dir, {"60134017", "00400047", "6013401700400047", "65134517"});
  Image image{};
  EXPECT_EQ(ComputeBandLimits(image), (BandLimits{0, 0, 13600000, 17399500}));  // model 0
  SetBandBytes(image, {0, 0, 0, 0, 0x00, 0x40, 0x00, 0x47});
  EXPECT_EQ(ComputeBandLimits(image), (BandLimits{0, 0, 40000000, 46999500}));
  SetBandBytes(image, {0x60, 0x13, 0x40, 0x17, 0x00, 0x40, 0x00, 0x47});
  EXPECT_EQ(ComputeBandLimits(image), (BandLimits{17400000, 40000000, 13600000, 46999500}));
  SetBandBytes(image, {0x65, 0x13, 0x45, 0x17, 0, 0, 0, 0});  // tenths take no part
  EXPECT_EQ(ComputeBandLimits(image), (BandLimits{0, 0, 13600000, 17399500}));

  // Entry 0 unusable, no entries, no file: 100-520 MHz without deduction.
  for (std::vector<std::string> codes : {std::vector<std::string>{"6013"}, std::vector<std::string>{}}) {
    UseModelInfo(dir, codes);
    EXPECT_EQ(ComputeBandLimits(image), (BandLimits{0, 0, 10000000, 52000000}));
  }
  g_strIniFile = dir.file("missing.ini");
  EXPECT_EQ(ComputeBandLimits(image), (BandLimits{0, 0, 10000000, 52000000}));
}

TEST(ModelInfo, WritesBandBytesOfTheChosenEntryOnly) {
  TempDir dir;
  UseModelInfo(dir, {"60134017", "00400047", "bogus"});
  Image image;
  image.fill(0xEE);
  EXPECT_TRUE(WriteModelBandInfo(image, 1));
  EXPECT_EQ(image[0x783], 0xEE);  // the other half is left alone
  EXPECT_EQ(image[0x787], 0x47);
  const Image before = image;
  for (int index : {2, 3, 16, -1}) EXPECT_FALSE(WriteModelBandInfo(image, index));
  EXPECT_EQ(image, before);
}

TEST(ModelDefaults, TouchOnlyTheirBytes) {
  Image image;
  image.fill(0x5A);
  ApplyModelDefaults(image, BandLimits{17400000, 40000000, 13600000, 46999500});
  EXPECT_EQ(GetFrequencyText(image, 122, true), "136.00000");
  EXPECT_EQ(GetFrequencyText(image, 121, true), "400.00000");
  EXPECT_EQ(image[2 * 16 + 11], 0x5A);  // channel step byte left alone
  EXPECT_EQ(image[2 * 16 + 12], 0xFF);  // channel name emptied
  EXPECT_EQ(image[0x790 + 12], 0x5A);   // VFO name bytes left alone
  EXPECT_EQ(image[0x7C7], 0x5A);        // neither index fields
  EXPECT_EQ(image[0x7E0], 0x5A);        // nor FM presets
  image.fill(0);
  ApplyModelDefaults(image, BandLimits{});  // fallback 100-520: one band below 200
  EXPECT_EQ(GetFrequencyText(image, 122, true), "100.00000");
  EXPECT_TRUE(IsRecordEmpty(image, 121));
}

}  // namespace
}  // namespace qorrin
