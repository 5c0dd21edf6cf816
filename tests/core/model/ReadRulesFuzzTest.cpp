// Arbitrary bytes, as a foreign or damaged project file brings them: every accessor gives
// a value inside its range and nothing reaches outside the image (run under ASan too).
#include <random>

#include <gtest/gtest.h>

#include "core/model/CQorrinDoc.h"
#include "core/model/ModelTestSupport.h"
#include "core/model/ToneTables.h"

namespace qorrin {
namespace {

TEST(ReadRules, ArbitraryImagesReadInsideTheirRanges) {
  test::TempDir dir;
  test::UseModelInfo(dir, {"60134017", "00400047", "6013401700400047"});
  std::mt19937 gen(20240611);
  for (int round = 0; round < 60; ++round) {
    std::string file = "VLM-7Q Radio Program data";
    file.resize(4144);
    for (std::size_t i = 25; i < file.size(); ++i) {  // every third round: edge values
      const unsigned r = gen();
      file[i] = static_cast<char>(round % 3 ? r & 0xFF : (r & 1 ? 0xFF : 0x99 + (r >> 8) % 3));
    }
    CQorrinDoc doc;
    ASSERT_TRUE(doc.SerializeLoad(std::span(reinterpret_cast<const std::uint8_t*>(file.data()),
                                            file.size())) == LoadStatus::Ok);
    for (int record = -2; record <= 125; ++record) {
      for (bool rx : {true, false}) {
        EXPECT_LE(static_cast<unsigned>(doc.GetToneCode(record, rx)), 258u);
        EXPECT_LE(GetToneText(doc.GetToneCode(record, rx)).size(), 7u);
        EXPECT_LE(doc.GetFrequencyText(record, rx).size(), 9u);
      }
      EXPECT_LE(doc.GetShiftDirection(record), 2);
      EXPECT_LE(doc.GetStepIndex(record), 5);
      EXPECT_LE(doc.GetChannelName(record).size(), 4u);
      EXPECT_EQ(doc.GetFrequencyText(record, true).empty(), doc.IsRecordEmpty(record));
      EXPECT_LE(doc.GetTransmitFrequencyText(record).size(), 12u);
    }
    EXPECT_LE(doc.GetSquelch() + doc.GetVoxLevel(), 18);
    EXPECT_LE(doc.GetTxTimeLimit(), 6);
    EXPECT_LE(doc.GetBackLight(), 2);
    EXPECT_LE(doc.GetPriorityChannel(), 99);
    for (int j = 0; j <= 16; ++j) EXPECT_LE(doc.GetFmPreset(j), 210);
    EXPECT_LE(static_cast<unsigned>(doc.FindModelIndex()), 2u);

    // The bookkeeping step touches only the index fields.
    const auto before = doc.m_image;
    doc.UpdateIndexFields();
    for (std::size_t i = 0; i < kImageSize; ++i) {
      const bool index = (i >= 0x7B0 && i < 0x7B8) || i == 0x7C7 || i == 0x7C9 ||
                         (i >= 0x7D0 && i <= 0x7DC);
      if (!index) {
        ASSERT_EQ(doc.m_image[i], before[i]) << i;
      }
    }
    EXPECT_LE(doc.m_image[0x7C7], 98);
    EXPECT_LE(doc.m_image[0x7C9], 14);
  }
}

}  // namespace
}  // namespace qorrin
