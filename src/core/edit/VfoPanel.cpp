#include "core/edit/VfoPanel.h"

#include "core/model/FrequencyUnits.h"

#include <cstdint>
#include <optional>

#include "core/edit/TransmitOffset.h"
#include "core/lang/LangText.h"
#include "core/model/ToneCodec.h"

namespace qorrin {

namespace {

bool IsVfoRecord(int record) { return record == kVfoARecord || record == kVfoBRecord; }

// Whether the entry of an edit that lost the focus must be replaced by the band start.
// On a two-band model each VFO keeps to its own side of the gap: VFO A to the lower band
// (at most m_nSplitLow), VFO B to the upper band (at least m_nSplitHigh). A gap value left
// in VFO B would be moved to the lowest frequency of the lower band by the store.
bool NeedsBandStart(const BandLimits& limits, int record, std::string_view text) {
  if (text.empty()) return true;
  if (!limits.IsTwoBand()) return false;
  const int value = ParseFrequencyText(text);
  return record == kVfoARecord ? value > limits.m_nSplitLow : value < limits.m_nSplitHigh;
}

// Stores the text as the receive frequency of the record (snapped to the channel raster)
// and gives the value it reads back as; an empty text reads as 0.
int StoreAsReceive(ImageSpan image, const BandLimits& limits, int record, std::string_view text) {
  SetFrequencyText(image, limits, record, true, text);
  return ParseFrequencyText(GetFrequencyText(image, record, true));
}

// A drop-down's pick, stored through the document's entry; always a change.
template <typename Edit>
EditResult StorePick(CQorrinDoc& doc, Edit&& edit) {
  const ChangeScope scope(doc, {"IDS_UNDO_VFO", 0});
  doc.EditImage(ImageChange::Edit, [&](ImageSpan image, const BandLimits&) {
    edit(image);
    return true;
  });
  return {true, true};
}

}  // namespace

std::string GetVfoTransmitText(const CQorrinDoc& doc, int record) {
  const std::optional<std::int64_t> tx = TransmitFrequencyValue(doc.Image(), record);
  return tx ? FormatMhz(*tx) : std::string();
}

VfoTexts GetVfoTexts(const CQorrinDoc& doc, int record) {
  return {GetFrequencyText(doc.Image(), record, true), GetVfoTransmitText(doc, record)};
}

std::vector<std::string> GetStepItems() { return LoadOptionList("Step"); }

VfoPanelState GetVfoPanelState(const CQorrinDoc& doc, int record) {
  const RadioImage& image = doc.Image();
  VfoPanelState state;
  state.texts = GetVfoTexts(doc, record);
  state.nReceiveTone = GetToneCode(image, record, true);
  state.nTransmitTone = GetToneCode(image, record, false);
  state.nPower = IsHighPower(image, record) ? 1 : 0;
  state.nBandwidth = IsWide(image, record) ? 1 : 0;
  state.step.items = GetStepItems();
  const int step = GetStepIndex(image, record);
  state.step.nSelected = step < static_cast<int>(state.step.items.size()) ? step : -1;
  return state;
}

bool IsVfoInUse(const CQorrinDoc& doc, int record) { return IsVfoInUse(doc.GetBandLimits(), record); }

bool IsVfoInUse(const BandLimits& limits, int record) {
  if (!IsVfoRecord(record)) return false;
  return record == kVfoARecord ? limits.UsesVfoA() : limits.UsesVfoB();
}

std::vector<std::string> RangesUsingVfo(int record) {
  std::vector<std::string> ranges;
  for (const ModelEntry& model : ListModels()) {
    if (model.bUsable && IsVfoInUse(ModelLimits(model.nIndex), record)) ranges.push_back(model.strText);
  }
  return ranges;
}

int GetVfoBandStart(const CQorrinDoc& doc, int record) { return GetVfoBandStart(doc.GetBandLimits(), record); }

int GetVfoBandStart(const BandLimits& limits, int record) {
  return limits.IsTwoBand() && record == kVfoBRecord ? limits.m_nSplitHigh : limits.m_nFreqMin;
}

int SnapToVfoStep(int value, int stepIndex) {
  const std::int64_t x = value;
  if (stepIndex == 1 || stepIndex == 3) {
    const std::int64_t fine = FineRasterPoint(x);
    const std::int64_t below = CoarseRasterBelow(x);
    const std::int64_t above = below + kCoarseStep;
    return static_cast<int>(AgreesToTheKilohertz(fine, x) || x - below <= above - x ? fine : above);
  }
  return static_cast<int>(NearestCoarsePoint(x));
}

VfoCommitResult CommitVfoEdit(CQorrinDoc& doc, int record, VfoEdit edit, const VfoTexts& shown) {
  if (!IsVfoRecord(record)) return {false, false, shown};
  VfoTexts texts{WithDecimalPoint(shown.strReceive), WithDecimalPoint(shown.strTransmit)};
  std::string& text = edit == VfoEdit::Receive ? texts.strReceive : texts.strTransmit;
  const BandLimits& limits = doc.GetBandLimits();
  if (!IsVfoInUse(limits, record)) {
    text.clear();
    const ChangeScope scope(doc, {"IDS_UNDO_VFO", 0});
    doc.EditImage(ImageChange::Edit, [&](ImageSpan image, const BandLimits& bands) {
      SetFrequencyText(image, bands, record, edit == VfoEdit::Receive, "");
      return false;  // silently: no change of the user's
    });
    return {true, false, texts};
  }
  if (NeedsBandStart(limits, record, text)) text = FormatFrequency(GetVfoBandStart(limits, record));
  return StoreVfo(doc, record, texts);
}

VfoCommitResult StoreVfo(CQorrinDoc& doc, int record, const VfoTexts& typed) {
  if (!IsVfoRecord(record)) return {false, false, typed};
  const ChangeScope scope(doc, {"IDS_UNDO_VFO", 0});
  doc.EditImage(ImageChange::Edit, [&](ImageSpan image, const BandLimits& limits) {
    std::string rx = ClampToBand(WithDecimalPoint(typed.strReceive), limits);
    // An empty receive text would be stored as 0 MHz, outside every band.
    if (rx.empty()) rx = FormatFrequency(GetVfoBandStart(limits, record));
    const std::string tx = ClampToBand(WithDecimalPoint(typed.strTransmit), limits);
    const int step = GetStepIndex(image, record);
    const std::string txOnRaster = FormatFrequency(SnapToVfoStep(StoreAsReceive(image, limits, record, tx), step));
    const int rxOnRaster = SnapToVfoStep(StoreAsReceive(image, limits, record, rx), step);
    SetFrequencyText(image, limits, record, true, FormatFrequency(rxOnRaster));
    // An empty transmit text reads as 0 and so gives the receive-only form (offset = receive).
    StoreTransmitOffset(image, limits, record, GetFrequencyText(image, record, true), txOnRaster);
    return true;
  });
  return {true, true, GetVfoTexts(doc, record)};
}

EditResult CommitVfoTone(CQorrinDoc& doc, int record, bool receive, int index) {
  if (!IsVfoRecord(record) || index < kToneOff || index > kLastToneCode) return {};
  return StorePick(doc, [&](ImageSpan image) { SetToneCode(image, record, receive, index); });
}

EditResult CommitVfoPower(CQorrinDoc& doc, int record, int index) {
  if (!IsVfoRecord(record) || (index != 0 && index != 1)) return {};
  return StorePick(doc, [&](ImageSpan image) { SetHighPower(image, record, index == 1); });
}

EditResult CommitVfoBandwidth(CQorrinDoc& doc, int record, int index) {
  if (!IsVfoRecord(record) || (index != 0 && index != 1)) return {};
  return StorePick(doc, [&](ImageSpan image) { SetWide(image, record, index == 1); });
}

EditResult CommitVfoStep(CQorrinDoc& doc, int record, int index) {
  if (!IsVfoRecord(record) || index < 0 || index >= static_cast<int>(GetStepItems().size())) {
    return {};
  }
  return StorePick(doc, [&](ImageSpan image) { SetStepIndex(image, record, index); });
}

}  // namespace qorrin
