// Arbitrary bytes, as a foreign or damaged project file brings them: every accessor must
// give a value inside its documented range and never reach outside the image.
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
    // Some rounds favour the values at the edges of the read rules.
    for (std::size_t i = 25; i < file.size(); ++i) {
      const unsigned r = gen();
      file[i] = static_cast<char>(round % 3 == 0 ? (r & 1 ? 0xFF : 0x99 + (r >> 8) % 3) : r & 0xFF);
    }
    dir.write("fuzz.7Q", file);
    CQorrinDoc doc;
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnOpenDocument(dir.file("fuzz.7Q")).ok());

    for (int record = -2; record <= 125; ++record) {
      const int rx = doc.GetToneCode(record, true);
      const int tx = doc.GetToneCode(record, false);
      EXPECT_TRUE(rx >= 0 && rx <= 258 && tx >= 0 && tx <= 258);
      EXPECT_LE(GetToneText(rx).size(), 7u);
      EXPECT_LE(doc.GetShiftDirection(record), 2);
      EXPECT_LE(doc.GetStepIndex(record), 5);
      EXPECT_LE(doc.GetChannelName(record).size(), 4u);
      const std::string freq = doc.GetFrequencyText(record, true);
      EXPECT_TRUE(freq.empty() || freq.size() == 8 || freq.size() == 9) << freq;
      EXPECT_EQ(freq.empty(), doc.IsRecordEmpty(record));
      EXPECT_LE(doc.GetFrequencyText(record, false).size(), 9u);
      EXPECT_LE(doc.GetTransmitFrequencyText(record).size(), 12u);
      doc.IsTransmitOff(record);
      doc.IsOffsetEmpty(record);
    }
    EXPECT_LE(doc.GetSquelch(), 9);
    EXPECT_LE(doc.GetVoxLevel(), 9);
    EXPECT_LE(doc.GetTxTimeLimit(), 6);
    EXPECT_LE(doc.GetBackLight(), 2);
    EXPECT_LE(doc.GetPriorityChannel(), 99);
    EXPECT_LE(doc.GetFmFrequency(), 210);
    for (int j = 0; j <= 16; ++j) EXPECT_LE(doc.GetFmPreset(j), 210);
    EXPECT_GE(doc.FindModelIndex(), 0);
    EXPECT_LE(doc.FindModelIndex(), 2);

    // The bookkeeping step and a save work on any image and keep the rest.
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
