#pragma once
// The frequency-range (model) drop-down of the main form. Picking another range builds a
// new radio image for it: every channel but channel 1, the VFOs, the priority channel, the
// FM presets and the options return to the model's defaults. The form asks the user first
// (GetFrequencyRangeQuestion); Cancel only selects the current range again.
#include <string>
#include <vector>

#include "core/edit/EditResult.h"
#include "core/edit/OptionPanel.h"
#include "core/model/CQorrinDoc.h"

namespace qorrin {

// The "Freq%d" texts of setting.ini, item index = model index, and the item of the model
// the image belongs to (-1 when the list is shorter than that).
OptionListState GetFrequencyRangeState(const CQorrinDoc& doc);

// The model index of the image (FindModelIndex): the item the list shows.
int GetFrequencyRangeIndex(const CQorrinDoc& doc);

// Whether picking item `index` would change the range, so that the question must be asked.
// False for the current range, for an index outside the list, and for an entry whose band
// code is not usable (such an image would belong to no model): the form then simply
// selects GetFrequencyRangeIndex again.
bool IsFrequencyRangeChange(const CQorrinDoc& doc, int index);

// The question: text IDS_CONFIRM_FREQ, caption IDS_CONFIRM (OK and Cancel).
struct RangeQuestion {
  std::string strText;
  std::string strCaption;
};
RangeQuestion GetFrequencyRangeQuestion();

// After OK: the new image for model `index`, marked modified, every view updated (the
// document's UpdateAllViews). Does nothing when IsFrequencyRangeChange is false.
EditResult CommitFrequencyRange(CQorrinDoc& doc, int index);

}  // namespace qorrin
