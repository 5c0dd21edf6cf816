#include "core/interchange/ChannelPaste.h"

namespace qorrin {

PastePlan PlanPaste(const CQorrinDoc& doc, std::string_view text, int firstChannel) {
  PastePlan paste;
  // Read as a file is: tab-separated rows as spreadsheets put them on the clipboard, CSV,
  // or semicolons with decimal commas, told apart by the first line.
  paste.list = ReadChannelList(text, LoadListVocabulary());
  PlacementOptions placement;
  placement.bFromChannel = true;
  placement.nFirstChannel = firstChannel;
  paste.plan = PlanChannelImport(paste.list, doc.GetBandLimits(), ReadNameColumnMode(), placement);
  for (int channel : paste.plan.ImportedChannels()) {
    if (!IsRecordEmpty(doc.Image(), channel)) paste.overwritten.push_back(channel);
  }
  paste.nBeyondLast = paste.plan.BeyondLastChannelCount();
  return paste;
}

ImportApplyResult ApplyPaste(CQorrinDoc& doc, const PastePlan& paste) {
  return ApplyChannelImport(doc, paste.plan, {"IDS_UNDO_PASTE", paste.plan.ImportedCount()});
}

}  // namespace qorrin
