#pragma once
// Storing what the user typed or picked in a cell of the channel table. Each commit writes
// the radio image at once through the document's one entry for changes, which marks the
// document modified where an edit counts as a change, and gives back the row as it now reads.
//
// Typed text may be anything (pasted text has passed no editor filter): frequencies are
// clamped to the band limits and snapped, names keep what the four name codes can hold.
// A commit on a cell that is not editable (see ChannelRow.h), on row 0 or the fixed column,
// or with a choice no list offers, writes nothing.
#include <string_view>

#include "core/edit/ChannelRow.h"
#include "core/model/CQorrinDoc.h"

namespace qorrin {

struct ChannelCommitResult {
  bool bStored = false;    // the commit ran; false: nothing was written
  bool bModified = false;  // this commit marked the document modified
  // A frequency commit may have programmed or cleared a channel: the priority-channel list
  // of the option panel must be filled again (which may reset the stored priority channel).
  bool bRebuildPriorityList = false;
  ChannelRow row;          // the row's texts and states after the commit
};

// Receive frequency (column 1). Empty text clears the channel (receive and offset empty,
// tones off, flag byte C0, no name). Other text is moved to the nearest band limit when
// outside the band, then snapped to the channel raster. The transmit frequency shown
// before stays where it was (the offset is recomputed); a channel without an offset
// (freshly programmed) becomes simplex. Modified when the text differs from the stored
// receive text (letter case ignored). The row is refreshed (name-present bit upkeep).
ChannelCommitResult CommitReceiveFrequency(CQorrinDoc& doc, int row, std::string_view text);

// Transmit frequency (column 3): clamped and snapped like a receive frequency, stored as
// shift direction and offset; the receive frequency is left as it is. Empty text makes
// the channel receive-only and switches its encode tone off. Always modified.
ChannelCommitResult CommitTransmitFrequency(CQorrinDoc& doc, int row, std::string_view text);

// Decode (column 2) or encode (column 4) tone: `index` is the item of the tone list, that
// is the tone code; codes of 155 and above use the inverted bit. -1 (no selection) and any
// index outside the list store FF with the inverted bit clear, which reads as off.
// Always modified.
ChannelCommitResult CommitTone(CQorrinDoc& doc, int row, int column, int index);

// Bandwidth (column 5: 0 narrow, 1 wide) or power (column 6: 0 low, 1 high). Any other
// index writes nothing. Always modified when stored.
ChannelCommitResult CommitBandwidth(CQorrinDoc& doc, int row, int index);
ChannelCommitResult CommitPower(CQorrinDoc& doc, int row, int index);

// Name (column 7): the text as four name codes (lower case folds to capitals; the first
// character a name cannot hold ends it; at most four characters). Stored, with the
// name-present bit, and modified only when the codes differ from the stored ones.
ChannelCommitResult CommitName(CQorrinDoc& doc, int row, std::string_view text);

// The same by column, for callers that handle every cell alike: text for the edit
// columns 1, 3 and 7, a list index for the drop-down columns 2, 4, 5 and 6.
ChannelCommitResult CommitChannelText(CQorrinDoc& doc, int row, int column, std::string_view text);
ChannelCommitResult CommitChannelChoice(CQorrinDoc& doc, int row, int column, int index);

}  // namespace qorrin
