#include "core/edit/ChannelRow.h"

#include "core/edit/ChannelCellLists.h"
#include "core/edit/ChannelCommits.h"
#include "core/edit/ChannelTableLayout.h"
#include "core/edit/ChannelTableTestSupport.h"

namespace qorrin {
namespace {

using test::ChannelTableTest;
using Texts = std::array<std::string, kChannelTableColumns>;
using Flags = std::array<bool, kChannelTableColumns>;

constexpr char kDuplex[] = "00 00 55 14 33 00 00 06 00 3C 49 00 0C 0D FF FF";  // names clear
constexpr char kReceiveOnly[] = "25 06 60 44 00 25 06 60 44 05 81 00 FF FF FF FF";

TEST_F(ChannelTableTest, RowsShowProgrammedDuplexReceiveOnlyAndEmptyChannels) {
  SetRecord(3, kDuplex);
  SetRecord(4, kReceiveOnly);
  SetRecord(5, "00 00 55 A0 33 00 00 06 00 3C 49 00 0C 0D FF FF");  // byte 3 above 0x99
  const std::vector<ChannelRow> rows = BuildChannelTable(doc);
  ASSERT_EQ(rows.size(), 99u);
  EXPECT_FALSE(doc.IsModified());

  EXPECT_EQ(rows[0].texts, (Texts{"1", "136.00000", "Off", "136.00000", "Off", "Wide", "High", ""}));
  EXPECT_EQ(rows[0].editable, (Flags{false, true, true, true, true, true, true, true}));
  EXPECT_EQ(rows[2].texts, (Texts{"3", "145.50000", "D023I", "144.90000", "D053N", "Wide", "Low", "AB"}));
  // Receive-only: blank transmit cell, encode tone locked and blank (its byte is not off).
  EXPECT_EQ(rows[3].texts, (Texts{"4", "446.00625", "Off", "", "", "Narrow", "High", ""}));
  EXPECT_EQ(rows[3].editable, (Flags{false, true, true, true, false, true, true, true}));
  EXPECT_TRUE(rows[3].IsGrey(kColTxTone));
  EXPECT_FALSE(rows[3].IsGrey(kColChannel));
  for (int r : {2, 5}) {
    const ChannelRow& row = rows[static_cast<std::size_t>(r - 1)];
    EXPECT_EQ(row.texts, (Texts{std::to_string(r), "", "", "", "", "", "", ""})) << r;
    EXPECT_EQ(row.editable, (Flags{false, true, false, false, false, false, false, false})) << r;
    EXPECT_FALSE(row.bNameButtonFace);
  }
  // Showing the name set channel 3's name bit; the empty 5 and the nameless 4 keep their flags.
  EXPECT_EQ(Record(3), "00 00 55 14 33 00 00 06 00 3C 59 00 0C 0D FF FF");
  EXPECT_EQ(Record(4), kReceiveOnly);
  EXPECT_EQ(Record(5), "00 00 55 A0 33 00 00 06 00 3C 49 00 0C 0D FF FF");

  for (int bad : {0, 100, -1}) {
    EXPECT_EQ(GetChannelRow(doc, bad).nRow, 0);
    EXPECT_FALSE(IsChannelCellEditable(doc, bad, kColRxFrequency));
  }
  for (int column : {0, kChannelTableColumns}) EXPECT_FALSE(IsChannelCellEditable(doc, 3, column));  // fixed column, beyond
}

TEST_F(ChannelTableTest, NameSettingDecidesTheNameColumn) {
  SetRecord(3, kDuplex);
  SetRecord(6, "00 00 55 14 33 00 00 06 00 3C 59 00 FF FF FF FF");  // bit set, no name
  // {setting, editable, button face, shown}
  for (auto [setting, editable, buttonFace, shown] :
       {std::tuple{"1", true, false, true}, {nullptr, true, false, true}, {"0", false, true, false},
        {"0x", false, true, false}, {"2", true, false, false}, {"", true, false, false},
        {"10", true, false, true}}) {
    SCOPED_TRACE(setting ? setting : "(missing)");
    SetRecord(3, kDuplex);
    UseNameSetting(setting);
    const ChannelRow row = RefreshChannelRow(doc, 3);
    EXPECT_EQ(row.IsEditable(kColName), editable);
    EXPECT_EQ(row.IsGrey(kColName), !editable);
    EXPECT_EQ(row.bNameButtonFace, buttonFace);
    EXPECT_EQ(row.Text(kColName), shown ? "AB" : "");
    // The bit follows the name only where the name is shown.
    EXPECT_EQ(IsNamePresent(doc.Image(), 3), shown);
    RefreshChannelRow(doc, 6);
    EXPECT_EQ(IsNamePresent(doc.Image(), 6), !shown);
    SetRecord(6, "00 00 55 14 33 00 00 06 00 3C 59 00 FF FF FF FF");
    // Names off paint the button face on empty rows too; an empty row is never editable.
    EXPECT_EQ(GetChannelRow(doc, 7).bNameButtonFace, buttonFace);
    EXPECT_FALSE(GetChannelRow(doc, 7).IsEditable(kColName));
  }
  // Reading a row without refreshing it leaves the bit alone.
  UseNameSetting("1");
  SetRecord(3, kDuplex);
  EXPECT_EQ(GetChannelRow(doc, 3).Text(kColName), "AB");
  EXPECT_FALSE(IsNamePresent(doc.Image(), 3));
  EXPECT_FALSE(doc.IsModified());
}

// A drop-down opens on the item it shows; storing it again (no new pick) keeps the record.
TEST_F(ChannelTableTest, DropDownCellsOpenOnTheItemTheyShow) {
  SetRecord(3, kDuplex);
  SetRecord(4, kReceiveOnly);
  for (int row : {3, 4}) {
    RefreshChannelRow(doc, row);
    const std::string record = Record(row);
    const ChannelRow shown = GetChannelRow(doc, row);
    for (int column : {kColRxTone, kColTxTone, kColBandwidth, kColPower}) {
      SCOPED_TRACE(testing::Message() << "row " << row << " column " << column);
      if (!shown.IsEditable(column)) continue;
      const int choice = GetChannelCellChoice(doc, row, column);
      const std::vector<std::string> items = GetChannelCellItems(column);
      ASSERT_TRUE(choice >= 0 && choice < static_cast<int>(items.size()));
      EXPECT_EQ(items[static_cast<std::size_t>(choice)], shown.Text(column));
      CommitChannelChoice(doc, row, column, choice);
      EXPECT_EQ(Record(row), record);
    }
  }
  for (int column : {kColChannel, kColRxFrequency, kColName}) EXPECT_EQ(GetChannelCellChoice(doc, 3, column), -1);
  for (int row : {0, 100}) EXPECT_EQ(GetChannelCellChoice(doc, row, kColPower), -1);
}

TEST_F(ChannelTableTest, HeadingsAndDropDownLists) {
  EXPECT_EQ(LoadChannelHeadings()[0], "CH");
  EXPECT_EQ(LoadChannelHeadings()[1], "RX Frequency");
  dir.write("odd.lang",
            "[ChText]\nIDS_ChText1=RX\nIDS_ChText2=\nIDS_ChText4=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\n"
            "[String]\nIDS_OFF=Aus\n");
  g_strLangFile = dir.file("odd.lang");
  const std::string cut = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012";  // 29 bytes
  EXPECT_EQ(LoadChannelHeadings(), (Texts{"", "RX", "", "", cut, cut, cut, cut}));

  const std::vector<std::string> tones = GetChannelCellItems(kColTxTone);
  ASSERT_EQ(tones.size(), 259u);
  EXPECT_EQ(tones[0], "Aus");  // the other texts: the tone table's test
  EXPECT_EQ(GetChannelCellItems(kColRxTone), tones);
  // The bandwidth and power items: the drop-down test above, which finds each shown text.
  for (int c : {0, 1, 3, 7, 8}) {
    EXPECT_TRUE(GetChannelCellItems(c).empty()) << c;
  }
}

}  // namespace
}  // namespace qorrin
