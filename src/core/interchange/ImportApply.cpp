#include "core/interchange/ImportApply.h"

#include "core/edit/ChannelCommits.h"
#include "core/edit/PriorityChannelList.h"
#include "core/model/RecordFields.h"

namespace qorrin {

namespace {

void StoreRow(CQorrinDoc& doc, const PlannedRow& row, ImportApplyResult& result) {
  const PlannedChannel& channel = row.channel;
  const int number = row.nChannel;
  auto note = [&result](const ChannelCommitResult& commit) { result.bModified |= commit.bModified; };
  note(CommitReceiveFrequency(doc, number, channel.strReceiveTyped));
  note(CommitTransmitFrequency(doc, number, channel.strTransmitTyped));
  note(CommitTone(doc, number, kColRxTone, channel.nRxTone));
  if (channel.Transmits()) note(CommitTone(doc, number, kColTxTone, channel.nTxTone));
  note(CommitBandwidth(doc, number, channel.bWide ? 1 : 0));
  note(CommitPower(doc, number, channel.bHighPower ? 1 : 0));
  if (channel.bStoreName) note(CommitName(doc, number, channel.strName));
  ++result.nStored;
}

}  // namespace

ImportApplyResult ApplyChannelImport(CQorrinDoc& doc, const ImportPlan& plan) {
  return ApplyChannelImport(doc, plan, {"IDS_UNDO_IMPORT", plan.ImportedCount()});
}

ImportApplyResult ApplyChannelImport(CQorrinDoc& doc, const ImportPlan& plan, const ChangeLabel& label) {
  const ChangeScope scope(doc, label);
  ImportApplyResult result;
  if (plan.placement.bReplace) {
    for (int channel = kFirstChannel; channel <= kLastChannel; ++channel) {
      if (IsRecordEmpty(doc.Image(), channel)) continue;
      result.bModified |= CommitReceiveFrequency(doc, channel, "").bModified;
      ++result.nCleared;
    }
  }
  for (const PlannedRow& row : plan.rows) {
    if (!row.IsRefused()) StoreRow(doc, row, result);
  }
  if (result.nStored > 0 || result.nCleared > 0) FillPriorityChannelList(doc);
  return result;
}

}  // namespace qorrin
