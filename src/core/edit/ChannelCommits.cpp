#include "core/edit/ChannelCommits.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "core/edit/TransmitOffset.h"
#include "core/model/NameCodec.h"
#include "core/model/ToneCodec.h"

namespace qorrin {

namespace {

constexpr char kNoOffset[] = "000.00000";
// What a tone list without a selection reports.
constexpr int kNoSelection = -1;

// The text a frequency reads back as once stored as a receive frequency (snapped, the band
// gap moved to the lowest frequency), worked out without touching the record.
std::string AsReceiveFrequency(std::string_view text, const BandLimits& limits) {
  std::array<std::uint8_t, 4> field{};
  EncodeFrequencyField(field, text, true, limits);
  return DecodeFrequencyField(field);
}

struct CommitContext {
  NameColumnMode mode = ReadNameColumnMode();
  ChannelCellTexts texts = LoadChannelCellTexts();
};

ChannelCommitResult Unchanged(const CQorrinDoc& doc, int row, const CommitContext& context) {
  ChannelCommitResult result;
  result.row = GetChannelRow(doc, row, context.mode, context.texts);
  return result;
}

// Stores through the document's one entry for changes; `edit` says whether the user's
// data changed (which marks the document modified).
template <typename Edit>
ChannelCommitResult Store(CQorrinDoc& doc, int row, Edit&& edit) {
  const ChangeScope scope(doc, {"IDS_UNDO_CHANNEL", row});
  ChannelCommitResult result;
  result.bStored = true;
  result.bModified = doc.EditImage(ImageChange::Edit, std::forward<Edit>(edit));
  return result;
}

}  // namespace

ChannelCommitResult CommitReceiveFrequency(CQorrinDoc& doc, int row, std::string_view typed) {
  const CommitContext context;
  if (!IsChannelCellEditable(doc, row, kColRxFrequency, context.mode)) {
    return Unchanged(doc, row, context);
  }
  ChannelCommitResult result = Store(doc, row, [&](ImageSpan image, const BandLimits& limits) {
    const bool offsetWasEmpty = IsOffsetEmpty(image, row);
    // The transmit frequency the row shows now; the new offset keeps it where it is.
    const std::string shownTx = GetTransmitFrequencyText(image, row);
    const std::string text = ClampToBand(WithDecimalPoint(typed), limits);
    const bool changed = !SameFrequencyText(text, GetFrequencyText(image, row, true));
    SetFrequencyText(image, limits, row, true, text);
    const std::string rx = GetFrequencyText(image, row, true);
    StoreTransmitOffset(image, limits, row, rx, rx.empty() ? std::string() : shownTx);
    if (text.empty()) ClearRecord(image, row);
    if (offsetWasEmpty) {
      // A channel without an offset (freshly programmed) starts as simplex.
      SetFrequencyText(image, limits, row, true, rx);
      SetFrequencyText(image, limits, row, false, kNoOffset);
      StoreTransmitOffset(image, limits, row, rx, rx);
    }
    return changed;
  });
  result.bRebuildPriorityList = true;
  result.row = RefreshChannelRow(doc, row, context.mode, context.texts);
  return result;
}

ChannelCommitResult CommitTransmitFrequency(CQorrinDoc& doc, int row, std::string_view typed) {
  const CommitContext context;
  if (!IsChannelCellEditable(doc, row, kColTxFrequency, context.mode)) {
    return Unchanged(doc, row, context);
  }
  ChannelCommitResult result = Store(doc, row, [&](ImageSpan image, const BandLimits& limits) {
    const std::string text = ClampToBand(WithDecimalPoint(typed), limits);
    // Only the offset and direction change: the receive field keeps its bytes, even when
    // they are off the raster or not valid digits.
    StoreTransmitOffset(image, limits, row, GetFrequencyText(image, row, true), AsReceiveFrequency(text, limits));
    if (text.empty()) SetToneCode(image, row, false, kToneOff);
    return true;
  });
  result.bRebuildPriorityList = true;
  result.row = RefreshChannelRow(doc, row, context.mode, context.texts);
  return result;
}

ChannelCommitResult CommitTone(CQorrinDoc& doc, int row, int column, int index) {
  const CommitContext context;
  if ((column != kColRxTone && column != kColTxTone) ||
      !IsChannelCellEditable(doc, row, column, context.mode)) {
    return Unchanged(doc, row, context);
  }
  const int code = (index >= kToneOff && index <= kLastToneCode) ? index : kNoSelection;
  ChannelCommitResult result = Store(doc, row, [&](ImageSpan image, const BandLimits&) {
    SetToneCode(image, row, column == kColRxTone, code);
    return true;
  });
  result.row = GetChannelRow(doc, row, context.mode, context.texts);
  return result;
}

namespace {

ChannelCommitResult CommitFlagChoice(CQorrinDoc& doc, int row, int column, int index) {
  const CommitContext context;
  if ((index != 0 && index != 1) || !IsChannelCellEditable(doc, row, column, context.mode)) {
    return Unchanged(doc, row, context);
  }
  ChannelCommitResult result = Store(doc, row, [&](ImageSpan image, const BandLimits&) {
    if (column == kColBandwidth) {
      SetWide(image, row, index == 1);
    } else {
      SetHighPower(image, row, index == 1);
    }
    return true;
  });
  result.row = GetChannelRow(doc, row, context.mode, context.texts);
  return result;
}

}  // namespace

ChannelCommitResult CommitBandwidth(CQorrinDoc& doc, int row, int index) {
  return CommitFlagChoice(doc, row, kColBandwidth, index);
}

ChannelCommitResult CommitPower(CQorrinDoc& doc, int row, int index) {
  return CommitFlagChoice(doc, row, kColPower, index);
}

ChannelCommitResult CommitName(CQorrinDoc& doc, int row, std::string_view text) {
  const CommitContext context;
  if (!IsChannelCellEditable(doc, row, kColName, context.mode)) return Unchanged(doc, row, context);
  const NameCodes codes = EncodeNameCodes(text);
  ChannelCommitResult result = Store(doc, row, [&](ImageSpan image, const BandLimits&) {
    const RecordBytes stored = GetRecordBytes(image, row);
    if (std::equal(codes.begin(), codes.end(), stored.begin() + kRecName)) return false;
    SetChannelName(image, row, text);
    UpdateNamePresentBit(image, row);
    return true;
  });
  result.row = GetChannelRow(doc, row, context.mode, context.texts);
  return result;
}

ChannelCommitResult CommitChannelText(CQorrinDoc& doc, int row, int column, std::string_view text) {
  switch (column) {
    case kColRxFrequency: return CommitReceiveFrequency(doc, row, text);
    case kColTxFrequency: return CommitTransmitFrequency(doc, row, text);
    case kColName: return CommitName(doc, row, text);
    default: return Unchanged(doc, row, CommitContext{});
  }
}

ChannelCommitResult CommitChannelChoice(CQorrinDoc& doc, int row, int column, int index) {
  switch (column) {
    case kColRxTone:
    case kColTxTone: return CommitTone(doc, row, column, index);
    case kColBandwidth: return CommitBandwidth(doc, row, index);
    case kColPower: return CommitPower(doc, row, index);
    default: return Unchanged(doc, row, CommitContext{});
  }
}

}  // namespace qorrin
