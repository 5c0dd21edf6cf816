#include "core/edit/ChannelRow.h"

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
      return !doc.IsRecordEmpty(row);
    case kColTxTone:
      return !doc.IsTransmitOff(row);  // an empty channel counts as transmit off
    case kColName:
      return !doc.IsRecordEmpty(row) && mode != NameColumnMode::Off;
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
  if (doc.IsRecordEmpty(row)) return result;  // every data cell blank

  SetText(result, kColRxFrequency, doc.GetFrequencyText(row, true));
  SetText(result, kColRxTone, GetToneCellText(doc.GetToneCode(row, true), texts));
  SetText(result, kColTxFrequency, doc.GetTransmitFrequencyText(row));
  if (!doc.IsTransmitOff(row)) {
    SetText(result, kColTxTone, GetToneCellText(doc.GetToneCode(row, false), texts));
  }
  SetText(result, kColBandwidth, doc.IsWide(row) ? texts.strWide : texts.strNarrow);
  SetText(result, kColPower, doc.IsHighPower(row) ? texts.strHigh : texts.strLow);
  if (mode == NameColumnMode::Shown) SetText(result, kColName, doc.GetChannelName(row));
  return result;
}

ChannelRow GetChannelRow(const CQorrinDoc& doc, int row) {
  return GetChannelRow(doc, row, ReadNameColumnMode(), LoadChannelCellTexts());
}

ChannelRow RefreshChannelRow(CQorrinDoc& doc, int row, NameColumnMode mode,
                             const ChannelCellTexts& texts) {
  // Showing a name keeps the name-present bit in step with it.
  if (IsChannel(row) && mode == NameColumnMode::Shown && !doc.IsRecordEmpty(row)) {
    doc.UpdateNamePresentBit(row);
  }
  return GetChannelRow(doc, row, mode, texts);
}

ChannelRow RefreshChannelRow(CQorrinDoc& doc, int row) {
  return RefreshChannelRow(doc, row, ReadNameColumnMode(), LoadChannelCellTexts());
}

std::vector<ChannelRow> BuildChannelTable(CQorrinDoc& doc) {
  const NameColumnMode mode = ReadNameColumnMode();
  const ChannelCellTexts texts = LoadChannelCellTexts();
  std::vector<ChannelRow> rows;
  rows.reserve(kChannelCount);
  for (int r = kFirstChannel; r <= kLastChannel; ++r) {
    rows.push_back(RefreshChannelRow(doc, r, mode, texts));
  }
  return rows;
}

}  // namespace qorrin
