#include "core/edit/ChannelRow.h"

#include <algorithm>

#include "core/lang/LangText.h"
#include "core/model/ToneCodec.h"
#include "core/model/ToneTables.h"

namespace qorrin {

namespace {

bool IsChannel(int row) { return row >= kFirstChannel && row <= kLastChannel; }

void SetText(ChannelRow& result, int column, std::string text) {
  result.texts[static_cast<std::size_t>(column)] = std::move(text);
}

}  // namespace

ChannelCellTexts LoadChannelCellTexts() {
  std::vector<std::string> t = LoadLangStrings({"IDS_OFF", "IDS_NARROW", "IDS_WIDE", "IDS_LOW", "IDS_HIGH"});
  return {std::move(t[0]), std::move(t[1]), std::move(t[2]), std::move(t[3]), std::move(t[4])};
}

bool IsChannelCellEditable(const CQorrinDoc& doc, int row, int column, NameColumnMode mode) {
  if (!IsChannel(row)) return false;
  switch (column) {
    case kColRxFrequency:
      return true;
    case kColRxTone:
    case kColTxFrequency:
    case kColBandwidth:
    case kColPower:
      return !IsRecordEmpty(doc.Image(), row);
    case kColTxTone:
      return !IsTransmitOff(doc.Image(), row);  // an empty channel counts as transmit off
    case kColName:
      return !IsRecordEmpty(doc.Image(), row) && mode != NameColumnMode::Off;
    default:
      return false;  // the fixed column and anything outside the table
  }
}

bool IsChannelCellEditable(const CQorrinDoc& doc, int row, int column) {
  return IsChannelCellEditable(doc, row, column, ReadNameColumnMode());
}

std::string GetToneCellText(int code, const ChannelCellTexts& texts) {
  return code == kToneOff ? texts.strOff : GetToneText(code);
}

ChannelRow GetChannelRow(const CQorrinDoc& doc, int row, NameColumnMode mode,
                         const ChannelCellTexts& texts) {
  ChannelRow result;
  if (!IsChannel(row)) return result;
  result.nRow = row;
  SetText(result, kColChannel, std::to_string(row));
  for (int c = kColRxFrequency; c < kChannelTableColumns; ++c) {
    result.editable[static_cast<std::size_t>(c)] = IsChannelCellEditable(doc, row, c, mode);
  }
  result.bNameButtonFace = mode == NameColumnMode::Off;
  const RadioImage& image = doc.Image();
  if (IsRecordEmpty(image, row)) return result;  // every data cell blank

  SetText(result, kColRxFrequency, GetFrequencyText(image, row, true));
  SetText(result, kColRxTone, GetToneCellText(GetToneCode(image, row, true), texts));
  SetText(result, kColTxFrequency, GetTransmitFrequencyText(image, row));
  if (!IsTransmitOff(image, row)) {
    SetText(result, kColTxTone, GetToneCellText(GetToneCode(image, row, false), texts));
  }
  SetText(result, kColBandwidth, IsWide(image, row) ? texts.strWide : texts.strNarrow);
  SetText(result, kColPower, IsHighPower(image, row) ? texts.strHigh : texts.strLow);
  if (mode == NameColumnMode::Shown) SetText(result, kColName, GetChannelName(image, row));
  return result;
}

ChannelRow GetChannelRow(const CQorrinDoc& doc, int row) {
  return GetChannelRow(doc, row, ReadNameColumnMode(), LoadChannelCellTexts());
}

namespace {

// Showing a name keeps the name-present bit in step with it (bookkeeping: the document is
// not marked modified).
void KeepNameBits(CQorrinDoc& doc, int first, int last, NameColumnMode mode) {
  if (mode != NameColumnMode::Shown) return;
  doc.EditImage(ImageChange::Bookkeeping, [&](ImageSpan image, const BandLimits&) {
    for (int row = std::max(first, kFirstChannel); row <= std::min(last, kLastChannel); ++row) {
      if (!IsRecordEmpty(image, row)) UpdateNamePresentBit(image, row);
    }
    return false;
  });
}

}  // namespace

ChannelRow RefreshChannelRow(CQorrinDoc& doc, int row, NameColumnMode mode,
                             const ChannelCellTexts& texts) {
  KeepNameBits(doc, row, row, mode);
  return GetChannelRow(doc, row, mode, texts);
}

ChannelRow RefreshChannelRow(CQorrinDoc& doc, int row) {
  return RefreshChannelRow(doc, row, ReadNameColumnMode(), LoadChannelCellTexts());
}

std::vector<ChannelRow> BuildChannelTable(CQorrinDoc& doc) {
  const NameColumnMode mode = ReadNameColumnMode();
  const ChannelCellTexts texts = LoadChannelCellTexts();
  KeepNameBits(doc, kFirstChannel, kLastChannel, mode);
  std::vector<ChannelRow> rows;
  rows.reserve(kChannelCount);
  for (int r = kFirstChannel; r <= kLastChannel; ++r) rows.push_back(GetChannelRow(doc, r, mode, texts));
  return rows;
}

}  // namespace qorrin
