#include "core/interchange/ChannelListReader.h"

#include <algorithm>

#include "core/interchange/DelimitedText.h"
#include "core/interchange/ListFieldText.h"

namespace qorrin {

namespace {

bool ReadsAsNumber(std::string_view cell, bool decimalComma) {
  return ParseListFrequency(cell, decimalComma).has_value();
}

bool IsHeader(const TextRecord& record, bool decimalComma, const ListVocabulary& words) {
  const bool names =
      std::ranges::any_of(record.fields, [&](const std::string& f) { return FindListColumn(f, words).has_value(); });
  const bool numbers = std::ranges::any_of(record.fields, [&](const std::string& f) { return ReadsAsNumber(f, decimalComma); });
  return names && !numbers;
}

// For each field position, the column it fills (nothing for unknown or repeated names:
// the first cell of a name wins).
using ColumnMap = std::vector<std::optional<ListColumn>>;

ColumnMap MapHeader(const TextRecord& header, const ListVocabulary& words) {
  ColumnMap map;
  std::array<bool, kListColumnCount> seen{};
  for (const std::string& field : header.fields) {
    std::optional<ListColumn> column = FindListColumn(field, words);
    if (column && seen[ColumnIndex(*column)]) column.reset();
    if (column) seen[ColumnIndex(*column)] = true;
    map.push_back(column);
  }
  return map;
}

const ColumnMap& WritingOrder() {
  static const ColumnMap map = [] {
    ColumnMap order;
    for (std::size_t i = 0; i < kWrittenColumnCount; ++i) order.push_back(static_cast<ListColumn>(i));
    return order;
  }();
  return map;
}

// How a row without a header is read: a lone cell is a frequency; two cells of which the
// second is a text are a frequency and a name (so that a mistyped frequency is reported
// as such); anything else follows the writing order.
const ColumnMap& HeaderlessMap(const TextRecord& record, bool decimalComma) {
  static const ColumnMap frequency{ListColumn::Frequency};
  static const ColumnMap frequencyAndName{ListColumn::Frequency, ListColumn::Name};
  if (record.fields.size() == 1) return frequency;
  if (record.fields.size() == 2 && !ReadsAsNumber(record.fields[1], decimalComma)) return frequencyAndName;
  return WritingOrder();
}

ChannelListRow MakeRow(TextRecord& record, const ColumnMap& map, bool withLocation) {
  ChannelListRow row;
  row.nLine = record.nLine;
  row.nUnclosedQuoteLine = record.nUnclosedQuoteLine;
  for (std::size_t i = 0; i < map.size(); ++i) {
    if (!map[i] || (*map[i] == ListColumn::Location && !withLocation)) continue;
    if (i < record.fields.size()) {
      row.cells[ColumnIndex(*map[i])] = std::move(record.fields[i]);
    } else if (!row.missing && ImportUsesColumn(*map[i])) {
      row.missing = map[i];
    }
  }
  return row;
}

// Whether some row has a Location cell that is not blank.
bool AnyLocation(const std::vector<TextRecord>& records, const std::vector<const ColumnMap*>& maps) {
  for (std::size_t r = 0; r < records.size(); ++r) {
    const ColumnMap& map = *maps[r];
    for (std::size_t i = 0; i < map.size() && i < records[r].fields.size(); ++i) {
      if (map[i] == ListColumn::Location && !TrimSpacesAndTabs(records[r].fields[i]).empty()) return true;
    }
  }
  return false;
}

}  // namespace

ChannelList ReadChannelList(std::string_view text, char separator) {
  return ReadChannelList(text, ListVocabulary{}, separator);
}

ChannelList ReadChannelList(std::string_view text, const ListVocabulary& words, char separator) {
  ChannelList list;
  list.words = words;
  list.separator = separator != 0 ? separator : DetectSeparator(text);
  list.bDecimalComma = list.separator != ',';
  std::vector<TextRecord> records = SplitDelimitedText(text, list.separator);
  if (records.empty()) return list;

  ColumnMap header;
  if (IsHeader(records.front(), list.bDecimalComma, words)) {
    list.bHeader = true;
    header = MapHeader(records.front(), words);
    for (std::size_t i = 0; i < header.size(); ++i) {
      if (header[i]) list.columnNames[ColumnIndex(*header[i])] = TrimSpacesAndTabs(records.front().fields[i]);
    }
    records.erase(records.begin());
    if (std::ranges::find(header, std::optional<ListColumn>(ListColumn::Frequency)) == header.end()) {
      list.error = ChannelListError::NoFrequencyColumn;
      return list;
    }
  } else {
    for (std::size_t i = 0; i < kWrittenColumnCount; ++i) list.columnNames[i] = kListColumnNames[i];
  }

  std::vector<const ColumnMap*> maps;
  maps.reserve(records.size());
  for (const TextRecord& record : records) {
    maps.push_back(list.bHeader ? &header : &HeaderlessMap(record, list.bDecimalComma));
  }
  const bool withLocation = AnyLocation(records, maps);
  auto noteColumns = [&](const ColumnMap& map) {
    for (const std::optional<ListColumn>& column : map) {
      if (column && (*column != ListColumn::Location || withLocation)) list.columns[ColumnIndex(*column)] = true;
    }
  };
  if (list.bHeader) noteColumns(header);
  for (std::size_t r = 0; r < records.size(); ++r) {
    if (!list.bHeader) noteColumns(*maps[r]);
    list.rows.push_back(MakeRow(records[r], *maps[r], withLocation));
  }
  return list;
}

}  // namespace qorrin
