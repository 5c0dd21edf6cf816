#pragma once
// A channel list read from text: a CSV file, a spreadsheet's ';' file or the tab-separated
// text that spreadsheets put on the clipboard, with or without the header row.
//
// With a header, columns are matched by name (ListColumns.h), in any order and any
// subset; unknown columns are ignored, and a header without Frequency makes the text
// unusable. Without one, the writing order of the columns is assumed, and a text whose
// rows hold a single cell each is a column of frequencies. The first record is a header
// when one of its cells names a column and none reads as a number.
//
// Nothing is interpreted here beyond finding the cells: what a row means for the radio is
// worked out by ImportPlan.h.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/interchange/ListColumns.h"

namespace qorrin {

struct ChannelListRow {
  int nLine = 0;  // line of the text where the row starts, from 1
  // The cell of each column; nothing when the text has no such column or the row ends
  // before it.
  std::array<std::optional<std::string>, kListColumnCount> cells;

  // The cell's text; "" when there is none.
  std::string_view Cell(ListColumn column) const {
    const std::optional<std::string>& cell = cells[ColumnIndex(column)];
    return cell ? std::string_view(*cell) : std::string_view();
  }
  bool HasCell(ListColumn column) const { return cells[ColumnIndex(column)].has_value(); }
};

enum class ChannelListError {
  None,
  NoFrequencyColumn,  // the header names columns, but not Frequency
};

struct ChannelList {
  ChannelListError error = ChannelListError::None;
  char separator = ',';
  bool bHeader = false;
  // Numbers may use a decimal comma: any separator but the comma allows one.
  bool bDecimalComma = false;
  std::array<bool, kListColumnCount> columns{};  // which columns the text has
  std::vector<ChannelListRow> rows;              // the data rows in text order

  bool HasColumn(ListColumn column) const { return columns[ColumnIndex(column)]; }

  bool ok() const { return error == ChannelListError::None; }
};

// `separator` 0 detects it from the text (tab, ';' or ','); callers that know what the
// text is (clipboard text is tab-separated) pass it.
ChannelList ReadChannelList(std::string_view text, char separator = 0);

}  // namespace qorrin
