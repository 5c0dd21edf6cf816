#include "core/edit/ChannelCommits.h"

#include <random>

#include "core/edit/ChannelTableTestSupport.h"

namespace qorrin {
namespace {

using test::ChannelTableTest;

constexpr char kDuplex[] = "00 00 55 14 33 00 00 06 00 3C 59 00 0C 0D FF FF";  // 145.5 -> 144.9

TEST_F(ChannelTableTest, ReceiveCommitProgramsClampsSnapsAndMarksTextChanges) {
  doc.ChangeFrequencyRange(1);  // 400-470 MHz
  SaveAside();
  ASSERT_EQ(Record(2), test::kEmptyRecord);
  ChannelCommitResult done = CommitReceiveFrequency(doc, 2, "446.1");
  EXPECT_TRUE(done.bStored && done.bModified && done.bRebuildPriorityList && doc.IsModified());
  // A freshly programmed channel is simplex; which cells its row unlocks is the row test's.
  EXPECT_EQ(Record(2), "00 00 61 44 00 00 00 00 00 00 C0 00 FF FF FF FF");
  EXPECT_EQ(done.row.Text(kColTxFrequency), "446.10000");

  // {typed, shown, modified}: the clamp to the band, the decimal comma, typed text vs stored.
  for (auto [typed, shown, modified] : {std::tuple{"480", "469.99500", true}, {"5", "400.00000", true},
                                        {"abc", "400.00000", false}, {"446.0062", "446.00625", true},
                                        {"446.006250", "446.00625", true}, {"446.00625", "446.00625", false},
                                        {"-446", "400.00000", true}, {"446,5", "446.50000", true},
                                        {"446,5,1", "400.00000", true}, {"446.1,5", "400.00000", false}}) {
    SaveAside();
    done = CommitReceiveFrequency(doc, 2, typed);
    EXPECT_EQ(done.row.Text(kColRxFrequency), shown) << typed;
    EXPECT_EQ(std::pair(done.bModified, doc.IsModified()), std::pair(modified, modified)) << typed;
    EXPECT_EQ(done.row.Text(kColTxFrequency), "446.10000") << typed;  // stays where it was
  }
}

TEST_F(ChannelTableTest, FrequencyCommitsKeepTheOtherFrequencyAndFormReceiveOnly) {
  SetRecord(3, kDuplex);
  ChannelCommitResult done = CommitReceiveFrequency(doc, 3, "145.6");
  EXPECT_EQ(Record(3), "00 00 56 14 33 00 00 07 00 3C 59 00 0C 0D FF FF");
  EXPECT_EQ(done.row.Text(kColTxFrequency), "144.90000");

  done = CommitTransmitFrequency(doc, 3, "");  // receive-only, encode tone off
  EXPECT_EQ(Record(3), "00 00 56 14 33 00 00 56 14 00 59 00 0C 0D FF FF");
  EXPECT_TRUE(done.bStored && done.bModified && done.bRebuildPriorityList);
  EXPECT_EQ(done.row.Text(kColTxFrequency), "");
  CommitReceiveFrequency(doc, 3, "145.7");  // stays receive-only
  EXPECT_EQ(Record(3), "00 00 57 14 33 00 00 57 14 00 59 00 0C 0D FF FF");

  const std::tuple<int, const char*, const char*, const char*> transmits[] = {
      // model, record before, typed, record after
      {0, "00 00 57 14 33 00 00 57 14 00 59 00 0C 0D FF FF", "146.3",  // above: direction 2
       "00 00 57 14 33 00 00 06 00 00 5A 00 0C 0D FF FF"},
      {0, nullptr, "145.7", "00 00 57 14 33 00 00 00 00 00 58 00 0C 0D FF FF"},  // simplex
      {0, nullptr, "146.0062", "00 00 57 14 33 25 06 03 00 00 5A 00 0C 0D FF FF"},  // 146.00625
      {0, nullptr, "999", "00 00 57 14 33 00 95 82 02 00 5A 00 0C 0D FF FF"},  // 173.99500
      {2, "00 00 60 13 33 00 95 82 02 00 5A 00 0C 0D FF FF", "300",  // the gap: the lowest
       "00 00 60 13 33 00 00 00 00 00 58 00 0C 0D FF FF"}};
  for (const auto& [model, start, typed, record] : transmits) {
    if (model != doc.FindModelIndex()) doc.ChangeFrequencyRange(model);
    if (start != nullptr) SetRecord(3, start);
    SaveAside();
    done = CommitTransmitFrequency(doc, 3, typed);
    EXPECT_EQ(Record(3), record) << typed;
    EXPECT_TRUE(done.bModified && doc.IsModified()) << typed;
  }

  // The receive field keeps its bytes even off the raster.
  doc.ChangeFrequencyRange(0);
  SetRecord(4, "00 01 60 14 00 00 00 00 00 00 C0 00 FF FF FF FF");  // 146.00100
  CommitTransmitFrequency(doc, 4, "146.6");
  EXPECT_EQ(Record(4), "00 01 60 14 00 00 99 05 00 00 C2 00 FF FF FF FF");
}

TEST_F(ChannelTableTest, ClearingAReceiveFrequencyEmptiesOnlyThatRecord) {
  SetRecord(3, "00 00 55 14 33 00 00 06 00 3C 6D 04 0C 0D FF FF");  // bit 2, both inverted, step 4
  auto before = doc.Image();
  ChannelCommitResult done = CommitReceiveFrequency(doc, 3, "");
  EXPECT_EQ(Record(3), "FF FF FF FF 00 FF FF FF FF 00 C0 04 FF FF FF FF");
  EXPECT_TRUE(done.bModified && done.bRebuildPriorityList);
  EXPECT_EQ(done.row.Text(kColRxFrequency), "");
  std::copy_n(doc.Image().begin() + 3 * kRecordSize, kRecordSize, before.begin() + 3 * kRecordSize);
  EXPECT_EQ(doc.Image(), before);  // the other records and the rest of the image
  // An empty cell left empty is no change, though a record with leftovers is tidied.
  SetRecord(5, "FF FF FF FF 07 00 00 00 00 09 2B 00 0C FF FF FF");
  SaveAside();
  done = CommitReceiveFrequency(doc, 5, "");
  EXPECT_TRUE(done.bStored);
  EXPECT_FALSE(done.bModified || doc.IsModified());
  EXPECT_EQ(Record(5), test::kEmptyRecord);
}

TEST_F(ChannelTableTest, ChoicesStoreTonesBandwidthAndPower) {
  SetRecord(3, kDuplex);
  const std::tuple<int, int, const char*, const char*> choices[] = {
      {kColRxTone, 1, "00 00 55 14 01 00 00 06 00 3C 51 00 0C 0D FF FF", "67.0"},
      {kColTxTone, 258, "00 00 55 14 01 00 00 06 00 9A 71 00 0C 0D FF FF", "D754I"},
      {kColTxTone, 154, "00 00 55 14 01 00 00 06 00 9A 51 00 0C 0D FF FF", "D754N"},
      {kColRxTone, 155, "00 00 55 14 33 00 00 06 00 9A 59 00 0C 0D FF FF", "D023I"},
      {kColRxTone, -1, "00 00 55 14 FF 00 00 06 00 9A 51 00 0C 0D FF FF", "Off"},
      {kColTxTone, 259, "00 00 55 14 FF 00 00 06 00 FF 51 00 0C 0D FF FF", "Off"},
      {kColBandwidth, 0, "00 00 55 14 FF 00 00 06 00 FF 11 00 0C 0D FF FF", "Narrow"},
      {kColPower, 1, "00 00 55 14 FF 00 00 06 00 FF 91 00 0C 0D FF FF", "High"},
      {kColPower, 0, "00 00 55 14 FF 00 00 06 00 FF 11 00 0C 0D FF FF", "Low"}};
  for (const auto& [column, index, record, text] : choices) {
    SaveAside();
    const ChannelCommitResult done = CommitChannelChoice(doc, 3, column, index);
    EXPECT_EQ(Record(3), record) << column << " " << index;
    EXPECT_EQ(done.row.Text(column), text);
    EXPECT_TRUE(done.bStored && done.bModified && doc.IsModified());
    EXPECT_FALSE(done.bRebuildPriorityList);
  }
  // Locked cells and choices no list offers write nothing.
  SetRecord(4, "25 06 60 44 00 25 06 60 44 05 81 00 FF FF FF FF");  // receive-only
  SaveAside();
  const std::tuple<int, int, int> refused[] = {{4, kColTxTone, 3}, {5, kColRxTone, 3},
                                               {3, kColBandwidth, 2}, {3, kColPower, -1},
                                               {3, kColTxFrequency, 1}, {0, kColRxTone, 1}};
  const auto image = doc.Image();
  for (const auto& [row, column, index] : refused) {
    EXPECT_FALSE(CommitChannelChoice(doc, row, column, index).bStored) << row << " " << column;
  }
  EXPECT_EQ(doc.Image(), image);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(ChannelTableTest, NameCommitStoresChangedCodesWithTheNameBit) {
  SetRecord(3, "00 00 55 14 33 00 00 06 00 3C 49 00 0C 0D FF FF");
  const std::tuple<const char*, const char*, bool, const char*> names[] = {
      {"ab12", "01 02", true, "AB12"}, {"AB12", "01 02", false, "AB12"},  // the codes decide
      {"", "FF FF", true, ""}, {"WXYZ9", "24 25", true, "WXYZ"}, {"\xC3\xA9t\xE9", "FF FF", true, ""}};
  for (const auto& [typed, tail, modified, shown] : names) {
    SaveAside();
    const ChannelCommitResult done = CommitName(doc, 3, typed);
    EXPECT_EQ(done.bModified, modified) << typed;
    EXPECT_EQ(Record(3).substr(42), tail) << typed;
    EXPECT_EQ(done.row.Text(kColName), shown);
    EXPECT_EQ(IsNamePresent(doc.Image(), 3), *shown != '\0') << typed;
  }
  // Names not shown: stored all the same, bit included, but the cell stays blank.
  UseNameSetting("2");
  ChannelCommitResult done = CommitName(doc, 3, "q");
  EXPECT_EQ(Record(3), "00 00 55 14 33 00 00 06 00 3C 59 00 1C FF FF FF");
  EXPECT_EQ(done.row.Text(kColName), "");
  // Names off, and empty channels, take no name.
  UseNameSetting("0");
  EXPECT_FALSE(CommitName(doc, 3, "x").bStored);
  UseNameSetting("1");
  EXPECT_FALSE(CommitChannelText(doc, 2, kColName, "x").bStored);
  EXPECT_EQ(Record(3), "00 00 55 14 33 00 00 06 00 3C 59 00 1C FF FF FF");
  EXPECT_EQ(Record(2), test::kEmptyRecord);
}

TEST_F(ChannelTableTest, AnyInputKeepsEveryRecordValidAndNothingElseChanges) {
  std::mt19937 gen(8);
  const std::string alphabet = "0123456789....  --abcXYZ\t\x01\xFF\xC3\xA9";
  auto before = doc.Image();
  for (int i = 0; i < 1500; ++i) {
    std::string text(gen() % 12 == 0 ? 0 : gen() % 14, ' ');
    for (char& ch : text) ch = alphabet[gen() % alphabet.size()];
    const int row = static_cast<int>(gen() % 104) - 2;
    const int column = static_cast<int>(gen() % 10) - 1;
    CommitChannelText(doc, row, column, text);
    CommitChannelChoice(doc, row, column, static_cast<int>(gen() % 270) - 5);
  }
  for (std::size_t i = 0; i < kImageSize; ++i) {
    if (i < 0x10 || i >= 0x640) {
      ASSERT_EQ(doc.Image()[i], before[i]) << i;
    }
  }
  int programmed = 0;
  for (int r = 1; r <= 99; ++r) {
    if (IsRecordEmpty(doc.Image(), r)) continue;
    ++programmed;
    const int rx = ParseFrequencyText(GetFrequencyText(doc.Image(), r, true));
    EXPECT_TRUE(rx >= doc.GetBandLimits().m_nFreqMin && rx <= doc.GetBandLimits().m_nFreqMax && SnapToChannelStep(rx, doc.GetBandLimits()) == rx)
        << r;
    EXPECT_EQ(GetFrequencyText(doc.Image(), r, true), FormatFrequency(rx)) << r;
    if (!IsTransmitOff(doc.Image(), r)) {
      const int tx = ParseFrequencyText(GetChannelRow(doc, r).Text(kColTxFrequency));
      EXPECT_TRUE(tx >= doc.GetBandLimits().m_nFreqMin && tx <= doc.GetBandLimits().m_nFreqMax) << r;
    }
    EXPECT_EQ(IsNamePresent(doc.Image(), r), !GetChannelName(doc.Image(), r).empty()) << r;
  }
  EXPECT_GT(programmed, 20);
}

}  // namespace
}  // namespace qorrin
