#pragma once
// What one row of the channel table shows, computed from the radio image: the texts of the
// channel-number column and the seven data columns, which cells the user may edit (the
// others are drawn in grey text) and whether the name cell has the button-face background.
//
// Which cells are editable:
//   empty channel              column 1 only
//   programmed, transmit off   columns 1, 2, 3, 5, 6 (and 7 unless names are off)
//   programmed, transmit on    columns 1 to 6 (and 7 unless names are off)
// Read-only cells are blank, and so are all cells of an empty channel.
#include <array>
#include <string>
#include <vector>

#include "core/edit/ChannelTableLayout.h"
#include "core/edit/NameColumnSetting.h"
#include "core/model/CQorrinDoc.h"

namespace qorrin {

// The language texts a row is built from, looked up once for a whole table build.
struct ChannelCellTexts {
  std::string strOff;     // IDS_OFF: tone code 0
  std::string strNarrow;  // IDS_NARROW / IDS_WIDE: bandwidth
  std::string strWide;
  std::string strLow;     // IDS_LOW / IDS_HIGH: power
  std::string strHigh;
};
ChannelCellTexts LoadChannelCellTexts();

struct ChannelRow {
  int nRow = 0;  // 1..99; 0 for a number outside the table (everything blank and locked)
  std::array<std::string, kChannelTableColumns> texts;  // [0] the channel number
  std::array<bool, kChannelTableColumns> editable{};   // [0] false: the fixed column
  bool bNameButtonFace = false;                         // names are off: cell 7 on button face

  // The text of a column; empty for a column outside the table.
  std::string Text(int column) const {
    return column >= 0 && column < kChannelTableColumns ? texts[static_cast<std::size_t>(column)]
                                                        : std::string();
  }
  bool IsEditable(int column) const {
    return column >= 0 && column < kChannelTableColumns && editable[static_cast<std::size_t>(column)];
  }
  // Data cells that cannot be edited show their (blank) text in the grey-text colour.
  bool IsGrey(int column) const {
    return column > kColChannel && column < kChannelTableColumns && !IsEditable(column);
  }
};

// Whether the cell may be edited; false for row 0, the fixed column and anything outside
// the table. The second form reads the name setting.
bool IsChannelCellEditable(const CQorrinDoc& doc, int row, int column, NameColumnMode mode);
bool IsChannelCellEditable(const CQorrinDoc& doc, int row, int column);

// The text of a tone cell: IDS_OFF for code 0, else the tone list's text of the code.
std::string GetToneCellText(int code, const ChannelCellTexts& texts);

// The row as the table shows it, without touching the document. The name text is filled
// only when names are shown (NameColumnMode::Shown).
ChannelRow GetChannelRow(const CQorrinDoc& doc, int row, NameColumnMode mode,
                         const ChannelCellTexts& texts);
ChannelRow GetChannelRow(const CQorrinDoc& doc, int row);  // reads setting and language

// A row refresh: the same row, and when names are shown on a programmed channel the
// name-present bit is brought in step with the name (bookkeeping: the document is not
// marked modified).
ChannelRow RefreshChannelRow(CQorrinDoc& doc, int row, NameColumnMode mode,
                             const ChannelCellTexts& texts);
ChannelRow RefreshChannelRow(CQorrinDoc& doc, int row);

// Refreshes rows 1..99 (element i is row i + 1), reading the setting and the language
// texts once: what a view update does to the whole table.
std::vector<ChannelRow> BuildChannelTable(CQorrinDoc& doc);

}  // namespace qorrin
