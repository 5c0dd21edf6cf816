#pragma once
// Stores a planned import into the document through the channel table's commits, row by
// row, as if the user had typed each row into the table: the receive frequency, then the
// transmit frequency (empty: receive-only), the decode and encode tones, bandwidth, power
// and name. With "replace" every programmed channel is cleared first (an empty receive
// frequency, as in the table). Channels that no row names keep what they hold.
//
// Afterwards the priority-channel list is filled again, as the table does after it
// programmed or cleared channels (a priority channel left empty becomes off).
#include "core/interchange/ImportPlan.h"
#include "core/model/CQorrinDoc.h"

namespace qorrin {

struct ImportApplyResult {
  int nStored = 0;         // rows stored
  int nCleared = 0;        // channels cleared by "replace"
  bool bModified = false;  // the commits marked the document modified
};

// The plan must have been made for this document's band limits and name setting. The
// whole import is one step of the edit history, named `label` ("Import of 12 channels"
// when none is given).
ImportApplyResult ApplyChannelImport(CQorrinDoc& doc, const ImportPlan& plan);
ImportApplyResult ApplyChannelImport(CQorrinDoc& doc, const ImportPlan& plan, const ChangeLabel& label);

}  // namespace qorrin
