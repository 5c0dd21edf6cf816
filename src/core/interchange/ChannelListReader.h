#pragma once
// A channel list read from text: a CSV file, a spreadsheet's ';' file or the tab-separated
// text that spreadsheets put on the clipboard, with or without the header row.
//
// With a header, columns are matched by name (ListColumns.h; the channel table's own
// headings in any language count too), in any order and any subset; unknown columns are
// ignored, and a header without a receive frequency makes the text unusable. Without
// one, each row is read in the writing order of the columns, except that a row of a
// single cell is a frequency, and a row of two cells, a frequency and a text, is a
// frequency and a name (two columns of a spreadsheet; a second cell that reads as a
// number is not a name). The first record is a header when
// one of its cells names a column and none reads as a number. A Location column that is
// blank on every row counts as no Location column.
//
// Nothing is interpreted here beyond finding the cells: what a row means for the radio is
// worked out by ImportPlan.h.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/interchange/ListColumns.h"
#include "core/interchange/ListVocabulary.h"

namespace qorrin {

struct ChannelListRow {
  int nLine = 0;  // line of the text where the row starts, from 1
  // The cell of each column; nothing when the text has no such column or the row ends
  // before it.
  std::array<std::optional<std::string>, kListColumnCount> cells;
  // The first column the row ends before, of those that decide what a channel stores: a
  // row cut short. Nothing when the row is complete.
  std::optional<ListColumn> missing;
  // A quote opened on this line ran into the rows after it: the file is damaged here.
  int nUnclosedQuoteLine = 0;

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
  // What the text calls each column it has: the header's cell, else the written name.
  std::array<std::string, kListColumnCount> columnNames;
  std::vector<ChannelListRow> rows;  // the data rows in text order
  ListVocabulary words;              // the table's words the text was read with

  bool HasColumn(ListColumn column) const { return columns[ColumnIndex(column)]; }
  const std::string& ColumnNameOf(ListColumn column) const { return columnNames[ColumnIndex(column)]; }

  bool ok() const { return error == ChannelListError::None; }
};

// `separator` 0 detects it from the text (tab, ';' or ','); callers that know what the
// text is (clipboard text is tab-separated) pass it. `words` are the channel table's
// words in the languages of the program (LoadListVocabulary); without them only the
// written column names are known.
ChannelList ReadChannelList(std::string_view text, char separator = 0);
ChannelList ReadChannelList(std::string_view text, const ListVocabulary& words, char separator = 0);

}  // namespace qorrin
