#include "core/interchange/ChannelListReader.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/interchange/DelimitedText.h"
#include "core/interchange/ListFieldText.h"
#include "core/interchange/NameShortening.h"
#include "core/interchange/ListSamples.h"

namespace qorrin {
namespace {

using test::kDirectoryList;
using test::kSpreadsheetList;

TEST(DelimitedText, QuotesOnlyWhatNeedsItReadsItBackAndToleratesUsersFiles) {
  const std::vector<std::string> fields{"plain", "a,b", "say \"hi\"", "two\r\nlines", "", " x "};
  std::string text;
  AppendDelimitedRecord(text, fields, ',', "\r\n");
  EXPECT_EQ(text, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",, x \r\n");
  std::string tabs;
  AppendDelimitedRecord(tabs, fields, '\t', "\n");
  EXPECT_EQ(tabs, "plain\ta,b\t\"say \"\"hi\"\"\"\t\"two\r\nlines\"\t\t x \n");

  text += "next,row\r\n";
  const std::vector<TextRecord> records = SplitDelimitedText(text, ',');
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].fields, fields);
  EXPECT_EQ(records[1].nLine, 3);  // the quoted line break counts as a line
  EXPECT_EQ(SplitDelimitedText(tabs, '\t')[0].fields, fields);

  // Lone CR, blank and separator-only lines, '#' lines, spaces before a quote, text
  // after a closing quote, a quote left open at the end.
  const std::vector<TextRecord> odd = SplitDelimitedText("a,b\r#c,d\n\n , ,\r\nx, \"y,1\" z,\"open\nend", ',');
  ASSERT_EQ(odd.size(), 2u);
  EXPECT_EQ(odd[0].fields, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(odd[1].nLine, 5);
  EXPECT_EQ(odd[1].fields, (std::vector<std::string>{"x", "y,1 z", "open\nend"}));

  EXPECT_EQ(DetectSeparator("\xEF\xBB\xBF# a;b;c\n\nLocation;Name;Frequency\n"), ';');
  EXPECT_EQ(DetectSeparator("1;146,52\n"), ';');
  EXPECT_EQ(DetectSeparator("Location,Name;x,Frequency\n"), ',');
  EXPECT_EQ(DetectSeparator("1\t146,520\n"), '\t');
  EXPECT_EQ(DetectSeparator("146.52\n"), ',');
}

TEST(ChannelListReader, FindsSeparatorDecimalCommaAndColumnsByName) {
  const ChannelList list = ReadChannelList(kSpreadsheetList);
  ASSERT_TRUE(list.ok());
  EXPECT_EQ(list.separator, ';');
  EXPECT_TRUE(list.bHeader && list.bDecimalComma);
  ASSERT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[0].nLine, 2);
  EXPECT_EQ(list.rows[0].Cell(ListColumn::Name), "Relais Nord");
  EXPECT_EQ(list.rows[0].Cell(ListColumn::Frequency), "145,725000");
  EXPECT_EQ(list.rows[1].Cell(ListColumn::Comment), "Anruf");
  EXPECT_TRUE(list.HasColumn(ListColumn::DVCODE));

  // Columns are matched by name, in any order.
  const ChannelList directory = ReadChannelList(kDirectoryList);
  ASSERT_TRUE(directory.ok());
  EXPECT_EQ(directory.separator, ',');
  EXPECT_FALSE(directory.bDecimalComma);
  ASSERT_EQ(directory.rows.size(), 3u);
  const std::vector<ChannelListRow>& rows = directory.rows;
  EXPECT_EQ(std::tuple(rows[0].nLine, rows[1].nLine, rows[2].nLine), std::tuple(5, 7, 8));
  EXPECT_EQ(rows[0].Cell(ListColumn::Name), "Call, 2m");
  EXPECT_EQ(rows[0].Cell(ListColumn::Location), "5");
  EXPECT_EQ(rows[1].Cell(ListColumn::Tone), "Tone");
  EXPECT_EQ(rows[1].Cell(ListColumn::Power), "l");
  EXPECT_EQ(rows[2].Cell(ListColumn::Offset), "0.6 MHz");
  EXPECT_FALSE(directory.HasColumn(ListColumn::cToneFreq));
  EXPECT_FALSE(rows[0].HasCell(ListColumn::Mode));

  // The first cell of a repeated name wins; a header without Frequency is unusable.
  const ChannelList twice = ReadChannelList("frequency,FREQUENCY\n146.52,147\n");
  ASSERT_TRUE(twice.ok());
  EXPECT_EQ(twice.rows[0].Cell(ListColumn::Frequency), "146.52");
  EXPECT_EQ(ReadChannelList("Location,Name\n1,A\n").error, ChannelListError::NoFrequencyColumn);
}

TEST(ChannelListReader, WithoutHeaderAssumesTheWritingOrder) {
  // A row whose Tone cell says "Tone" is still data: it holds numbers.
  const ChannelList rows = ReadChannelList("3,RPT,146.94,-,0.6,Tone,100.0\n");
  ASSERT_TRUE(rows.ok());
  EXPECT_FALSE(rows.bHeader);
  EXPECT_EQ(rows.rows[0].Cell(ListColumn::Location), "3");
  EXPECT_EQ(rows.rows[0].Cell(ListColumn::rToneFreq), "100.0");
  EXPECT_FALSE(rows.rows[0].HasCell(ListColumn::Mode));

  // Clipboard text of one column: frequencies, with decimal commas when not comma-separated.
  const ChannelList column = ReadChannelList("146,52\r\n147,3\r\n", '\t');
  ASSERT_EQ(column.rows.size(), 2u);
  EXPECT_EQ(column.rows[1].Cell(ListColumn::Frequency), "147,3");
  EXPECT_TRUE(column.bDecimalComma);
  EXPECT_FALSE(column.HasColumn(ListColumn::Location));

  EXPECT_TRUE(ReadChannelList("").rows.empty());
  EXPECT_TRUE(ReadChannelList("\xEF\xBB\xBF# nothing\r\n\r\n").rows.empty());
}

TEST(NameShortening, KeepsWhatTellsChannelsApart) {
  const std::pair<const char*, const char*> names[] = {
      {"FRS 10", "FR10"}, {"CB 01RP", "CB01"}, {"H-TAC1", "HTA1"}, {"2m Call", "2MCA"}, {"WX1", "WX1"},
      {"a-b", "A-B"},     {"W1AW/R", "W1AW"},  {"Ch 1234", "C234"}, {"Marine 16", "MA16"}, {"Relais Nord", "RELA"},
      {"Ü-7", "-7"},      {"", ""},            {"#!?", ""},         {" AB ", " AB "},    {"R 2 D 2", "R2D2"},
      {"zulu 9", "ZUL9"}, {"12345", "345"}};
  for (const auto& [name, shortened] : names) EXPECT_EQ(ShortenChannelName(name), shortened) << name;
}

TEST(ListFieldText, ScaledDecimalsTakeNineWholeDigitsAndNoLostPrecision) {
  EXPECT_EQ(ParseScaledDecimal("123456789.5", 1, false), 1234567895);
  EXPECT_EQ(ParseScaledDecimal("1,5", 1, true), 15);
  EXPECT_EQ(ParseScaledDecimal(".50", 1, false), 5);
  for (const char* refused : {"1234567890", "1,5", "1.55", "", ".", "1a", "-1"}) {
    EXPECT_EQ(ParseScaledDecimal(refused, 1, false), std::nullopt) << refused;
  }
}

}  // namespace
}  // namespace qorrin
