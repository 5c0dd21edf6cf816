#include "core/compare/DocumentDiff.h"

#include <gtest/gtest.h>

#include "core/compare/ImageCompare.h"
#include "core/edit/FmPresets.h"
#include "core/model/OptionFields.h"
#include "support/TestSupport.h"
#include "support/DocumentBytes.h"

namespace qorrin {
namespace {

using Lines = std::vector<std::string>;

class DocumentDiffTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.installDataFiles();
    ASSERT_TRUE(a.OnNewDocument());
    ASSERT_TRUE(b.OnNewDocument());
  }
  std::vector<std::string> DiffLines(const DiffOptions& options = {}) const {
    std::vector<std::string> lines;
    for (const auto& d : DiffDocuments(a, b, options)) lines.push_back(FormatDifference(d));
    return lines;
  }
  test::TempDir dir;
  CQorrinDoc a, b;
};

TEST_F(DocumentDiffTest, EachChangeIsOneLineInTheTextsTheWindowShows) {
  EXPECT_TRUE(DiffDocuments(a, b).empty());
  test::SetFrequencies(a, 5, "146.52");
  test::SetFrequencies(b, 5, "146.55");
  test::Poke(a, [&](ImageSpan image, const BandLimits&) {
    SetWide(image, 5, true);
    WriteOptionField(image, OptionField::Squelch, 5);
    WriteOptionField(image, OptionField::KeyBeep, true);
    SetFmPreset(image, 3, 0);
    SetFmPreset(image, kFmPresetCount, 0);
  });
  test::Poke(b, [&](ImageSpan image, const BandLimits&) {
    SetWide(image, 5, false);
    SetChannelName(image, 5, "ABCD");
    WriteOptionField(image, OptionField::Squelch, 3);
    WriteOptionField(image, OptionField::KeyBeep, false);
    SetPriorityChannel(image, 5);
    SetFmPreset(image, 3, 135);
    SetFmPreset(image, kFmPresetCount, 135);
  });
  EXPECT_EQ(DiffLines(), (Lines{"squelch: 5 -> 3", "key beep: on -> off", "priority channel: Off -> 5",
                                "channel 5 RX: 146.52000 -> 146.55000",
                                "channel 5 TX: 146.52000 -> 146.55000", "channel 5 bandwidth: Wide -> Narrow",
                                "channel 5 name: (none) -> ABCD", "FM preset 3: 87M0 -> 100M5",
                                "FM preset 15: 87M0 -> 100M5"}));
  // The other direction says the same the other way round.
  EXPECT_EQ(FormatDifference(DiffDocuments(b, a).front()), "squelch: 3 -> 5");
}

TEST_F(DocumentDiffTest, AddedChannelsVfosAndBytesNoFieldShowsAreReportedToo) {
  test::SetFrequencies(b, 7, "146.52");
  test::SetByte(b, *RecordOffset(7) + kRecStep, 3);  // the step: no table column, a byte line of its own
  test::SetByte(b, 0x7CC, 0x42);                     // uninterpreted, with its neighbour
  test::SetByte(b, 0x7CD, 0x43);
  test::SetByte(b, 0x900, 0x01);                     // never sent to the radio
  test::SetByte(b, kOptSquelch, 20);                 // reads as 9: the panel shows 9
  test::SetByte(a, kOptSquelch, 9);
  test::Poke(b, [&](ImageSpan image, const BandLimits& l) { SetFrequencyText(image, l, kVfoARecord, true, "150.00000"); });
  const Lines lines = DiffLines();
  // VFO TX follows RX (simplex); squelch 9 and 20 read alike but differ, as do step and 0x7CC-0x7CD.
  EXPECT_EQ(lines, (Lines{"VFO A RX: 136.00000 -> 150.00000", "VFO A TX: 136.00000 -> 150.00000",
                          "channel 7: (empty) -> RX 146.52000, RX tone Off, TX 146.52000, TX tone Off, "
                          "bandwidth Wide, power High",
                          "byte 0x7C2 (option block): 09 -> 14", "bytes 0x7CC-0x7CD (option block): 00 00 -> 42 43",
                          "byte 0x900 (PC-side, never sent to the radio): 1 byte(s) differ"}));
  EXPECT_EQ(DiffLines({false, false}).size(), 5u);

  // Channel 7 programmed on both sides now: its step shows as a byte of its own.
  test::SetFrequencies(a, 7, "146.52");
  EXPECT_EQ(DiffLines({false, false})[2], "byte 0x07B (channel 7): 00 -> 03");
  test::SetFrequencies(b, 99, "146.52");  // the last channel is compared too
  EXPECT_EQ(DiffLines({false, false})[2],
            "channel 99: (empty) -> RX 146.52000, RX tone Off, TX 146.52000, TX tone Off, bandwidth Wide, power High");

  std::vector<std::uint8_t> file(a.Header().begin(), a.Header().end());
  file.insert(file.end(), a.Image().begin(), a.Image().end());
  file[40] = 'x';  // behind the header's text
  a.SerializeLoad(file);
  EXPECT_EQ(DiffLines().front().rfind("project header: ", 0), 0u);
}

TEST(ImageCompareTest, RunsStopAtRecordBoundariesAndNameTheirArea) {
  std::array<std::uint8_t, kImageSize> sent{}, held{};
  for (std::size_t i = 0x5C; i < 0x64; ++i) held[i] = 1;  // channel 5's tail, channel 6's head
  held[0x7E2] = 9;
  held[0x900] = 9;  // never compared by default
  const auto runs = CompareImages(sent, held);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(DescribeDifference(runs[0]), "0x005C-0x005F (channel 5): sent 00 00 00 00, radio holds 01 01 01 01");
  EXPECT_EQ(runs[1].nFirst, 0x60u);
  EXPECT_EQ(ImageAreaName(runs[1].nFirst), "channel 6");
  EXPECT_EQ(DescribeDifference(runs[2]), "0x07E2 (FM presets): sent 00, radio holds 09");
  EXPECT_EQ(ImageAreaName(0x7A5), "VFO A");
  EXPECT_EQ(ImageAreaName(0x650), "record 101");
  EXPECT_TRUE(CompareImages(sent, sent).empty());
}

}  // namespace
}  // namespace qorrin
