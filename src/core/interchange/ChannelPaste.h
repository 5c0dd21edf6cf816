#pragma once
// Pasting channels: text from the clipboard (tab-separated text as spreadsheets put it
// there, or CSV; with or without the header row, a single column of frequencies too) laid
// onto the table from a channel down, through the same row mapping and refusals as an
// import, and stored as one step of the edit history. The rows that are stored go to
// consecutive channels: a refused row leaves no gap, and the old channel there is not
// kept between pasted ones.
#include <string_view>
#include <vector>

#include "core/interchange/ImportApply.h"
#include "core/interchange/ImportPlan.h"
#include "core/model/CQorrinDoc.h"

namespace qorrin {

struct PastePlan {
  ChannelList list;
  ImportPlan plan;
  // Programmed channels the paste would overwrite (the user is asked first).
  std::vector<int> overwritten;
  // Rows that would be stored but for running past channel 99 (the user is asked first).
  int nBeyondLast = 0;
  bool ok() const { return list.ok() && !list.rows.empty(); }
};

// The rows of `text` placed from `firstChannel` down.
PastePlan PlanPaste(const CQorrinDoc& doc, std::string_view text, int firstChannel);

// Stores the plan as one step, "Paste of N channels".
ImportApplyResult ApplyPaste(CQorrinDoc& doc, const PastePlan& paste);

}  // namespace qorrin
