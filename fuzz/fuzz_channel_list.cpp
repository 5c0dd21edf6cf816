// Feeds arbitrary bytes to the channel-list reader as the text of a CSV file (or of the
// clipboard), plans the import and stores it into a new document through the channel
// table's commits. Nothing may crash, and:
//   - every row is either imported or refused, and the report describes each row;
//   - rows placed in order fill consecutive channels (a refused row leaves no gap);
//   - two stored rows whose names differ to the radio store the same name only when
//     both say so;
//   - each stored row shows in the table exactly what the plan said it would;
//   - the table written as a channel list reads back without a refused or changed row,
//     and imported into a second document with "replace" (all channels cleared) gives the same
//     channels (receive, transmit with shift and offset, both tones, bandwidth, power,
//     name).
//
// The input's bytes also choose the model (136-174 MHz, 400-470 MHz, both, or the
// 100-520 MHz of a settings file without models), the placement (as in the list or from
// a channel), "replace", the power of rows without one, whether the text is read as
// tab-separated clipboard text, and whether it is first read as a file's bytes (UTF-16,
// binary). The channel table's words of two languages are known.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <vector>
#include <optional>
#include <string>
#include <string_view>

#include "core/edit/ChannelCommits.h"
#include "core/edit/ChannelRow.h"
#include "core/interchange/ChannelListWriter.h"
#include "core/interchange/ImportApply.h"
#include "core/interchange/ImportReport.h"
#include "core/interchange/ListFileText.h"
#include "core/interchange/NameShortening.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileCache.h"
#include "FuzzFiles.h"

namespace {

struct Settings {
  std::string withModels;
  std::string withoutModels;
};

const Settings& InstallSettings() {
  static const Settings settings = [] {
    Settings s{qorrin::fuzz::ScratchFile("list-models"), qorrin::fuzz::ScratchFile("list-fallback")};
    const std::string setup = "[setup]\nname=1\n";
    const std::string models =
        "[ModelInfo]\ndata0=60134017\nFreq0=136-174MHz\ndata1=00400047\nFreq1=400-470MHz\n"
        "data2=6013401700400047\nFreq2=136-174MHz/400-470MHz\n";
    qorrin::fuzz::WriteBytes(s.withModels, reinterpret_cast<const std::uint8_t*>((setup + models).data()),
                             setup.size() + models.size());
    qorrin::fuzz::WriteBytes(s.withoutModels, reinterpret_cast<const std::uint8_t*>(setup.data()), setup.size());
    // The files never change while the target runs: their parsed copies can be trusted.
    qorrin::SetProfileStampSlack(std::chrono::nanoseconds(0));
    qorrin::g_strLangFile = "/nonexistent.lang";
    return s;
  }();
  return settings;
}

// What the input goes through, from a hash of all its bytes (any mutation picks afresh).
std::uint32_t Selector(const uint8_t* data, size_t size) {
  std::uint64_t h = 1469598103934665603ull;
  for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 1099511628211ull;
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

// The table's words as the shipped language files have them.
const qorrin::ListVocabulary& Words() {
  static const qorrin::ListVocabulary words = [] {
    qorrin::ListVocabulary v;
    v.languages.push_back({{"CH", "RX Frequency", "Decode", "TX Frequency", "Encode", "Bandwidth", "Power", "Name"},
                           "Off", "Wide", "Narrow", "High", "Low"});
    v.languages.push_back({{"\u4FE1\u9053", "\u63A5\u6536\u9891\u7387", "CTC/DCS\u89E3\u7801", "\u53D1\u5C04\u9891\u7387",
                            "CTC/DCS\u7F16\u7801", "\u5BBD/\u7A84", "\u529F\u7387", "\u4FE1\u9053\u540D\u79F0"},
                           "\u5173\u95ED", "\u5BBD\u5E26", "\u7A84\u5E26", "\u9AD8", "\u4F4E"});
    return v;
  }();
  return words;
}

// Rows placed in order take consecutive channels from the first.
bool ConsecutiveFrom(const qorrin::ImportPlan& plan, int first) {
  for (int channel : plan.ImportedChannels()) {
    if (channel != first++) return false;
  }
  return true;
}

// Stored rows whose names differ to the radio but store the same name both carry a note.
bool ClashesAreSaid(const qorrin::ImportPlan& plan) {
  std::map<std::string, std::vector<const qorrin::PlannedRow*>> byName;
  for (const qorrin::PlannedRow& row : plan.rows) {
    if (!row.IsRefused() && !row.channel.strName.empty()) byName[row.channel.strName].push_back(&row);
  }
  const auto said = [](const qorrin::PlannedRow& row) {
    for (const qorrin::ImportNote& note : row.changes) {
      if (note.kind == qorrin::ImportNoteKind::NameClash) return true;
    }
    return false;
  };
  for (const auto& [name, rows] : byName) {
    std::set<std::string> sources;
    for (const qorrin::PlannedRow* row : rows) sources.insert(qorrin::ShownChannelName(row->channel.strSourceName));
    if (sources.size() < 2) continue;
    for (const qorrin::PlannedRow* row : rows) {
      if (!said(*row)) return false;
    }
  }
  return true;
}

void NewDocument(qorrin::CQorrinDoc& doc, int model) {
  doc.OnNewDocument();
  if (model != 0) doc.ChangeFrequencyRange(model);
}

// What a round trip must give back of a channel: the table's texts, bandwidth and power,
// the tone codes with their polarity, and for a transmitting channel its shift and offset.
std::string ChannelFields(const qorrin::CQorrinDoc& doc, int channel) {
  const qorrin::ChannelRow row = qorrin::GetChannelRow(doc, channel, qorrin::NameColumnMode::Shown, {});
  std::string fields;
  for (const std::string& text : row.texts) fields += text + "|";
  fields += std::to_string(qorrin::IsWide(doc.Image(), channel)) + std::to_string(qorrin::IsHighPower(doc.Image(), channel)) + "|";
  fields += std::to_string(qorrin::GetToneCode(doc.Image(), channel, true)) + "|";
  if (!qorrin::IsTransmitOff(doc.Image(), channel)) {
    fields += std::to_string(qorrin::GetToneCode(doc.Image(), channel, false)) + "|" + std::to_string(qorrin::GetShiftDirection(doc.Image(), channel)) +
              "|" + qorrin::GetFrequencyText(doc.Image(), channel, false);
  }
  return fields;
}

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Settings& settings = InstallSettings();
  const std::uint32_t h = Selector(data, size);
  const int choice = static_cast<int>(h & 3);
  qorrin::g_strIniFile = choice == 3 ? settings.withoutModels : settings.withModels;
  const int model = choice == 3 ? 0 : choice;
  qorrin::PlacementOptions placement;
  placement.bFromChannel = ((h >> 2) & 3) == 0;
  placement.nFirstChannel = 1 + static_cast<int>((h >> 4) % 99);
  placement.bReplace = ((h >> 12) & 3) == 0;
  const char separator = ((h >> 14) & 7) == 0 ? '\t' : 0;
  placement.bHighPower = ((h >> 17) & 1) == 0;
  const bool asFile = ((h >> 18) & 1) == 0;

  std::string text(reinterpret_cast<const char*>(data), size);
  if (asFile) {
    const std::optional<std::string> decoded = qorrin::ListFileText(text);
    if (!decoded) return 0;
    text = *decoded;
  }
  const qorrin::ChannelList list = qorrin::ReadChannelList(text, Words(), separator);
  qorrin::CQorrinDoc doc;
  NewDocument(doc, model);
  const qorrin::ImportPlan plan =
      qorrin::PlanChannelImport(list, doc.GetBandLimits(), qorrin::NameColumnMode::Shown, placement);
  Check(plan.rows.size() == list.rows.size(), "one planned row per row");
  Check(plan.ImportedCount() + plan.RefusedCount() == static_cast<int>(plan.rows.size()), "imported or refused");
  const qorrin::ImportTexts texts = qorrin::EnglishImportTexts();
  for (const qorrin::PlannedRow& row : plan.rows) {
    Check(DescribeRow(row, texts).empty() == (!row.IsRefused() && !row.IsChanged()), "a line for each note");
  }
  (void)qorrin::ImportSummary(plan, texts);
  (void)qorrin::ImportAssumptionLines(plan, texts);
  if (qorrin::PlacesInOrder(list, placement)) {
    Check(ConsecutiveFrom(plan, placement.bFromChannel ? placement.nFirstChannel : 1), "in order without gaps");
  }
  Check(ClashesAreSaid(plan), "names that come out alike are said");

  qorrin::ApplyChannelImport(doc, plan);
  for (const qorrin::PlannedRow& row : plan.rows) {
    if (row.IsRefused()) continue;
    const qorrin::ChannelRow shown = qorrin::GetChannelRow(doc, row.nChannel, qorrin::NameColumnMode::Shown, {});
    Check(shown.Text(qorrin::kColRxFrequency) == row.channel.strReceive, "receive as planned");
    Check(shown.Text(qorrin::kColTxFrequency) == row.channel.strTransmit, "transmit as planned");
    Check(qorrin::GetToneCode(doc.Image(), row.nChannel, true) == row.channel.nRxTone, "decode tone as planned");
    if (row.channel.Transmits()) {
      Check(qorrin::GetToneCode(doc.Image(), row.nChannel, false) == row.channel.nTxTone, "encode tone as planned");
    }
    Check(qorrin::IsWide(doc.Image(), row.nChannel) == row.channel.bWide && qorrin::IsHighPower(doc.Image(), row.nChannel) == row.channel.bHighPower,
          "bandwidth and power as planned");
    Check(qorrin::GetChannelName(doc.Image(), row.nChannel) == row.channel.strName, "name as planned");
  }

  // What Qorrin writes, it reads back to the same channels.
  const std::string written = qorrin::WriteChannelTable(doc.Image(), doc.GetBandLimits());
  qorrin::CQorrinDoc copy;
  NewDocument(copy, model);
  const qorrin::ChannelList again = qorrin::ReadChannelList(written);
  const qorrin::PlacementOptions replaceAll{false, 1, true, true};
  const qorrin::ImportPlan replan =
      qorrin::PlanChannelImport(again, copy.GetBandLimits(), qorrin::NameColumnMode::Shown, replaceAll);
  Check(again.ok() && again.bHeader, "written list has its header");
  Check(replan.RefusedCount() == 0 && replan.ChangedCount() == 0, "written list imports unchanged");
  qorrin::ApplyChannelImport(copy, replan);
  for (int channel = qorrin::kFirstChannel; channel <= qorrin::kLastChannel; ++channel) {
    // Equal bytes are equal fields; only a record that differs is looked at field by field.
    if (qorrin::GetRecordBytes(copy.Image(), channel) == qorrin::GetRecordBytes(doc.Image(), channel)) continue;
    Check(ChannelFields(copy, channel) == ChannelFields(doc, channel), "round trip gives the same channels");
  }
  return 0;
}
