// Band codes of setting.ini's ModelInfo list and the limits they give.
#include "core/model/ModelInfo.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/model/ModelTestSupport.h"

namespace qorrin {
namespace {

using namespace test;

class ModelInfoTest : public ::testing::Test {
 protected:
  void Band(std::array<std::uint8_t, 8> bytes) {
    std::copy(bytes.begin(), bytes.end(), image.begin() + 0x780);
  }
  TempDir dir;
  Image image{};
};

TEST_F(ModelInfoTest, BandBytesFindTheLastMatchingEntryAndItsLimits) {
  UseModelInfo(dir, {"60134017", "00400047", "6013401700400047", "65134517", "00400047"});
  EXPECT_EQ(FindModelIndex(image), 0);  // no match: model 0, but no known model either
  EXPECT_FALSE(MatchesAnyModel(image));
  EXPECT_EQ(ComputeBandLimits(image), kVhf);
  Band({0x60, 0x13, 0x40, 0x17, 0, 0, 0, 0});
  EXPECT_EQ(FindModelIndex(image), 0);
  EXPECT_TRUE(MatchesAnyModel(image));
  EXPECT_EQ(ModelLimits(2), kTwoBand);
  EXPECT_EQ(ModelLimits(16), kFallback);
  Band({0, 0, 0, 0, 0x00, 0x40, 0x00, 0x47});
  EXPECT_EQ(FindModelIndex(image), 4);  // same code twice: the later index
  EXPECT_EQ(ComputeBandLimits(image), kUhf);
  Band({0x60, 0x13, 0x40, 0x17, 0x00, 0x40, 0x00, 0x47});
  EXPECT_EQ(FindModelIndex(image), 4);  // one-band entries match their half too
  Band({0x65, 0x13, 0x45, 0x17, 0, 0, 0, 0});
  EXPECT_EQ(FindModelIndex(image), 3);
  EXPECT_EQ(ComputeBandLimits(image), kVhf);  // tenths take no part

  UseModelInfo(dir, {"60134017", "00400047", "6013401700400047trailing"});
  Band({0x60, 0x13, 0x40, 0x17, 0x00, 0x40, 0x00, 0x47});
  EXPECT_EQ(FindModelIndex(image), 2);  // further characters of a code are ignored
  EXPECT_EQ(ComputeBandLimits(image), kTwoBand);

  // Entry 0 unusable, no entries, no file: the fallback, without deduction (the table is read
  // again after each change of the file).
  for (const std::vector<std::string>& codes : {std::vector<std::string>{"6013"}, {}}) {
    UseModelInfo(dir, codes);
    EXPECT_EQ(ComputeBandLimits(image), kFallback);
  }
  std::filesystem::remove(g_strIniFile);
  EXPECT_EQ(ComputeBandLimits(image), kFallback);
  EXPECT_TRUE(ListModels().empty());
}

TEST_F(ModelInfoTest, UnusableCodesAreSkippedAndTheListEndsAtAGap) {
  EXPECT_EQ(HexToBytes("aBcD", 4), (std::vector<std::uint8_t>{0xAB, 0xCD}));  // either case
  EXPECT_EQ(HexToBytes("09Af", 4), (std::vector<std::uint8_t>{0x09, 0xAF}));  // the ends of both ranges
  EXPECT_EQ(HexToBytes("601", 8), (std::vector<std::uint8_t>{0x60}));  // never past the text
  EXPECT_FALSE(ParseBandCode("6013401700000000")->bTwoBand);  // zero second half
  EXPECT_FALSE(ParseBandCode("60134017xyz")->bTwoBand);       // no number after 8
  const std::optional<BandCode> nines = ParseBandCode("00400049");  // every digit may stand in one
  ASSERT_TRUE(nines);
  EXPECT_EQ(std::pair(nines->nLow1, nines->nHigh1), std::pair(400, 490));
  for (const char* bad : {"", "6013401", "601340170040004", "6013G017", "601340170040004Z",
                          " 60134017"}) {
    EXPECT_FALSE(ParseBandCode(bad)) << bad;
  }

  dir.write("setting.ini",
            "[ModelInfo]\ndata0=60134017\nFreq0=VHF\ndata1=0040\nFreq1=bad\n"
            "data2=00400047\nFreq2=UHF\ndata4=6013401700400047\nFreq4=gone\n");
  g_strIniFile = dir.file("setting.ini");
  const std::vector<ModelEntry> models = ListModels();
  ASSERT_EQ(models.size(), 3u);
  EXPECT_FALSE(models[1].bUsable);
  EXPECT_TRUE(models[2].bUsable);
  EXPECT_EQ(LoadModelRangeTexts(), (std::vector<std::string>{"VHF", "bad", "UHF"}));

  Band({0x00, 0x40, 0x00, 0x00, 0, 0, 0, 0});  // what "0040" would half-match
  EXPECT_EQ(FindModelIndex(image), 0);
  Band({0x60, 0x13, 0x40, 0x17, 0x00, 0x40, 0x00, 0x47});
  EXPECT_EQ(FindModelIndex(image), 2);  // found past the unusable entry, never data4

  image.fill(0xEE);
  EXPECT_TRUE(WriteModelBandInfo(image, 2));
  EXPECT_EQ(std::tuple(image[0x783], image[0x787]), std::tuple(0xEE, 0x47));  // the other half is left alone
  const Image before = image;
  for (int index : {1, 3, 4, 16, -1}) {  // 4: present, but after the missing data3
    EXPECT_FALSE(WriteModelBandInfo(image, index)) << index;
  }
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace qorrin
