#include "core/interchange/ChannelPaste.h"

namespace qorrin {

PastePlan PlanPaste(const CQorrinDoc& doc, std::string_view text, int firstChannel) {
  PastePlan paste;
  // Spreadsheets put tab-separated rows on the clipboard; other text is read as a file is
  // (commas, or semicolons with decimal commas).
  paste.list = ReadChannelList(text, text.find('\t') != std::string_view::npos ? '\t' : 0);
  PlacementOptions placement;
  placement.bFromChannel = true;
  placement.nFirstChannel = firstChannel;
  paste.plan = PlanChannelImport(paste.list, doc.GetBandLimits(), ReadNameColumnMode(), placement);
  for (int channel : paste.plan.ImportedChannels()) {
    if (!IsRecordEmpty(doc.Image(), channel)) paste.overwritten.push_back(channel);
  }
  return paste;
}

ImportApplyResult ApplyPaste(CQorrinDoc& doc, const PastePlan& paste) {
  return ApplyChannelImport(doc, paste.plan, {"IDS_UNDO_PASTE", paste.plan.ImportedCount()});
}

}  // namespace qorrin
