#include "core/edit/ChannelCommits.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "core/edit/TransmitOffset.h"
#include "core/model/NameCodec.h"
#include "core/model/ToneCodec.h"

namespace qorrin {

namespace {

constexpr char kNoOffset[] = "000.00000";
// Flag byte of a cleared channel: wide, high power, no shift, normal tones, no name.
constexpr std::uint8_t kClearedFlags = 0xC0;
// What a tone list without a selection reports.
constexpr int kNoSelection = -1;

bool EqualNoCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

// A typed frequency outside the band becomes the limit it crossed, without a message.
std::string ClampToBand(const CQorrinDoc& doc, std::string_view text) {
  if (text.empty()) return {};
  const int which = doc.CheckFrequencyRange(text);
  return which != 0 ? doc.GetLimitText(which) : std::string(text);
}

// The text a frequency reads back as once stored as a receive frequency (snapped, the band
// gap moved to the lowest frequency), worked out without touching the record.
std::string AsReceiveFrequency(const CQorrinDoc& doc, std::string_view text) {
  std::array<std::uint8_t, 4> field{};
  doc.EncodeFrequencyField(field, text, true);
  return CQorrinDoc::DecodeFrequencyField(field);
}

void ClearChannel(CQorrinDoc& doc, int row) {
  doc.SetFrequencyText(row, false, "");
  doc.SetToneCode(row, true, kToneOff);
  doc.SetToneCode(row, false, kToneOff);
  // The whole byte, bit 2 included: a cleared channel carries exactly C0.
  doc.m_image[*RecordOffset(row) + kRecFlags] = kClearedFlags;
  doc.SetChannelName(row, "");  // FF FF FF FF
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

void MarkModified(CQorrinDoc& doc, ChannelCommitResult& result) {
  doc.SetModifiedFlag();
  result.bModified = true;
}

}  // namespace

ChannelCommitResult CommitReceiveFrequency(CQorrinDoc& doc, int row, std::string_view typed) {
  const CommitContext context;
  if (!IsChannelCellEditable(doc, row, kColRxFrequency, context.mode)) {
    return Unchanged(doc, row, context);
  }
  ChannelCommitResult result;
  result.bStored = true;
  const bool offsetWasEmpty = doc.IsOffsetEmpty(row);
  // The transmit frequency the row shows now; the new offset keeps it where it is.
  const std::string shownTx = doc.GetTransmitFrequencyText(row);

  const std::string text = ClampToBand(doc, WithDecimalPoint(typed));
  if (!EqualNoCase(text, doc.GetFrequencyText(row, true))) MarkModified(doc, result);
  doc.SetFrequencyText(row, true, text);
  const std::string rx = doc.GetFrequencyText(row, true);
  StoreTransmitOffset(doc, row, rx, rx.empty() ? std::string() : shownTx);

  if (text.empty()) ClearChannel(doc, row);
  if (offsetWasEmpty) {
    // A channel without an offset (freshly programmed) starts as simplex.
    doc.SetFrequencyText(row, true, rx);
    doc.SetFrequencyText(row, false, kNoOffset);
    StoreTransmitOffset(doc, row, rx, rx);
  }
  result.bRebuildPriorityList = true;
  result.row = RefreshChannelRow(doc, row, context.mode, context.texts);
  return result;
}

ChannelCommitResult CommitTransmitFrequency(CQorrinDoc& doc, int row, std::string_view typed) {
  const CommitContext context;
  if (!IsChannelCellEditable(doc, row, kColTxFrequency, context.mode)) {
    return Unchanged(doc, row, context);
  }
  ChannelCommitResult result;
  result.bStored = true;
  const std::string text = ClampToBand(doc, WithDecimalPoint(typed));
  // Only the offset and direction change: the receive field keeps its bytes, even when
  // they are off the raster or not valid digits.
  StoreTransmitOffset(doc, row, doc.GetFrequencyText(row, true), AsReceiveFrequency(doc, text));
  MarkModified(doc, result);
  if (text.empty()) doc.SetToneCode(row, false, kToneOff);
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
  ChannelCommitResult result;
  result.bStored = true;
  const int code = (index >= kToneOff && index <= kLastToneCode) ? index : kNoSelection;
  doc.SetToneCode(row, column == kColRxTone, code);
  MarkModified(doc, result);
  result.row = GetChannelRow(doc, row, context.mode, context.texts);
  return result;
}

namespace {

ChannelCommitResult CommitFlagChoice(CQorrinDoc& doc, int row, int column, int index) {
  const CommitContext context;
  if ((index != 0 && index != 1) || !IsChannelCellEditable(doc, row, column, context.mode)) {
    return Unchanged(doc, row, context);
  }
  ChannelCommitResult result;
  result.bStored = true;
  if (column == kColBandwidth) {
    doc.SetWide(row, index == 1);
  } else {
    doc.SetHighPower(row, index == 1);
  }
  MarkModified(doc, result);
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
  ChannelCommitResult result;
  result.bStored = true;
  const NameCodes codes = EncodeNameCodes(text);
  const RecordBytes stored = doc.GetRecordBytes(row);
  if (!std::equal(codes.begin(), codes.end(), stored.begin() + kRecName)) {
    doc.SetChannelName(row, text);
    doc.UpdateNamePresentBit(row);
    MarkModified(doc, result);
  }
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
