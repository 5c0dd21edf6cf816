#include "core/edit/ChannelCommandAvailability.h"

#include <algorithm>
#include <set>

#include "core/model/RadioImageLayout.h"
#include "core/model/RecordFields.h"

namespace qorrin {

namespace {

bool IsChannel(int row) { return row >= kFirstChannel && row <= kLastChannel; }

}  // namespace

std::vector<int> ChannelCommandRows(const std::vector<int>& selected, int focusRow) {
  std::vector<int> rows;
  for (int row : selected) {
    if (IsChannel(row)) rows.push_back(row);
  }
  if (rows.empty() && IsChannel(focusRow)) rows.push_back(focusRow);
  return rows;
}

std::vector<int> SortCommandRows(const std::vector<int>& selected) {
  std::vector<int> rows = ChannelCommandRows(selected, 0);
  if (rows.size() >= 2) return rows;
  rows.clear();
  for (int row = kFirstChannel; row <= kLastChannel; ++row) rows.push_back(row);
  return rows;
}

int CountProgrammedChannels(const RadioImage& image, const std::vector<int>& rows) {
  int count = 0;
  for (int row : std::set<int>(rows.begin(), rows.end())) {
    if (IsChannel(row) && !IsRecordEmpty(image, row)) ++count;
  }
  return count;
}

ChannelCommandAvailability GetChannelCommandAvailability(const RadioImage& image, const std::vector<int>& selected,
                                                         int focusRow) {
  const std::vector<int> rows = ChannelCommandRows(selected, focusRow);
  ChannelCommandAvailability can;
  if (!rows.empty()) {
    const bool programmed = CountProgrammedChannels(image, rows) > 0;
    can.bCopy = can.bSetSelected = can.bClear = programmed;
    can.bInsert = can.bDelete = true;
    can.bMoveUp = *std::min_element(rows.begin(), rows.end()) > kFirstChannel;
    can.bMoveDown = *std::max_element(rows.begin(), rows.end()) < kLastChannel;
  }
  can.bSort = CountProgrammedChannels(image, SortCommandRows(selected)) >= 2;
  return can;
}

}  // namespace qorrin
