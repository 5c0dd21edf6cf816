#pragma once
// The priority-channel drop-down: the "off" item, then every programmed channel in
// ascending order. Item 0 stores 0 (off), any other item the channel number it shows.
//
// The list must be filled again whenever a channel may have been programmed or cleared
// (after every channel frequency commit, and on every view update). A fill that finds the
// stored priority channel off or no longer programmed selects "off" and stores 0 there:
// bookkeeping, so the document is not marked modified.
#include <string>
#include <vector>

#include "core/edit/EditResult.h"
#include "core/model/CQorrinDoc.h"

namespace qorrin {

struct PriorityChannelList {
  std::vector<std::string> items;  // IDS_OFF, then "1", "5", "9", ...
  std::vector<int> channels;       // channel of each item; 0 for the off item
  int nSelected = 0;               // item of the stored priority channel
  bool bReset = false;             // the fill rewrote the stored byte to 0 (not modified)

  // Channel of an item (0 for the off item); -1 for an index outside the list.
  int ChannelOfItem(int index) const;
  // Item that shows the channel (0 for channel 0); -1 when the channel is not listed.
  int ItemOfChannel(int channel) const;
};

// The list as the image stands, without touching it.
PriorityChannelList GetPriorityChannelList(const CQorrinDoc& doc);

// A fill of the control: the list, and the reset of a stored priority channel that is
// off or empty to 0 (never marks the document modified).
PriorityChannelList FillPriorityChannelList(CQorrinDoc& doc);

// The user picked item `index` of the list the image gives now (the one the last fill
// showed, since the list is filled again after every change of the channels): stores its
// channel and marks the document modified. An index outside the list writes nothing.
EditResult CommitPriorityChannel(CQorrinDoc& doc, int index);

}  // namespace qorrin
