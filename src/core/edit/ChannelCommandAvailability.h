#pragma once
// Which of the channel table's commands can act, so that one that cannot is offered
// greyed instead of doing nothing when picked. The commands act on the selected rows,
// else on the focus cell's row while the table has the keyboard focus (a row the user
// sees as current); sorting acts on the selected rows when there are several, else on
// the whole table.
#include <vector>

#include "core/model/CQorrinDoc.h"

namespace qorrin {

// The rows a command acts on: `selected` (ascending), else `focusRow` when it is a
// channel (pass 0 when the table does not have the focus); empty when there are none.
std::vector<int> ChannelCommandRows(const std::vector<int>& selected, int focusRow);
// The rows Sort acts on: the selected ones when there are at least two, else all 99.
std::vector<int> SortCommandRows(const std::vector<int>& selected);

struct ChannelCommandAvailability {
  bool bCopy = false;         // copy and cut: a programmed channel among the rows
  bool bSetSelected = false;  // set for selected: the same
  bool bClear = false;        // clear: the same
  bool bInsert = false;       // insert, delete: any row (insert explains itself when
  bool bDelete = false;       //   channel 99 leaves no room)
  bool bMoveUp = false;       // not when the first row is channel 1
  bool bMoveDown = false;     // not when the last row is channel 99
  bool bSort = false;         // two programmed channels among the rows sorted
};

ChannelCommandAvailability GetChannelCommandAvailability(const RadioImage& image, const std::vector<int>& selected,
                                                         int focusRow);

// How many of the rows hold a programmed channel (each row counted once).
int CountProgrammedChannels(const RadioImage& image, const std::vector<int>& rows);

}  // namespace qorrin
