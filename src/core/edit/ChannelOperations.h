#pragma once
// Operations on whole channels of the table: insert, delete, move, clear and sort. Each is
// one step of the edit history. Channels move as whole records, so every field goes with
// its channel; the priority channel follows its channel (and is switched off when its
// channel is deleted or cleared); the channel-in-use bitmap and the first-channel index
// are brought up to date with the move.
#include <string>
#include <vector>

#include "core/model/CQorrinDoc.h"

namespace qorrin {

enum class OperationRefusal {
  None,
  LastChannelProgrammed,  // insert: channel 99 is programmed and would fall off the end
  NothingToMove,          // move: the block is already at the top or the bottom
  NoChannels,             // no channel 1..99 was given
};

struct OperationResult {
  OperationRefusal refusal = OperationRefusal::None;
  std::vector<int> rows;  // where the channels acted on are now (the selection that follows)
  bool ok() const { return refusal == OperationRefusal::None; }
};

// A new empty channel at `row`; the channels from `row` down move one down.
OperationResult InsertChannel(CQorrinDoc& doc, int row);
// Removes the given channels; the others close up in their order, the slots freed at the
// end are empty. The result's row is the first removed one.
OperationResult DeleteChannels(CQorrinDoc& doc, const std::vector<int>& rows);
// The given channels one place up (down): each block of them trades places with the
// channel above (below) it.
OperationResult MoveChannels(CQorrinDoc& doc, const std::vector<int>& rows, bool up);
// Empties the given channels.
OperationResult ClearChannels(CQorrinDoc& doc, const std::vector<int>& rows);

enum class SortKey { ReceiveFrequency, Name };
// Sorts the programmed channels among the given rows (all 99 when none are given),
// stably, by receive frequency or by name (named before unnamed): they fill exactly the
// slots that programmed channels held before, and empty slots stay empty.
OperationResult SortChannels(CQorrinDoc& doc, std::vector<int> rows, SortKey key);

}  // namespace qorrin
