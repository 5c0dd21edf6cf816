// Lists as others publish them: nothing may be lost or stored falsely without a word.
#include "core/interchange/ImportApply.h"

#include "core/edit/ChannelCommits.h"
#include "core/interchange/ImportTestSupport.h"
#include "core/interchange/ListSamples.h"
#include "core/model/RecordFields.h"

namespace qorrin {
namespace {

using AwkwardListImport = test::ImportTest;

TEST_F(AwkwardListImport, AStrayQuoteOrARowCutShortLosesOnlyItsOwnRow) {
  std::string file = test::kFullHeader + "\r\n";
  for (int location = 1; location <= 46; ++location) {
    const std::string comment = location == 9 ? "\"meets Tuesdays" : "ok";
    file += std::to_string(location) + ",C" + std::to_string(location) + ",146.52,,,,,,,,,,FM,5.00,,5.0W," + comment +
            ",,,,\r\n";
  }
  file += "47,V48BFW,147.0\r\n";  // the file was cut off here
  const ImportPlan plan = Import(file);
  EXPECT_EQ(plan.ImportedCount(), 45);
  EXPECT_TRUE(IsRecordEmpty(doc.Image(), 9));
  EXPECT_FALSE(IsRecordEmpty(doc.Image(), 10));
  EXPECT_FALSE(IsRecordEmpty(doc.Image(), 46));
  EXPECT_TRUE(IsRecordEmpty(doc.Image(), 47));
  const std::vector<std::string> report = Report(plan);
  ASSERT_EQ(report.size(), 47u);  // 45 comments not kept, and the two refusals
  EXPECT_EQ(report[8],
            "line 10 (Location 9): refused: a quote opened on line 10 is not closed before the next rows: the file is "
            "damaged here");
  EXPECT_EQ(report.back(), "line 48 (Location 47): refused: the row ends before its Duplex column: it is incomplete");

  // An empty Mode cell is FM, said on its line; an empty Power cell the default power.
  const ImportPlan empty = Import("Location,Frequency,Mode,Power\n5,146.5,,\n", {false, 1, false, false});
  EXPECT_EQ(Shown(5), "146.50000|Off|146.50000|Off|Wide|Low|");
  EXPECT_EQ(Report(empty), (std::vector<std::string>{
      "line 2 (Location 5): changed: Mode empty: stored as FM (wide); Power empty: low power"}));
}

TEST_F(AwkwardListImport, NamesThatShortenAlikeAreShortenedAgainTogether) {
  const ImportPlan plan = Import(
      "Name,Frequency\nVE3OCE,146.1\nVE3ORF,146.2\nVE3OJN,146.3\nSEA F1,146.4\nSEA L1,146.5\nMERCRV,146.6\n"
      "MERCRU,146.7\nGMRS15,146.8\nGMRS15R,146.9\nab,147.0\nABCD1234,147.1\nABXD1234,147.2\nCALL,147.3\ncall,147.4\n");
  std::vector<std::string> names;
  for (int channel = 1; channel <= 14; ++channel) names.push_back(GetChannelName(doc.Image(), channel));
  EXPECT_EQ(names, (std::vector<std::string>{"3OCE", "3ORF", "3OJN", "EAF1", "EAL1", "RCRV", "RCRU", "RS15", "S15R",
                                             "AB", "A234", "A234", "CALL", "CALL"}));
  const std::vector<std::string> report = Report(plan);
  EXPECT_EQ(report[0], "line 2 (channel 1): changed: name \"VE3OCE\" stored as \"3OCE\"");
  EXPECT_EQ(report[9], "line 11 (channel 10): changed: name \"ab\" stored as \"AB\"");
  // Names that stay alike are said on each of their rows; the same name twice is no clash.
  EXPECT_EQ(report[10],
            "line 12 (channel 11): changed: name \"ABCD1234\" stored as \"A234\"; name \"A234\" is not unique: also on "
            "line 13");
  EXPECT_EQ(report.size(), 13u);
}

TEST_F(AwkwardListImport, RowsPlacedInOrderLeaveNoGapAndNameTheirChannel) {
  CommitReceiveFrequency(doc, 41, "147.5");
  const ImportPlan plan = Import("146.1\tONE\nAM radio\tX\n146.3\nabc\n146.4 MHz\n", {true, 40, false});
  EXPECT_EQ(plan.ImportedChannels(), (std::vector<int>{40, 41, 42}));
  EXPECT_EQ(Shown(41).substr(0, 9), "146.30000");  // the old 147.5 is not left between them
  EXPECT_EQ(Report(plan), (std::vector<std::string>{
      "line 2: refused: no readable frequency: \"AM radio\"", "line 4: refused: no readable frequency: \"abc\""}));

  // A blank Location column: placed in order too, from channel 1.
  const ImportPlan blank = Import("Location,Frequency,Name\n,145.1,A\n,x,B\n,145.3,c\n");
  EXPECT_EQ(blank.ImportedChannels(), (std::vector<int>{1, 2}));
  EXPECT_EQ(Report(blank), (std::vector<std::string>{"line 3: refused: no readable frequency: \"x\"",
                                                     "line 4 (channel 2): changed: name \"c\" stored as \"C\""}));
  // Past channel 99 the rows are refused and counted.
  const ImportPlan last = Plan("145.1\n145.2,ab\n145.3\n", {true, 98, false});
  EXPECT_EQ(last.BeyondLastChannelCount(), 1);
  EXPECT_EQ(Report(last).front(), "line 2 (channel 99): changed: name \"ab\" stored as \"AB\"");
}

TEST_F(AwkwardListImport, RefusalsNameTheRangeReallyAcceptedAndARangeThatFits) {
  // 174.000 lies 5 kHz past the highest frequency model 0 takes; model 4 takes it.
  ImportPlan plan = Plan("Frequency\n173.995\n174\n");
  EXPECT_EQ(Report(plan), (std::vector<std::string>{
      "line 3: refused: 174.000000 MHz is outside 136.000-173.995 MHz"}));
  doc.ChangeFrequencyRange(4);
  EXPECT_EQ(Plan("Frequency\n174\n480\n").RefusedCount(), 1);

  // A UHF list in the VHF range: the first range of the settings that takes the most rows.
  doc.ChangeFrequencyRange(0);
  plan = Plan("Frequency\n446.00625\n446.01875\n146.52\n");
  EXPECT_EQ(plan.ImportedCount(), 1);
  EXPECT_EQ(Assumed(plan), (std::vector<std::string>{
      "no Mode column: channels stored as FM (wide)",
      "no Power column: channels stored at high power",
      "the frequency range 136-174MHz/400-470MHz would take 3 rows of this list"}));
  // The power of a list without a Power column is the caller's choice.
  plan = Import("Frequency\n146.52\n", {false, 1, false, false});
  EXPECT_FALSE(IsHighPower(doc.Image(), 1));
  EXPECT_EQ(Assumed(plan)[1], "no Power column: channels stored at low power");
}

TEST_F(AwkwardListImport, TheTablesOwnHeadingsReadInEitherLanguage) {
  // The English words go the same way as the Chinese ones here.
  const ImportPlan chinese = Import(
      "信道\t接收频率\tCTC/DCS解码\t发射频率\tCTC/DCS编码\t宽/窄\t功率\t信道名称\r\n"
      "3\t145.50000\t关闭\t145.50000\t67.0\t宽带\t高\tA1\r\n"
      "4\t145.60000\t99.9\t145.60000\t关闭\t宽带\t高\tA2\r\n");
  EXPECT_EQ(Shown(3), "145.50000|Off|145.50000|67.0|Wide|High|A1");
  EXPECT_EQ(Report(chinese), (std::vector<std::string>{
      "line 3 (Location 4): refused: tone \"99.9\" is not one the radio knows"}));
}

TEST_F(AwkwardListImport, MessagesShowOnlyPrintableTextAndSayWhereTheyCut) {
  const ImportPlan plan =
      Plan("Location,Frequency\n1,\xFF\x1B[31m\n" + std::string(50, '7') + ",146\n2,\xC3\xA9\xC3(\n");
  EXPECT_EQ(Report(plan), (std::vector<std::string>{
      "line 2 (Location 1): refused: no readable frequency: \"??[31m\"",
      "line 3 (Location " + std::string(40, '7') + "\u2026): refused: Location \"" + std::string(40, '7') +
          "\u2026\" is not a channel number",
      "line 4 (Location 2): refused: no readable frequency: \"\xC3\xA9?(\""}));  // a lead byte without its follower
}

}  // namespace
}  // namespace qorrin
