#include "core/edit/FrequencyRange.h"

#include "core/lang/LangText.h"
#include "core/model/ModelInfo.h"

namespace qorrin {

OptionListState GetFrequencyRangeState(const CQorrinDoc& doc) {
  OptionListState state;
  state.items = LoadModelRangeTexts();
  const int index = doc.FindModelIndex();
  state.nSelected = index < static_cast<int>(state.items.size()) ? index : -1;
  return state;
}

int GetFrequencyRangeIndex(const CQorrinDoc& doc) { return doc.FindModelIndex(); }

bool IsFrequencyRangeChange(const CQorrinDoc& doc, int index) {
  if (index < 0 || index == doc.FindModelIndex()) return false;
  if (index >= static_cast<int>(LoadModelRangeTexts().size())) return false;
  for (const ModelEntry& entry : ListModels()) {
    if (entry.nIndex == index) return entry.bUsable;
  }
  return false;  // a text without a band code after the end of the model list
}

RangeQuestion GetFrequencyRangeQuestion() {
  return {LoadLangString("IDS_CONFIRM_FREQ"), LoadLangString("IDS_CONFIRM")};
}

EditResult CommitFrequencyRange(CQorrinDoc& doc, int index) {
  if (!IsFrequencyRangeChange(doc, index)) return {};
  doc.ChangeFrequencyRange(index);
  return {true, true};
}

}  // namespace qorrin
