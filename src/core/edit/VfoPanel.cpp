#include "core/edit/VfoPanel.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/edit/TransmitOffset.h"
#include "core/lang/LangText.h"
#include "core/model/ToneCodec.h"

namespace qorrin {

namespace {

constexpr std::int64_t kUnitsPerMhz = 100000;  // frequencies are kept in 10 Hz units

bool IsVfoRecord(int record) { return record == kVfoARecord || record == kVfoBRecord; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

// A text read as a decimal number of MHz, the way a C library reads a leading floating
// point number (blanks, sign, digits, point, digits; the rest ignored), in 10 Hz units
// rounded at the sixth decimal. Independent of the process locale, which may use a comma.
std::int64_t ParseMhz(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  auto digit = [&](std::size_t at) {
    return at < text.size() && text[at] >= '0' && text[at] <= '9';
  };
  // Decoded frequencies have at most three whole digits; the cap only keeps junk in range.
  std::int64_t whole = 0;
  for (; digit(i); ++i) {
    whole = std::min<std::int64_t>(whole * 10 + (text[i] - '0'), 1'000'000'000);
  }
  std::int64_t fraction = 0;
  int decimals = 0;
  bool roundUp = false;
  if (i < text.size() && text[i] == '.') {
    for (++i; digit(i); ++i, ++decimals) {
      if (decimals < 5) fraction = fraction * 10 + (text[i] - '0');
      if (decimals == 5) roundUp = text[i] >= '5';
    }
  }
  for (; decimals < 5; ++decimals) fraction *= 10;
  const std::int64_t value = whole * kUnitsPerMhz + fraction + (roundUp ? 1 : 0);
  return negative ? -value : value;
}

// "%.5f" of a value in 10 Hz units: MHz without leading zeros, five decimals.
std::string FormatMhz(std::int64_t value) {
  const std::int64_t magnitude = value < 0 ? -value : value;
  char text[40];
  std::snprintf(text, sizeof text, "%s%lld.%05lld", value < 0 ? "-" : "",
                static_cast<long long>(magnitude / kUnitsPerMhz),
                static_cast<long long>(magnitude % kUnitsPerMhz));
  return text;
}

bool IsTwoBand(const CQorrinDoc& doc) { return doc.m_nSplitLow != 0; }

// A typed frequency outside the band becomes the limit it crossed, without a message.
std::string ClampToBand(const CQorrinDoc& doc, std::string_view text) {
  const int which = doc.CheckFrequencyRange(text);
  return which != 0 ? doc.GetLimitText(which) : std::string(text);
}

// Whether the entry of an edit that lost the focus must be replaced by the band start.
// On a two-band model each VFO keeps to its own side of the gap: VFO A to the lower band
// (at most m_nSplitLow), VFO B to the upper band (at least m_nSplitHigh). A gap value left
// in VFO B would be moved to the lowest frequency of the lower band by the store.
bool NeedsBandStart(const CQorrinDoc& doc, int record, std::string_view text) {
  if (text.empty()) return true;
  if (!IsTwoBand(doc)) return false;
  const int value = CQorrinDoc::ParseFrequencyText(text);
  return record == kVfoARecord ? value > doc.m_nSplitLow : value < doc.m_nSplitHigh;
}

// Stores the text as the receive frequency of the record (snapped to the channel raster)
// and gives the value it reads back as; an empty text reads as 0.
int StoreAsReceive(CQorrinDoc& doc, int record, std::string_view text) {
  doc.SetFrequencyText(record, true, text);
  return CQorrinDoc::ParseFrequencyText(doc.GetFrequencyText(record, true));
}

EditResult Modified(CQorrinDoc& doc) {
  doc.SetModifiedFlag();
  return {true, true};
}

}  // namespace

std::string GetVfoTransmitText(const CQorrinDoc& doc, int record) {
  const std::string rx = doc.GetFrequencyText(record, true);
  const std::string offset = doc.GetFrequencyText(record, false);
  if (EqualNoCase(rx, offset)) return {};
  switch (doc.GetShiftDirection(record)) {
    case 1: return FormatMhz(ParseMhz(rx) - ParseMhz(offset));
    case 2: return FormatMhz(ParseMhz(rx) + ParseMhz(offset));
    default: return rx;
  }
}

VfoTexts GetVfoTexts(const CQorrinDoc& doc, int record) {
  return {doc.GetFrequencyText(record, true), GetVfoTransmitText(doc, record)};
}

std::vector<std::string> GetStepItems() { return LoadOptionList("Step"); }

VfoPanelState GetVfoPanelState(const CQorrinDoc& doc, int record) {
  VfoPanelState state;
  state.texts = GetVfoTexts(doc, record);
  state.nReceiveTone = doc.GetToneCode(record, true);
  state.nTransmitTone = doc.GetToneCode(record, false);
  state.nPower = doc.IsHighPower(record) ? 1 : 0;
  state.nBandwidth = doc.IsWide(record) ? 1 : 0;
  state.step.items = GetStepItems();
  const int step = doc.GetStepIndex(record);
  state.step.nSelected = step < static_cast<int>(state.step.items.size()) ? step : -1;
  return state;
}

bool IsVfoInUse(const CQorrinDoc& doc, int record) { return IsVfoInUse(doc.GetBandLimits(), record); }

bool IsVfoInUse(const BandLimits& limits, int record) {
  if (!IsVfoRecord(record)) return false;
  if (limits.m_nSplitLow != 0) return true;  // two bands: both VFOs
  const bool upperBand = limits.m_nFreqMin >= kUpperBandStart;
  return (record == kVfoBRecord) == upperBand;
}

std::vector<std::string> RangesUsingVfo(int record) {
  std::vector<std::string> ranges;
  for (const ModelEntry& model : ListModels()) {
    if (model.bUsable && IsVfoInUse(ModelLimits(model.nIndex), record)) ranges.push_back(model.strText);
  }
  return ranges;
}

int GetVfoBandStart(const CQorrinDoc& doc, int record) {
  return IsTwoBand(doc) && record == kVfoBRecord ? doc.m_nSplitHigh : doc.m_nFreqMin;
}

int SnapToVfoStep(int value, int stepIndex) {
  const std::int64_t x = value;
  const std::int64_t below = (x / 500) * 500;
  const std::int64_t above = below + 500;
  if (stepIndex == 1 || stepIndex == 3) {
    const std::int64_t fine = ((x + 75) / 625) * 625;
    return static_cast<int>(fine / 100 == x / 100 || x - below <= above - x ? fine : above);
  }
  return static_cast<int>(x - below > above - x ? above : below);
}

VfoCommitResult CommitVfoEdit(CQorrinDoc& doc, int record, VfoEdit edit, const VfoTexts& shown) {
  if (!IsVfoRecord(record)) return {false, false, shown};
  VfoTexts texts{WithDecimalPoint(shown.strReceive), WithDecimalPoint(shown.strTransmit)};
  std::string& text = edit == VfoEdit::Receive ? texts.strReceive : texts.strTransmit;
  if (!IsVfoInUse(doc, record)) {
    text.clear();
    doc.SetFrequencyText(record, edit == VfoEdit::Receive, "");
    return {true, false, texts};
  }
  if (NeedsBandStart(doc, record, text)) {
    text = CQorrinDoc::FormatFrequency(GetVfoBandStart(doc, record));
  }
  return StoreVfo(doc, record, texts);
}

VfoCommitResult StoreVfo(CQorrinDoc& doc, int record, const VfoTexts& typed) {
  if (!IsVfoRecord(record)) return {false, false, typed};
  std::string rx = ClampToBand(doc, WithDecimalPoint(typed.strReceive));
  // An empty receive text would be stored as 0 MHz, outside every band.
  if (rx.empty()) rx = CQorrinDoc::FormatFrequency(GetVfoBandStart(doc, record));
  const std::string tx = ClampToBand(doc, WithDecimalPoint(typed.strTransmit));

  const int step = doc.GetStepIndex(record);
  const std::string txOnRaster =
      CQorrinDoc::FormatFrequency(SnapToVfoStep(StoreAsReceive(doc, record, tx), step));
  const int rxOnRaster = SnapToVfoStep(StoreAsReceive(doc, record, rx), step);
  doc.SetFrequencyText(record, true, CQorrinDoc::FormatFrequency(rxOnRaster));
  // An empty transmit text reads as 0 and so gives the receive-only form (offset = receive).
  StoreTransmitOffset(doc, record, doc.GetFrequencyText(record, true), txOnRaster);
  doc.SetModifiedFlag();
  return {true, true, GetVfoTexts(doc, record)};
}

EditResult CommitVfoTone(CQorrinDoc& doc, int record, bool receive, int index) {
  if (!IsVfoRecord(record) || index < kToneOff || index > kLastToneCode) return {};
  doc.SetToneCode(record, receive, index);
  return Modified(doc);
}

EditResult CommitVfoPower(CQorrinDoc& doc, int record, int index) {
  if (!IsVfoRecord(record) || (index != 0 && index != 1)) return {};
  doc.SetHighPower(record, index == 1);
  return Modified(doc);
}

EditResult CommitVfoBandwidth(CQorrinDoc& doc, int record, int index) {
  if (!IsVfoRecord(record) || (index != 0 && index != 1)) return {};
  doc.SetWide(record, index == 1);
  return Modified(doc);
}

EditResult CommitVfoStep(CQorrinDoc& doc, int record, int index) {
  if (!IsVfoRecord(record) || index < 0 || index >= static_cast<int>(GetStepItems().size())) {
    return {};
  }
  doc.SetStepIndex(record, index);
  return Modified(doc);
}

}  // namespace qorrin
