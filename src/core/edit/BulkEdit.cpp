#include "core/edit/BulkEdit.h"

#include <set>

#include "core/edit/ChannelCommandAvailability.h"
#include "core/edit/ChannelCommits.h"

namespace qorrin {

namespace {

// The transmit text of a shift from the channel's receive frequency.
std::string ShiftedText(const CQorrinDoc& doc, int row, int shift, int offset) {
  const int rx = ParseFrequencyText(GetFrequencyText(doc.Image(), row, true));
  return FormatFrequency(static_cast<int>(ShiftedFrequency(rx, shift, offset)));
}

}  // namespace

BulkResult ApplyBulkChange(CQorrinDoc& doc, const std::vector<int>& rows, const BulkChange& change) {
  const std::set<int> channels(rows.begin(), rows.end());
  BulkResult result;
  // Named for the channels it is for: empty ones take no field.
  const ChangeScope scope(doc, {"IDS_UNDO_BULK", CountProgrammedChannels(doc.Image(), rows)});
  for (int row : channels) {
    if (row < kFirstChannel || row > kLastChannel) continue;
    const RecordBytes before = GetRecordBytes(doc.Image(), row);
    bool refused = IsRecordEmpty(doc.Image(), row);
    if (!refused) {
      // A shift only moves a transmit frequency that is there: a receive-only channel
      // (a weather or monitoring channel, say) must not start to transmit.
      if (change.shift) {
        if (TransmitFrequencyValue(doc.Image(), row)) {
          refused |= !CommitTransmitFrequency(doc, row, ShiftedText(doc, row, *change.shift, change.offset)).bStored;
        } else {
          ++result.receiveOnlyKept;
        }
      }
      if (change.decodeTone) refused |= !CommitTone(doc, row, kColRxTone, *change.decodeTone).bStored;
      if (change.encodeTone) refused |= !CommitTone(doc, row, kColTxTone, *change.encodeTone).bStored;
      if (change.bandwidth) refused |= !CommitBandwidth(doc, row, *change.bandwidth).bStored;
      if (change.power) refused |= !CommitPower(doc, row, *change.power).bStored;
    }
    if (refused) ++result.skipped;
    if (GetRecordBytes(doc.Image(), row) != before) ++result.changed;
  }
  return result;
}

}  // namespace qorrin
