#include "cli/DocumentDump.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>

#include "core/edit/FmPresets.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/ProjectFile.h"
#include "core/model/ModelInfo.h"
#include "core/model/ToneTables.h"

namespace qorrin::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string Hex(const RecordBytes& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char text[2 * sizeof(RecordBytes)];
  std::size_t at = 0;
  for (std::uint8_t b : bytes) {
    text[at++] = kDigits[b >> 4];
    text[at++] = kDigits[b & 0x0F];
  }
  return std::string(text, at);
}

// The model of the image and its display text ("Freq%d"), both from one look at the
// settings file. An image that matches no usable entry falls back to model 0 and is named
// by Freq0, as the frequency-range list shows it, also when data0 is unusable or missing;
// "" only when there is no text.
struct ModelLine {
  int index = 0;
  std::string text;
};

ModelLine DescribeModel(const CQorrinDoc& doc) {
  const std::shared_ptr<const ModelTable> table = ModelTable::Load();
  ModelLine model;
  model.index = table->FindModelIndex(doc.Image());
  for (const ModelEntry& entry : table->Models()) {
    if (entry.nIndex == model.index) {
      model.text = entry.strText;
      return model;
    }
  }
  const std::vector<std::string>& texts = table->RangeTexts();
  if (static_cast<std::size_t>(model.index) < texts.size()) model.text = texts[static_cast<std::size_t>(model.index)];
  return model;
}

// The FM dialog's list text of the index ("100M5") with the point back in place of the
// M, so the text dump keeps printing MHz ("100.5").
std::string FmText(int index) {
  std::string text = GetFmFrequencyText(index);
  std::replace(text.begin(), text.end(), 'M', '.');
  return text;
}

// Names belong to channels; the name bytes of a VFO record mean nothing.
std::string RecordName(const CQorrinDoc& doc, int record) {
  return record <= kLastChannel ? GetChannelName(doc.Image(), record) : std::string();
}

Json RecordJson(const CQorrinDoc& doc, int record) {
  const int rxTone = GetToneCode(doc.Image(), record, true);
  const int txTone = GetToneCode(doc.Image(), record, false);
  Json json;
  json["number"] = record;
  json["rx"] = GetFrequencyText(doc.Image(), record, true);
  json["tx"] = GetTransmitFrequencyText(doc.Image(), record);
  json["offset"] = GetFrequencyText(doc.Image(), record, false);
  json["shift"] = GetShiftDirection(doc.Image(), record);
  json["rxTone"] = rxTone;
  json["txTone"] = txTone;
  json["rxToneText"] = GetToneText(rxTone);
  json["txToneText"] = GetToneText(txTone);
  json["wide"] = IsWide(doc.Image(), record);
  json["highPower"] = IsHighPower(doc.Image(), record);
  json["step"] = GetStepIndex(doc.Image(), record);
  json["name"] = RecordName(doc, record);
  json["raw"] = Hex(GetRecordBytes(doc.Image(), record));
  return json;
}

std::string ToneColumn(int code) {
  std::string text = GetToneText(code);
  return text.empty() ? "off" : text;
}

// printf's "%-Ns" and "%Nd": the text (up to a NUL, as %s reads it), then blanks up to
// `width`; blanks, then the number.
void PadRight(std::string& line, std::string_view text, std::size_t width) {
  text = text.substr(0, text.find('\0'));
  line += text;
  if (text.size() < width) line.append(width - text.size(), ' ');
}

void PadLeft(std::string& line, int number, std::size_t width) {
  const std::string text = std::to_string(number);
  if (text.size() < width) line.append(width - text.size(), ' ');
  line += text;
}

// One line per record, in fixed columns. Built by appending rather than with snprintf,
// which is the dominant cost of a dump; the line is cut to 199 bytes as the 200-byte
// buffer it was printed into cut it.
void WriteRecordLine(std::ostream& out, const CQorrinDoc& doc, int record, const char* label) {
  std::string line;
  line.reserve(160);
  PadRight(line, label, 5);
  line += ' ';
  PadRight(line, GetFrequencyText(doc.Image(), record, true), 10);
  line += ' ';
  PadRight(line, GetTransmitFrequencyText(doc.Image(), record), 10);
  line += ' ';
  PadRight(line, GetFrequencyText(doc.Image(), record, false), 10);
  line += ' ';
  PadLeft(line, GetShiftDirection(doc.Image(), record), 5);
  line += "  ";
  PadRight(line, ToneColumn(GetToneCode(doc.Image(), record, true)), 6);
  line += ' ';
  PadRight(line, ToneColumn(GetToneCode(doc.Image(), record, false)), 6);
  line += ' ';
  PadRight(line, IsWide(doc.Image(), record) ? "wide" : "narrow", 6);
  line += ' ';
  PadRight(line, IsHighPower(doc.Image(), record) ? "high" : "low", 5);
  line += ' ';
  PadLeft(line, GetStepIndex(doc.Image(), record), 4);
  line += "  ";
  PadRight(line, RecordName(doc, record), 4);
  line += "  ";
  line += Hex(GetRecordBytes(doc.Image(), record));
  line += '\n';
  if (line.size() > 199) line.resize(199);
  out << line;
}

// The option lines of the text dump, in its own order; labels and values come from the
// option field table.
constexpr OptionField kTextDumpOrder[] = {
    OptionField::Squelch,     OptionField::VoxLevel,       OptionField::TxTimeLimit, OptionField::ChannelFlag,
    OptionField::BusyLockout, OptionField::KeyBeep,        OptionField::ChannelDisplay, OptionField::PowerSave,
    OptionField::ScanMode,    OptionField::PriorityScan,   OptionField::BackLight,
};
static_assert([] {
  std::array<int, kOptionFields.size()> seen{};
  for (const OptionField field : kTextDumpOrder) ++seen[static_cast<std::size_t>(field)];
  return std::size(kTextDumpOrder) == kOptionFields.size() && std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; });
}(), "every option field has one line");

// "squelch level:     " and "priority channel:  ": the labels' column.
constexpr std::size_t kTextLabelWidth = 19;

// A check box reads "on" or "off", the time limit "off" or its seconds, the other lists
// their stored value.
std::string OptionValueText(const OptionFieldEntry& entry, int value) {
  static constexpr const char* kTimeLimits[] = {"off", "30 s", "60 s", "90 s", "120 s", "150 s", "180 s"};
  if (entry.control == OptionControl::CheckBox) return value != 0 ? "on" : "off";
  if (entry.items == OptionItems::TimeLimits) return kTimeLimits[std::clamp(value, 0, 6)];
  return std::to_string(value);
}

}  // namespace

std::string HeaderText(const CQorrinDoc& doc) { return ProjectHeaderText(doc.Header()); }

std::string InfoText(const CQorrinDoc& doc, const std::string& path) {
  std::ostringstream out;
  out << "file:      " << path << "\n";
  out << "header:    " << HeaderText(doc) << "\n";
  const ModelLine model = DescribeModel(doc);
  out << "model:     " << model.index << (model.text.empty() ? "" : " (" + model.text + ")") << "\n";
  out << "limits:    " << FormatFrequency(doc.GetBandLimits().m_nFreqMin) << " - "
      << FormatFrequency(doc.GetBandLimits().m_nFreqMax) << " MHz\n";
  if (doc.GetBandLimits().m_nSplitLow != 0 || doc.GetBandLimits().m_nSplitHigh != 0) {
    out << "band gap:  " << FormatFrequency(doc.GetBandLimits().m_nSplitLow) << " - "
        << FormatFrequency(doc.GetBandLimits().m_nSplitHigh) << " MHz\n";
  }
  out << "channels:  " << ProgrammedChannelCount(doc.Image()) << " programmed\n";
  return out.str();
}

Json DumpJson(const CQorrinDoc& doc) {
  Json json;
  json["header"] = HeaderText(doc);
  const ModelLine model = DescribeModel(doc);
  json["model"] = {
      {"index", model.index},
      {"text", model.text},
      {"freqMin", FormatFrequency(doc.GetBandLimits().m_nFreqMin)},
      {"freqMax", FormatFrequency(doc.GetBandLimits().m_nFreqMax)},
      {"splitLow", FormatFrequency(doc.GetBandLimits().m_nSplitLow)},
      {"splitHigh", FormatFrequency(doc.GetBandLimits().m_nSplitHigh)},
  };
  Json options;
  for (const OptionFieldEntry& entry : kOptionFields) {
    const int value = ReadOptionField(doc.Image(), entry.field);
    if (entry.control == OptionControl::CheckBox) {
      options[entry.jsonKey] = value != 0;
    } else {
      options[entry.jsonKey] = value;
    }
  }
  options["priorityChannel"] = GetPriorityChannel(doc.Image());
  json["options"] = std::move(options);
  json["vfoA"] = RecordJson(doc, kVfoARecord);
  json["vfoB"] = RecordJson(doc, kVfoBRecord);
  Json channels = Json::array();
  for (int ch = kFirstChannel; ch <= kLastChannel; ++ch) {
    if (!IsRecordEmpty(doc.Image(), ch)) channels.push_back(RecordJson(doc, ch));
  }
  json["channels"] = std::move(channels);
  Json presets = Json::array();
  for (int p = 1; p <= kFmPresetCount; ++p) presets.push_back(GetFmPreset(doc.Image(), p));
  json["fm"] = {{"current", GetFmFrequency(doc.Image())}, {"presets", std::move(presets)}};
  return json;
}

std::string DumpText(const CQorrinDoc& doc) {
  std::ostringstream out;
  out << "header:            " << HeaderText(doc) << "\n";
  const ModelLine model = DescribeModel(doc);
  out << "model:             " << model.index << (model.text.empty() ? "" : " (" + model.text + ")")
      << ", " << FormatFrequency(doc.GetBandLimits().m_nFreqMin) << " - "
      << FormatFrequency(doc.GetBandLimits().m_nFreqMax) << " MHz";
  if (doc.GetBandLimits().m_nSplitLow != 0 || doc.GetBandLimits().m_nSplitHigh != 0) {
    out << ", gap " << FormatFrequency(doc.GetBandLimits().m_nSplitLow) << " - "
        << FormatFrequency(doc.GetBandLimits().m_nSplitHigh) << " MHz";
  }
  out << "\n\n";
  for (const OptionField field : kTextDumpOrder) {
    const OptionFieldEntry& entry = EntryOf(field);
    std::string line;
    PadRight(line, std::string(entry.dumpLabel) + ":", kTextLabelWidth);
    out << line << OptionValueText(entry, ReadOptionField(doc.Image(), field)) << "\n";
  }
  std::string priority;
  PadRight(priority, "priority channel:", kTextLabelWidth);
  out << priority
      << (GetPriorityChannel(doc.Image()) == 0 ? std::string("off") : std::to_string(GetPriorityChannel(doc.Image())))
      << "\n\n";
  out << "      RX         TX         offset     shift  RX-CT  TX-CT  width  power step  name  raw\n";
  WriteRecordLine(out, doc, kVfoARecord, "VFO-A");
  WriteRecordLine(out, doc, kVfoBRecord, "VFO-B");
  for (int ch = kFirstChannel; ch <= kLastChannel; ++ch) {
    if (!IsRecordEmpty(doc.Image(), ch)) WriteRecordLine(out, doc, ch, std::to_string(ch).c_str());
  }
  out << "\nFM radio:          " << FmText(GetFmFrequency(doc.Image())) << " MHz (index "
      << GetFmFrequency(doc.Image()) << ")\nFM presets:       ";
  for (int p = 1; p <= kFmPresetCount; ++p) out << " " << FmText(GetFmPreset(doc.Image(), p));
  out << "\n";
  return out.str();
}

}  // namespace qorrin::cli
