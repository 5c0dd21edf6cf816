#pragma once
// The items of the channel table's drop-down cells. The item index is what is stored:
// the tone code for the tone cells, the wide bit for bandwidth, the high-power bit for power.
#include <string>
#include <vector>

#include "core/model/CQorrinDoc.h"

namespace qorrin {

// 259 tone texts in tone-code order, IDS_OFF first (the list of both tone cells).
std::vector<std::string> GetToneListItems();
// IDS_NARROW, IDS_WIDE.
std::vector<std::string> GetBandwidthItems();
// IDS_LOW, IDS_HIGH.
std::vector<std::string> GetPowerItems();
// The list of a drop-down column (2 and 4: tones, 5: bandwidth, 6: power); empty for the
// columns edited as text and for anything else.
std::vector<std::string> GetChannelCellItems(int column);
// The item a drop-down cell of channel `row` shows, the one its list opens on: the tone
// code (columns 2 and 4), the wide bit (5), the high-power bit (6); -1 for any other
// column and outside channels 1..99.
int GetChannelCellChoice(const CQorrinDoc& doc, int row, int column);

}  // namespace qorrin
