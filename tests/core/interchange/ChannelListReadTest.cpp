#include "core/interchange/ChannelListReader.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/interchange/DelimitedText.h"
#include "core/interchange/ListFieldText.h"
#include "core/interchange/ListFileText.h"
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
  // after a closing quote, a quote left open on the last line.
  const std::vector<TextRecord> odd = SplitDelimitedText("a,b\r#c,d\n\n , ,\r\nx, \"y,1\" z,\"open end", ',');
  ASSERT_EQ(odd.size(), 2u);
  EXPECT_EQ(odd[0].fields, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(odd[1].nLine, 5);
  EXPECT_EQ(odd[1].fields, (std::vector<std::string>{"x", "y,1 z", "open end"}));
  EXPECT_EQ(odd[1].nUnclosedQuoteLine, 0);

  for (auto [text, separator] : {std::pair{"\xEF\xBB\xBF# a;b;c\n\nLocation;Name;Frequency\n", ';'},
                                 {"1;146,52\n", ';'}, {"Location,Name;x,Frequency\n", ','},
                                 {"1\t146,520\n", '\t'}, {"146.52\n", ','}}) {
    EXPECT_EQ(DetectSeparator(text), separator) << text;
  }
}

// A stray quote must not swallow the rows after it: its record ends with its line and is marked
// (one stray quote in a long list: the awkward-list import test).
TEST(DelimitedText, AQuoteThatRunsIntoFollowingRowsIsDamageNotOneRecord) {
  // A second stray quote rows later closes the first; the rows between are still rows.
  std::vector<TextRecord> records = SplitDelimitedText("A,B,C,D,E,F\n1,2,3,4,5,\"x\n7,8,9,10,\"y\",z\n13,14,15,16,17,18\n", ',');
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[1].nUnclosedQuoteLine, 2);
  EXPECT_EQ(records[2].fields[0], "7");
  EXPECT_EQ(records[3].fields[0], "13");

  // Spreadsheet clipboard text, and a quote over a line break to the end of the text.
  records = SplitDelimitedText("146.52\tA\n\"146.54\tB\n146.56\tC\n", '\t');
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].nUnclosedQuoteLine, 2);
  records = SplitDelimitedText("1,2,3\n4,5,\"six\nseven", ',');
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].nUnclosedQuoteLine, 2);
  EXPECT_EQ(records[2].fields, std::vector<std::string>{"seven"});

  // A closed quote over a line break and a blank line, fields after it: one row.
  records = SplitDelimitedText("A,B,C,D\n1,\"two\n\nlines, here\",3,4\n5,6,7,8\n", ',');
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].nUnclosedQuoteLine, 0);
  EXPECT_EQ(records[1].fields, (std::vector<std::string>{"1", "two\n\nlines, here", "3", "4"}));
  EXPECT_EQ(records[2].nLine, 5);
}

TEST(ChannelListReader, FindsSeparatorDecimalCommaAndColumnsByName) {
  // The cells of the spreadsheet and directory samples (columns by name, in any order, the
  // decimal comma): the import's tests, which show each row in the table.
  const ChannelList directory = ReadChannelList(kDirectoryList);
  ASSERT_TRUE(directory.ok());
  EXPECT_EQ(directory.separator, ',');
  EXPECT_EQ(ReadChannelList(kSpreadsheetList).separator, ';');
  ASSERT_EQ(directory.rows.size(), 3u);
  const std::vector<ChannelListRow>& rows = directory.rows;
  EXPECT_EQ(std::tuple(rows[0].nLine, rows[1].nLine, rows[2].nLine), std::tuple(5, 7, 8));

  // The first cell of a repeated name wins; a header without Frequency is unusable.
  const ChannelList twice = ReadChannelList("frequency,FREQUENCY\n146.52,147\n");
  ASSERT_TRUE(twice.ok());
  EXPECT_EQ(twice.rows[0].Cell(ListColumn::Frequency), "146.52");
  EXPECT_EQ(ReadChannelList("Location,Name\n1,A\n").error, ChannelListError::NoFrequencyColumn);
  // A Location column blank on only some rows is still one (blank on all: the import's test).
  EXPECT_TRUE(ReadChannelList("Location,Frequency\n,146.5\n7,146.6\n").HasColumn(ListColumn::Location));
}

TEST(ChannelListReader, WithoutHeaderAssumesTheWritingOrderAndSpreadsheetColumns) {
  // A row whose Tone cell says "Tone" is still data: it holds numbers.
  const std::string full = "3,RPT,146.94,-,0.6,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W\n";
  const ChannelList rows = ReadChannelList(full + "21,V48BFW,147.0\n146.52\tCALL\n");
  ASSERT_TRUE(rows.ok());
  EXPECT_FALSE(rows.bHeader);
  EXPECT_EQ(rows.rows[0].Cell(ListColumn::Location), "3");
  EXPECT_EQ(rows.rows[0].Cell(ListColumn::rToneFreq), "100.0");
  EXPECT_EQ(rows.rows[0].missing, std::nullopt);  // the columns after Power may be missing
  EXPECT_EQ(rows.rows[1].missing, ListColumn::Duplex);  // cut off in the middle of the row

  // Clipboard text: one column is frequencies (decimal commas allowed), two frequency and name.
  const ChannelList column = ReadChannelList("146,52\r\n147,3\tCALL\r\n147,4\t\r\n", '\t');
  ASSERT_EQ(column.rows.size(), 3u);
  EXPECT_EQ(column.rows[0].Cell(ListColumn::Frequency), "146,52");
  EXPECT_EQ(column.rows[1].Cell(ListColumn::Frequency), "147,3");
  EXPECT_EQ(column.rows[1].Cell(ListColumn::Name), "CALL");
  EXPECT_TRUE(column.rows[2].HasCell(ListColumn::Name));
  EXPECT_TRUE(column.bDecimalComma);
  EXPECT_FALSE(column.HasColumn(ListColumn::Location));

  EXPECT_TRUE(ReadChannelList("").rows.empty());
  EXPECT_TRUE(ReadChannelList("\xEF\xBB\xBF# nothing\r\n\r\n").rows.empty());
}

TEST(ListFileText, UnicodeFilesAreReadAndBinaryFilesRefused) {
  // Notepad's "Unicode": UTF-16 little-endian with a byte-order mark, and big-endian.
  const std::string little("\xFF\xFE" "1\0,\0\xAC\x20\r\0\n\0\x3D\xD8\x00\xDE", 16);
  EXPECT_EQ(ListFileText(little), "1,\u20AC\r\n\U0001F600");
  const std::string big("\xFE\xFF\0A\0,\xD8\x3D", 8);  // a lone surrogate at the end
  EXPECT_EQ(ListFileText(big), "A,\uFFFD");
  // A high surrogate before a last odd byte: no pair is made with what lies past the end.
  EXPECT_EQ(ListFileText(std::string("\xFE\xFF\0A\xD8\x3D\xDC", 7)), "A\uFFFD\uFFFD");
  // A high surrogate before a character that is no low one: the character stays itself.
  EXPECT_EQ(ListFileText(std::string("\xFE\xFF\xD8\x3D\0B\0,", 8)), "\uFFFDB,");
  // The ends of the surrogate range, and the first character after it.
  EXPECT_EQ(ListFileText(std::string("\xFE\xFF\xD8\x00\0B\xDF\xFF\xE0\x00", 10)), "\uFFFDB\uFFFD\uE000");
  // Blanks around a cell, spaces and tabs alike, are no part of it.
  EXPECT_EQ(TrimSpacesAndTabs("\t 146.52 \t"), "146.52");
  // Columns padded with spaces are text.
  EXPECT_EQ(ListFileText("Location , Frequency\n1        ,   146.52\n"), "Location , Frequency\n1        ,   146.52\n");
  // An 8-bit code page stays as it is; a file's end-of-file mark is no reason to refuse it.
  EXPECT_EQ(ListFileText("1,M\xFCnchen\r\n\x1A"), "1,M\xFCnchen\r\n\x1A");
  // gzip, random bytes, a NUL in text.
  EXPECT_EQ(ListFileText(std::string("\x1F\x8B\x08\x00\x12\x34", 6)), std::nullopt);
  std::string noise;
  for (int i = 0; i < 400; ++i) noise.push_back(static_cast<char>((i * 73 + 11) % 256));
  EXPECT_EQ(ListFileText(noise), std::nullopt);
  EXPECT_EQ(ListFileText(std::string("146.52\0\n", 8)), std::nullopt);
}

TEST(NameShortening, KeepsWhatTellsChannelsApart) {
  const std::pair<const char*, const char*> names[] = {
      {"FRS 10", "FR10"}, {"CB 01RP", "CB01"}, {"H-TAC1", "HTA1"}, {"2m Call", "2MCA"}, {"WX1", "WX1"},
      {"a-b", "A-B"},     {"W1AW/R", "W1AW"},  {"Ch 1234", "C234"}, {"Marine 16", "MA16"}, {"Relais Nord", "RELA"},
      {"Ü-7", "-7"},      {"", ""},            {"#!?", ""},         {" AB ", " AB "},    {"R 2 D 2", "R2D2"},
      {"zulu 9", "ZUL9"}, {"12345", "345"},
      // A dropped character or a space separates runs of digits.
      {"GMRS 550/15R", "GM15"}, {"GMRS 551/16R", "GM16"}, {"CH 12 3", "CH13"}};
  for (const auto& [name, shortened] : names) EXPECT_EQ(ShortenChannelName(name), shortened) << name;
  // The other shortenings, after dropping what the radio cannot show and the spaces (the last
  // four: the awkward-list import's names).
  EXPECT_EQ(EndsOfName("VE3-OCE"), "VECE");
  EXPECT_EQ(EndsOfName("A/B"), "AB");
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
