#pragma once
// Which channel each row of a channel list goes to.
//
// As in the list: the Location cell names the channel; a list whose locations include 0
// counts from 0 (channel = Location + 1); a list without a Location column fills
// channels 1, 2, ... in order. From a channel: the rows, in list order, go to channels
// N, N+1, ... whatever their locations. A row is refused when its Location is not a
// number, when its channel lies outside 1-99, or when an earlier row named the same
// channel (the first row that names a channel keeps it, even when that row is refused
// for what it holds).
#include <optional>
#include <vector>

#include "core/interchange/ChannelListReader.h"
#include "core/interchange/ImportNotes.h"

namespace qorrin {

struct PlacementOptions {
  bool bFromChannel = false;  // false: as in the list
  int nFirstChannel = 1;      // with bFromChannel: the channel of the first row
  bool bReplace = false;      // clear every channel before the rows are stored
};

struct RowPlace {
  int nChannel = 0;  // 1..99 when placed; otherwise what the row named (may be anything)
  std::optional<ImportNote> refusal;
};

// One entry per row of the list, in the same order.
std::vector<RowPlace> PlaceRows(const ChannelList& list, const PlacementOptions& options);

}  // namespace qorrin
