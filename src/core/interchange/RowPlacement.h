#pragma once
// Which channel each row of a channel list goes to.
//
// As in the list: the Location cell names the channel; a list whose locations include 0
// counts from 0 (channel = Location + 1). A row is refused when its Location is not a
// number, when its channel lies outside 1-99, or when an earlier row named the same
// channel (the first row that names a channel keeps it, even when that row is refused
// for what it holds).
//
// In order (from a chosen channel, or from channel 1 for a list without a Location
// column): the rows that are stored go to channels N, N+1, ... one after another, so a
// refused row leaves no gap; rows past channel 99 are refused.
#include <optional>
#include <vector>

#include "core/interchange/ChannelListReader.h"
#include "core/interchange/ImportNotes.h"

namespace qorrin {

struct PlacementOptions {
  bool bFromChannel = false;  // false: as in the list
  int nFirstChannel = 1;      // with bFromChannel: the channel of the first row
  bool bReplace = false;      // clear every channel before the rows are stored
  bool bHighPower = true;     // the power of rows for which the list gives none
};

struct RowPlace {
  int nChannel = 0;  // 1..99 when placed; otherwise what the row named (may be anything)
  std::optional<ImportNote> refusal;
};

// Whether rows are placed in order rather than by their Location.
bool PlacesInOrder(const ChannelList& list, const PlacementOptions& options);

// By Location: one entry per row of the list, in the same order.
std::vector<RowPlace> PlaceRowsByLocation(const ChannelList& list);

}  // namespace qorrin
