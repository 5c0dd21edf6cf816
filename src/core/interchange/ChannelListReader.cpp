#include "core/interchange/ChannelListReader.h"

#include <algorithm>

#include "core/interchange/DelimitedText.h"
#include "core/interchange/ListFieldText.h"

namespace qorrin {

namespace {

bool ReadsAsNumber(std::string_view cell, bool decimalComma) {
  return ParseListFrequency(cell, decimalComma).has_value();
}

bool IsHeader(const TextRecord& record, bool decimalComma) {
  const bool names = std::ranges::any_of(record.fields, [](const std::string& f) { return FindListColumn(f).has_value(); });
  const bool numbers = std::ranges::any_of(record.fields, [&](const std::string& f) { return ReadsAsNumber(f, decimalComma); });
  return names && !numbers;
}

// For each field position, the column it fills (nothing for unknown or repeated names:
// the first cell of a name wins).
using ColumnMap = std::vector<std::optional<ListColumn>>;

ColumnMap MapHeader(const TextRecord& header) {
  ColumnMap map;
  std::array<bool, kListColumnCount> seen{};
  for (const std::string& field : header.fields) {
    std::optional<ListColumn> column = FindListColumn(field);
    if (column && seen[ColumnIndex(*column)]) column.reset();
    if (column) seen[ColumnIndex(*column)] = true;
    map.push_back(column);
  }
  return map;
}

ColumnMap WritingOrder() {
  ColumnMap map;
  for (std::size_t i = 0; i < kListColumnCount; ++i) map.push_back(static_cast<ListColumn>(i));
  return map;
}

ChannelListRow MakeRow(TextRecord& record, const ColumnMap& map) {
  ChannelListRow row;
  row.nLine = record.nLine;
  const std::size_t count = std::min(map.size(), record.fields.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (map[i]) row.cells[ColumnIndex(*map[i])] = std::move(record.fields[i]);
  }
  return row;
}

}  // namespace

ChannelList ReadChannelList(std::string_view text, char separator) {
  ChannelList list;
  list.separator = separator != 0 ? separator : DetectSeparator(text);
  list.bDecimalComma = list.separator != ',';
  std::vector<TextRecord> records = SplitDelimitedText(text, list.separator);
  if (records.empty()) return list;

  ColumnMap map;
  auto data = records.begin();
  if (IsHeader(records.front(), list.bDecimalComma)) {
    list.bHeader = true;
    map = MapHeader(records.front());
    ++data;
    if (std::ranges::find(map, std::optional<ListColumn>(ListColumn::Frequency)) == map.end()) {
      list.error = ChannelListError::NoFrequencyColumn;
      return list;
    }
  } else if (std::ranges::all_of(records, [](const TextRecord& r) { return r.fields.size() == 1; })) {
    map = {ListColumn::Frequency};
  } else {
    map = WritingOrder();
  }
  for (const std::optional<ListColumn>& column : map) {
    if (column) list.columns[ColumnIndex(*column)] = true;
  }
  for (; data != records.end(); ++data) list.rows.push_back(MakeRow(*data, map));
  return list;
}

}  // namespace qorrin
