#include "core/interchange/ImportApply.h"

#include "core/edit/ChannelCommits.h"
#include "core/interchange/ImportTestSupport.h"
#include "core/interchange/ListSamples.h"
#include "core/model/ModelTestSupport.h"
#include "support/DocumentBytes.h"

namespace qorrin {
namespace {

using ChannelImport = test::ImportTest;

TEST_F(ChannelImport, SpreadsheetRowsLandAsTypedIntoTheTable) {
  const ImportPlan plan = Import(test::kSpreadsheetList);
  EXPECT_EQ(Shown(1), "145.72500|Off|145.12500|88.5|Wide|High|RELA");
  EXPECT_EQ(Shown(2), "145.50000|Off|145.50000|Off|Narrow|Low|SIMP");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(Report(plan), (std::vector<std::string>{
      "line 2 (Location 1): changed: name \"Relais Nord\" stored as \"RELA\"; TStep \"12,50\" not kept "
      "(channels follow the 5 and 6.25 kHz raster)",
      "line 3 (Location 2): changed: name \"Simplex\" stored as \"SIMP\"; Skip \"S\" not kept; Comment \"Anruf\" not kept"}));
  EXPECT_EQ(ImportSummary(plan, EnglishImportTexts()), "2 rows imported into channels 1-2; 0 refused; 2 changed");
}

TEST_F(ChannelImport, DirectoryAndOlderFilesImportWithDefaultsForMissingColumns) {
  const ImportPlan directory = Import(test::kDirectoryList);
  EXPECT_EQ(directory.ImportedCount(), 3);
  EXPECT_EQ(Shown(5), "146.52000|Off|146.52000|Off|Wide|High|CAL2");
  EXPECT_EQ(Shown(6), "147.30000|Off|147.90000|100.0|Wide|Low|W1AW");
  // TSQL without a cToneFreq column: the rToneFreq the file gives.
  EXPECT_EQ(Shown(7), "145.11000|123.0|144.51000|123.0|Wide|Low|K1AB");

  // Counted from 0: Location 0 is channel 1.
  const ImportPlan old = Import(test::kOldToolList);
  EXPECT_EQ(old.ImportedChannels(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Shown(2), "147.00000|D754N|147.60000|D754I|Narrow|High|DCS");
  EXPECT_TRUE(Report(old).empty());
}

// Over a programmed channel too: the table shows what each row asks for.
TEST_F(ChannelImport, CrossTonesAndSplitReplaceAProgrammedChannel) {
  doc.ChangeFrequencyRange(2);  // 136-174 and 400-470 MHz
  CommitReceiveFrequency(doc, 4, "440");
  CommitTone(doc, 4, kColTxTone, 30);
  const ImportPlan plan = Import(test::kCrossList);
  EXPECT_EQ(plan.ImportedCount(), 3);
  EXPECT_EQ(Shown(4), "146.52000|D026I|146.52000|D025N|Wide|High|XDD");
  EXPECT_EQ(Shown(5), "146.52000|Off|146.52000|110.9|Wide|High|XT");
  EXPECT_EQ(Shown(9), "145.80000|Off|435.80000|Off|Wide|High|SPLT");
}

TEST_F(ChannelImport, EveryRefusalNamesItsLineAndStoresNothing) {
  CommitReceiveFrequency(doc, 2, "150");
  const std::string before2 = Record(2);
  const ImportPlan plan = Import(test::kRefusalList);
  EXPECT_EQ(Shown(1), "146.52000|Off|146.52000|Off|Wide|High|OK");
  EXPECT_EQ(Record(2), before2);
  for (int channel = 3; channel <= 99; ++channel) EXPECT_TRUE(IsRecordEmpty(doc.Image(), channel)) << channel;
  EXPECT_EQ(Report(plan), (std::vector<std::string>{
      "line 3 (Location 2): refused: no readable frequency: \"\"",
      "line 4 (Location 12): refused: 52.525000 MHz is outside 136.000-173.995 MHz",
      "line 5 (Location 4): refused: transmit 176.520000 MHz is outside 136.000-173.995 MHz",
      "line 6 (Location 5): refused: Mode AM: the radio has FM and NFM only",
      "line 7 (Location 6): refused: Mode WFM: the radio has FM and NFM only",
      "line 8 (Location 7): refused: Tone TSQL-R: the radio has no reverse squelch",
      "line 9 (Location 8): refused: Tone DTCS-R: the radio has no reverse squelch",
      "line 10 (Location 9): refused: 88.4 Hz is not a CTCSS tone of the radio",
      "line 11 (Location 10): refused: DCS code \"024\" is not one the radio knows",
      "line 12 (Location 100): refused: channel 100 is outside 1-99",
      "line 13 (Location 1): refused: channel 1 was named before, on line 2",
      "line 14 (Location x): refused: Location \"x\" is not a channel number",
      "line 15 (Location 13): refused: Duplex \"plus\" is not empty, +, -, split or off",
      "line 16 (Location 14): refused: Offset \"abc\" is not a frequency",
      "line 17 (Location 15): refused: DtcsPolarity \"NX\" is not NN, NR, RN or RR",
      "line 18 (Location 16): refused: CrossMode \"Tone->AM\" is not known",
      "line 19 (Location 17): refused: Tone \"DCS\" is not Tone, TSQL, DTCS or Cross"}));
  EXPECT_EQ(ImportSummary(plan, EnglishImportTexts()), "1 row imported into channel 1; 17 refused; 0 changed");

  // A frequency in the gap of a two-band model is refused too: the table would move it.
  doc.ChangeFrequencyRange(2);
  const ImportPlan gap = Plan("Frequency,Duplex,Offset\n300,,\n146.52,split,300\n174,,\n");
  EXPECT_EQ(Report(gap), (std::vector<std::string>{
      "line 2: refused: 300.000000 MHz is outside 136.000-174.000, 400.000-469.995 MHz",
      "line 3: refused: transmit 300.000000 MHz is outside 136.000-174.000, 400.000-469.995 MHz"}));
}

TEST_F(ChannelImport, ChangesAreStoredAndReported) {
  const ImportPlan plan = Import(
      "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,Power,TStep\n"
      "3,FRS 10,146.5231 MHz,+,0.6001,Tone,88.50 Hz,Mid,25\n"
      "4,,146.52,off,,Tone,100,0.5 W,6.25\n"
      "5,,146.53,,,,,2.5W,5\n"
      "6,,146.54,,,,,2.4W,5\n");
  EXPECT_EQ(Shown(3), "146.52500|Off|147.12500|88.5|Wide|High|FR10");
  EXPECT_EQ(Shown(4), "146.52000|Off|||Wide|Low|");
  EXPECT_EQ(Shown(5), "146.53000|Off|146.53000|Off|Wide|High|");  // 2.5 W and above is high
  EXPECT_EQ(Shown(6), "146.54000|Off|146.54000|Off|Wide|Low|");
  EXPECT_EQ(Report(plan), (std::vector<std::string>{
      "line 2 (Location 3): changed: 146.523100 MHz moved onto the channel raster: 146.52500; transmit "
      "147.123200 MHz moved onto the channel raster: 147.12500; Power \"Mid\" not understood: high power; name "
      "\"FRS 10\" stored as \"FR10\"; TStep \"25\" not kept (channels follow the 5 and 6.25 kHz raster)",
      "line 3 (Location 4): changed: encode tone 100.0 dropped: the channel is receive-only"}));

  // With names switched off the name is not stored, and the report says so.
  UseNameSetting("0");
  const ImportPlan off = Import("Location,Name,Frequency\n3,NEW,146.55\n");
  EXPECT_EQ(GetChannelName(doc.Image(), 3), "FR10");
  EXPECT_EQ(Report(off), (std::vector<std::string>{
      "line 2 (Location 3): changed: name \"NEW\" not stored: channel names are switched off"}));
}

TEST_F(ChannelImport, PlacementMergeAndReplace) {
  CommitReceiveFrequency(doc, 40, "150.5");
  test::Poke(doc, [&](ImageSpan image, const BandLimits&) { SetPriorityChannel(image, 40); });
  // From channel 97: rows in file order, whatever their locations; the fourth has no room.
  PlacementOptions from{true, 97, false};
  const ImportPlan plan = Import("Location,Frequency\n5,146.1\n5,146.2\n1,146.3\n2,146.4\n", from);
  EXPECT_EQ(plan.ImportedChannels(), (std::vector<int>{97, 98, 99}));
  EXPECT_EQ(Shown(98).substr(0, 9), "146.20000");
  EXPECT_EQ(Report(plan), (std::vector<std::string>{"line 5: refused: channel 100 is outside 1-99"}));
  EXPECT_EQ(GetFrequencyText(doc.Image(), 1, true), "136.00000");  // merged: the others keep theirs
  EXPECT_EQ(GetPriorityChannel(doc.Image()), 40);
  EXPECT_EQ(ChannelRunsText({1, 2, 3, 7, 9, 10}), "1-3, 7, 9-10");  // how a summary names channels
  // A run ends at the list's end, whatever lies beyond it (here the number that would go on).
  std::vector<int> cut = {4, 5, 6, 7};
  cut.pop_back();
  EXPECT_EQ(ChannelRunsText(cut), "4-6");

  // Replace clears every channel first; the priority channel, now empty, becomes off.
  SaveAside();
  const ImportApplyResult done = ApplyChannelImport(doc, Plan("146.52\n147\n", {false, 1, true}));
  EXPECT_EQ(done.nStored, 2);
  EXPECT_EQ(done.nCleared, 5);  // 1 (the new document's), 40, 97-99
  EXPECT_TRUE(done.bModified && doc.IsModified());
  EXPECT_EQ(Shown(2).substr(0, 9), "147.00000");
  for (int channel = 3; channel <= 99; ++channel) EXPECT_TRUE(IsRecordEmpty(doc.Image(), channel)) << channel;
  EXPECT_EQ(GetPriorityChannel(doc.Image()), 0);
}

TEST_F(ChannelImport, FallBackRangeTransmitTwiceTheReceiveReadsAsReceiveOnly) {
  // The 100-520 MHz fall-back allows a transmit twice the receive, which reads as receive-only.
  test::UseModelInfo(dir, {});
  doc.ChangeFrequencyRange(0);
  const ImportPlan twice = Import("Location,Frequency,Duplex,Offset,Tone\n1,200,+,200,Tone\n");
  EXPECT_EQ(Shown(1), "200.00000|Off|||Wide|High|");
  EXPECT_EQ(Report(twice), (std::vector<std::string>{
      "line 2 (Location 1): changed: transmit 400.000000 MHz is twice the receive frequency, which the radio "
      "reads as receive-only; encode tone 88.5 dropped: the channel is receive-only"}));
}

}  // namespace
}  // namespace qorrin
