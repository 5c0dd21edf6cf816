#include "core/compare/DocumentDiff.h"

#include <array>
#include <cstdio>
#include <initializer_list>
#include <utility>

#include "core/compare/ImageCompare.h"
#include "core/edit/ChannelCellLists.h"
#include "core/edit/ChannelRow.h"
#include "core/edit/FmPresets.h"
#include "core/edit/FrequencyRange.h"
#include "core/edit/OptionPanel.h"
#include "core/edit/VfoPanel.h"
#include "core/lang/LangText.h"

namespace qorrin {
namespace {

constexpr const char* kEmptyChannel = "(empty)";
constexpr const char* kBlank = "(none)";

std::string Shown(const std::string& text) { return text.empty() ? kBlank : text; }

// Collects the entries and remembers which stored bytes they account for.
class DiffBuilder {
 public:
  DiffBuilder(const CQorrinDoc& before, const CQorrinDoc& after) : m_before(before), m_after(after) {}

  // An entry when the texts differ; `bytes` are the stored bytes (offset, count) that
  // the field is made of, which the entry then accounts for.
  void Add(DiffArea area, int item, std::string what, std::string before, std::string after,
           std::initializer_list<std::pair<std::size_t, std::size_t>> bytes) {
    if (before == after) return;
    m_entries.push_back({area, item, std::move(what), std::move(before), std::move(after)});
    for (const auto& [first, size] : bytes) {
      for (std::size_t i = first; i < first + size && i < kImageSize; ++i) m_explained[i] = true;
    }
  }

  void Header();
  void FrequencyRange();
  void Options();
  void Vfo(int record, const char* name);
  void Channels();
  void Fm();
  void UnexplainedBytes(bool pcBytes);

  std::vector<DocumentDifference> Take() { return std::move(m_entries); }

 private:
  const CQorrinDoc& m_before;
  const CQorrinDoc& m_after;
  std::vector<DocumentDifference> m_entries;
  std::array<bool, kImageSize> m_explained{};
};

std::string HeaderText(const CQorrinDoc& doc) { return ProjectHeaderText(doc.Header()); }

void DiffBuilder::Header() {
  if (m_before.Header() == m_after.Header()) return;
  std::string before = HeaderText(m_before), after = HeaderText(m_after);
  if (before == after) {  // differs only after the first NUL
    before += " (+ " + HexBytes({m_before.Header().begin(), m_before.Header().end()}) + ")";
    after += " (+ " + HexBytes({m_after.Header().begin(), m_after.Header().end()}) + ")";
  }
  m_entries.push_back({DiffArea::Header, 0, "project header", before, after});
}

std::string RangeText(const CQorrinDoc& doc) {
  const OptionListState state = GetFrequencyRangeState(doc);
  const int index = GetFrequencyRangeIndex(doc);
  if (state.nSelected >= 0 && static_cast<std::size_t>(state.nSelected) < state.items.size() &&
      !state.items[static_cast<std::size_t>(state.nSelected)].empty()) {
    return state.items[static_cast<std::size_t>(state.nSelected)];
  }
  return "model " + std::to_string(index);
}

void DiffBuilder::FrequencyRange() {
  Add(DiffArea::FrequencyRange, 0, "frequency range", RangeText(m_before), RangeText(m_after),
      {{kBandInfo, kBandInfoSize}});
}

// The list item the option panel selects; the number when the language file's list is
// too short to have one. A check box reads "on" or "off".
std::string OptionText(const CQorrinDoc& doc, const OptionFieldEntry& entry, const std::vector<std::string>& items) {
  const int value = GetOptionValue(doc, entry.field);
  if (entry.control == OptionControl::CheckBox) return value != 0 ? "on" : "off";
  if (value >= 0 && static_cast<std::size_t>(value) < items.size()) return items[static_cast<std::size_t>(value)];
  return std::to_string(value);
}

std::string PriorityText(const CQorrinDoc& doc, const std::string& off) {
  const int channel = GetPriorityChannel(doc.Image());
  return channel == 0 ? off : std::to_string(channel);
}

void DiffBuilder::Options() {
  for (const OptionFieldEntry& entry : kOptionFields) {
    const std::vector<std::string> items = GetOptionListItems(entry.field);
    Add(DiffArea::Option, 0, entry.compareName, OptionText(m_before, entry, items), OptionText(m_after, entry, items),
        {{entry.byte, 1}});
  }
  const std::string off = LoadLangString("IDS_OFF");
  Add(DiffArea::Option, 0, "priority channel", PriorityText(m_before, off), PriorityText(m_after, off),
      {{kOptPriorityChannel, 1}});
}

std::string ItemText(const std::vector<std::string>& items, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < items.size() ? items[static_cast<std::size_t>(index)]
                                                                      : std::to_string(index);
}

void DiffBuilder::Vfo(int record, const char* name) {
  const VfoPanelState before = GetVfoPanelState(m_before, record);
  const VfoPanelState after = GetVfoPanelState(m_after, record);
  const ChannelCellTexts texts = LoadChannelCellTexts();
  const std::vector<std::string> power = GetPowerItems();
  const std::vector<std::string> bandwidth = GetBandwidthItems();
  const std::string prefix = std::string(name) + " ";
  const std::size_t first = static_cast<std::size_t>(record) * kRecordSize;
  auto add = [&](const char* what, std::string a, std::string b, std::size_t field, std::size_t size) {
    Add(DiffArea::Vfo, record, prefix + what, std::move(a), std::move(b),
        {{first + field, size}, {first + kRecFlags, 1}});
  };
  add("RX", Shown(before.texts.strReceive), Shown(after.texts.strReceive), kRecRxFreq, 4);
  add("TX", Shown(before.texts.strTransmit), Shown(after.texts.strTransmit), kRecOffset, 4);
  add("RX tone", GetToneCellText(before.nReceiveTone, texts), GetToneCellText(after.nReceiveTone, texts), kRecRxTone, 1);
  add("TX tone", GetToneCellText(before.nTransmitTone, texts), GetToneCellText(after.nTransmitTone, texts), kRecTxTone, 1);
  add("power", ItemText(power, before.nPower), ItemText(power, after.nPower), kRecFlags, 1);
  add("bandwidth", ItemText(bandwidth, before.nBandwidth), ItemText(bandwidth, after.nBandwidth), kRecFlags, 1);
  add("step", ItemText(before.step.items, before.step.nSelected >= 0 ? before.step.nSelected : GetStepIndex(m_before.Image(), record)),
      ItemText(after.step.items, after.step.nSelected >= 0 ? after.step.nSelected : GetStepIndex(m_after.Image(), record)),
      kRecStep, 1);
}

constexpr std::array<const char*, kChannelTableColumns> kColumnNames{
    "", "RX", "RX tone", "TX", "TX tone", "bandwidth", "power", "name"};

// The bytes of a record behind each column besides the flag byte, which every column
// shares (inverted tones, shift direction, bandwidth, power, name-present bit).
constexpr std::array<std::pair<std::size_t, std::size_t>, kChannelTableColumns> kColumnBytes{{
    {0, 0}, {kRecRxFreq, 4}, {kRecRxTone, 1}, {kRecOffset, 4}, {kRecTxTone, 1}, {kRecFlags, 1}, {kRecFlags, 1},
    {kRecName, 4}}};

// A whole row in one line, for a channel that is programmed on one side only.
std::string RowSummary(const ChannelRow& row) {
  std::string text;
  for (int c = kColRxFrequency; c < kChannelTableColumns; ++c) {
    const std::string cell = row.Text(c);
    if (cell.empty()) continue;
    if (!text.empty()) text += ", ";
    text += std::string(kColumnNames[static_cast<std::size_t>(c)]) + " " + cell;
  }
  return text;
}

void DiffBuilder::Channels() {
  const ChannelCellTexts texts = LoadChannelCellTexts();
  for (int ch = kFirstChannel; ch <= kLastChannel; ++ch) {
    const std::size_t first = static_cast<std::size_t>(ch) * kRecordSize;
    const ChannelRow before = GetChannelRow(m_before, ch, NameColumnMode::Shown, texts);
    const ChannelRow after = GetChannelRow(m_after, ch, NameColumnMode::Shown, texts);
    const std::string channel = "channel " + std::to_string(ch);
    const bool wasEmpty = IsRecordEmpty(m_before.Image(), ch), isEmpty = IsRecordEmpty(m_after.Image(), ch);
    if (wasEmpty != isEmpty) {
      Add(DiffArea::Channel, ch, channel, wasEmpty ? kEmptyChannel : RowSummary(before),
          isEmpty ? kEmptyChannel : RowSummary(after), {{first, kRecordSize}});
      continue;
    }
    for (int c = kColRxFrequency; c < kChannelTableColumns; ++c) {
      const auto [field, size] = kColumnBytes[static_cast<std::size_t>(c)];
      Add(DiffArea::Channel, ch, channel + " " + kColumnNames[static_cast<std::size_t>(c)], Shown(before.Text(c)),
          Shown(after.Text(c)), {{first + field, size}, {first + kRecFlags, 1}});
    }
  }
}

void DiffBuilder::Fm() {
  Add(DiffArea::Fm, 0, "FM frequency", GetFmFrequencyText(GetFmCurrentIndex(m_before)),
      GetFmFrequencyText(GetFmCurrentIndex(m_after)), {{kFmCurrent, 1}});
  for (int p = 1; p <= kFmPresetCount; ++p) {
    Add(DiffArea::Fm, p, "FM preset " + std::to_string(p), GetFmPresetText(m_before, p), GetFmPresetText(m_after, p),
        {{kFmPresets + static_cast<std::size_t>(p - 1), 1}});
  }
}

// Whatever differs and no entry accounts for: a bookkeeping byte, an uninterpreted one,
// a value that reads the same after the read rules.
void DiffBuilder::UnexplainedBytes(bool pcBytes) {
  std::vector<ImageDifference> runs;
  for (const ImageDifference& run : CompareImages(m_before.Image(), m_after.Image(), 0, kLinkedImageSize)) {
    ImageDifference kept;
    for (std::size_t i = run.nFirst; i <= run.nLast; ++i) {
      const std::size_t k = i - run.nFirst;
      if (m_explained[i]) continue;
      if (kept.expected.empty() || kept.nLast + 1 != i) {
        if (!kept.expected.empty()) runs.push_back(kept);
        kept = {i, i, {}, {}};
      }
      kept.nLast = i;
      kept.expected.push_back(run.expected[k]);
      kept.actual.push_back(run.actual[k]);
    }
    if (!kept.expected.empty()) runs.push_back(kept);
  }
  char where[40];
  for (const ImageDifference& run : runs) {
    if (run.nFirst == run.nLast) {
      std::snprintf(where, sizeof where, "byte 0x%03zX", run.nFirst);
    } else {
      std::snprintf(where, sizeof where, "bytes 0x%03zX-0x%03zX", run.nFirst, run.nLast);
    }
    m_entries.push_back({DiffArea::Bytes, static_cast<int>(run.nFirst),
                         std::string(where) + " (" + ImageAreaName(run.nFirst) + ")", HexBytes(run.expected),
                         HexBytes(run.actual)});
  }
  if (!pcBytes) return;
  const auto tail = CompareImages(m_before.Image(), m_after.Image(), kLinkedImageSize, kImageSize);
  if (tail.empty()) return;
  std::size_t count = 0;
  for (const auto& run : tail) count += run.expected.size();
  if (tail.front().nFirst == tail.back().nLast) {
    std::snprintf(where, sizeof where, "byte 0x%03zX", tail.front().nFirst);
  } else {
    std::snprintf(where, sizeof where, "bytes 0x%03zX-0x%03zX", tail.front().nFirst, tail.back().nLast);
  }
  m_entries.push_back({DiffArea::Bytes, static_cast<int>(tail.front().nFirst),
                       std::string(where) + " (PC-side, never sent to the radio)", "",
                       std::to_string(count) + " byte(s) differ"});
}

}  // namespace

std::string FormatDifference(const DocumentDifference& difference) {
  if (difference.strBefore.empty()) return difference.strWhat + ": " + difference.strAfter;
  return difference.strWhat + ": " + difference.strBefore + " -> " + difference.strAfter;
}

std::vector<DocumentDifference> DiffDocuments(const CQorrinDoc& before, const CQorrinDoc& after,
                                              const DiffOptions& options) {
  DiffBuilder builder(before, after);
  if (options.bCompareHeader) builder.Header();
  builder.FrequencyRange();
  builder.Options();
  builder.Vfo(kVfoARecord, "VFO A");
  builder.Vfo(kVfoBRecord, "VFO B");
  builder.Channels();
  builder.Fm();
  builder.UnexplainedBytes(options.bComparePcBytes);
  return builder.Take();
}

namespace {

// A document holding the header and image given, as a load leaves it (limits derived).
void LoadInto(CQorrinDoc& doc, const ProjectHeader& header, ConstImageSpan image) {
  std::vector<std::uint8_t> bytes(header.begin(), header.end());
  bytes.insert(bytes.end(), image.begin(), image.end());
  doc.SerializeLoad(bytes);
}

}  // namespace

std::vector<DocumentDifference> DiffWithRadio(const CQorrinDoc& doc, ConstImageSpan radioImage) {
  const RadioImage sentImage = doc.ImageAsSent();
  RadioImage radioHolds = sentImage;
  std::copy_n(radioImage.begin(), kLinkedImageSize, radioHolds.begin());
  CQorrinDoc sent, radio;
  LoadInto(sent, doc.Header(), sentImage);
  LoadInto(radio, doc.Header(), radioHolds);
  return DiffDocuments(sent, radio, DiffOptions{false, false});
}

}  // namespace qorrin
