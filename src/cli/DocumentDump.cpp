#include "cli/DocumentDump.h"

#include <algorithm>
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
  model.index = table->FindModelIndex(doc.m_image);
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
  return record <= kLastChannel ? doc.GetChannelName(record) : std::string();
}

Json RecordJson(const CQorrinDoc& doc, int record) {
  const int rxTone = doc.GetToneCode(record, true);
  const int txTone = doc.GetToneCode(record, false);
  Json json;
  json["number"] = record;
  json["rx"] = doc.GetFrequencyText(record, true);
  json["tx"] = doc.GetTransmitFrequencyText(record);
  json["offset"] = doc.GetFrequencyText(record, false);
  json["shift"] = doc.GetShiftDirection(record);
  json["rxTone"] = rxTone;
  json["txTone"] = txTone;
  json["rxToneText"] = GetToneText(rxTone);
  json["txToneText"] = GetToneText(txTone);
  json["wide"] = doc.IsWide(record);
  json["highPower"] = doc.IsHighPower(record);
  json["step"] = doc.GetStepIndex(record);
  json["name"] = RecordName(doc, record);
  json["raw"] = Hex(doc.GetRecordBytes(record));
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
  PadRight(line, doc.GetFrequencyText(record, true), 10);
  line += ' ';
  PadRight(line, doc.GetTransmitFrequencyText(record), 10);
  line += ' ';
  PadRight(line, doc.GetFrequencyText(record, false), 10);
  line += ' ';
  PadLeft(line, doc.GetShiftDirection(record), 5);
  line += "  ";
  PadRight(line, ToneColumn(doc.GetToneCode(record, true)), 6);
  line += ' ';
  PadRight(line, ToneColumn(doc.GetToneCode(record, false)), 6);
  line += ' ';
  PadRight(line, doc.IsWide(record) ? "wide" : "narrow", 6);
  line += ' ';
  PadRight(line, doc.IsHighPower(record) ? "high" : "low", 5);
  line += ' ';
  PadLeft(line, doc.GetStepIndex(record), 4);
  line += "  ";
  PadRight(line, RecordName(doc, record), 4);
  line += "  ";
  line += Hex(doc.GetRecordBytes(record));
  line += '\n';
  if (line.size() > 199) line.resize(199);
  out << line;
}

}  // namespace

std::string HeaderText(const CQorrinDoc& doc) { return ProjectHeaderText(doc.m_header); }

std::string InfoText(const CQorrinDoc& doc, const std::string& path) {
  std::ostringstream out;
  out << "file:      " << path << "\n";
  out << "header:    " << HeaderText(doc) << "\n";
  const ModelLine model = DescribeModel(doc);
  out << "model:     " << model.index << (model.text.empty() ? "" : " (" + model.text + ")") << "\n";
  out << "limits:    " << CQorrinDoc::FormatFrequency(doc.m_nFreqMin) << " - "
      << CQorrinDoc::FormatFrequency(doc.m_nFreqMax) << " MHz\n";
  if (doc.m_nSplitLow != 0 || doc.m_nSplitHigh != 0) {
    out << "band gap:  " << CQorrinDoc::FormatFrequency(doc.m_nSplitLow) << " - "
        << CQorrinDoc::FormatFrequency(doc.m_nSplitHigh) << " MHz\n";
  }
  out << "channels:  " << doc.ProgrammedChannelCount() << " programmed\n";
  return out.str();
}

Json DumpJson(const CQorrinDoc& doc) {
  Json json;
  json["header"] = HeaderText(doc);
  const ModelLine model = DescribeModel(doc);
  json["model"] = {
      {"index", model.index},
      {"text", model.text},
      {"freqMin", CQorrinDoc::FormatFrequency(doc.m_nFreqMin)},
      {"freqMax", CQorrinDoc::FormatFrequency(doc.m_nFreqMax)},
      {"splitLow", CQorrinDoc::FormatFrequency(doc.m_nSplitLow)},
      {"splitHigh", CQorrinDoc::FormatFrequency(doc.m_nSplitHigh)},
  };
  json["options"] = {
      {"squelch", doc.GetSquelch()},
      {"vox", doc.GetVoxLevel()},
      {"txTimeLimit", doc.GetTxTimeLimit()},
      {"channelFlag", doc.GetChannelFlag()},
      {"busyLockout", doc.IsBusyLockout()},
      {"keyBeep", doc.IsKeyBeep()},
      {"channelDisplay", doc.GetChannelDisplay()},
      {"powerSave", doc.IsPowerSave()},
      {"scanMode", doc.GetScanMode()},
      {"priorityScan", doc.IsPriorityScan()},
      {"backLight", doc.GetBackLight()},
      {"priorityChannel", doc.GetPriorityChannel()},
  };
  json["vfoA"] = RecordJson(doc, kVfoARecord);
  json["vfoB"] = RecordJson(doc, kVfoBRecord);
  Json channels = Json::array();
  for (int ch = kFirstChannel; ch <= kLastChannel; ++ch) {
    if (!doc.IsRecordEmpty(ch)) channels.push_back(RecordJson(doc, ch));
  }
  json["channels"] = std::move(channels);
  Json presets = Json::array();
  for (int p = 1; p <= kFmPresetCount; ++p) presets.push_back(doc.GetFmPreset(p));
  json["fm"] = {{"current", doc.GetFmFrequency()}, {"presets", std::move(presets)}};
  return json;
}

std::string DumpText(const CQorrinDoc& doc) {
  static constexpr const char* kTimeLimits[] = {"off", "30 s", "60 s", "90 s", "120 s", "150 s", "180 s"};
  std::ostringstream out;
  out << "header:            " << HeaderText(doc) << "\n";
  const ModelLine model = DescribeModel(doc);
  out << "model:             " << model.index << (model.text.empty() ? "" : " (" + model.text + ")")
      << ", " << CQorrinDoc::FormatFrequency(doc.m_nFreqMin) << " - "
      << CQorrinDoc::FormatFrequency(doc.m_nFreqMax) << " MHz";
  if (doc.m_nSplitLow != 0 || doc.m_nSplitHigh != 0) {
    out << ", gap " << CQorrinDoc::FormatFrequency(doc.m_nSplitLow) << " - "
        << CQorrinDoc::FormatFrequency(doc.m_nSplitHigh) << " MHz";
  }
  out << "\n\n";
  auto onOff = [](bool on) { return on ? "on" : "off"; };
  out << "squelch level:     " << doc.GetSquelch() << "\n"
      << "VOX level:         " << doc.GetVoxLevel() << "\n"
      << "TX time limit:     " << kTimeLimits[doc.GetTxTimeLimit()] << "\n"
      << "channel flag:      " << doc.GetChannelFlag() << "\n"
      << "busy lockout:      " << onOff(doc.IsBusyLockout()) << "\n"
      << "key beep:          " << onOff(doc.IsKeyBeep()) << "\n"
      << "channel display:   " << doc.GetChannelDisplay() << "\n"
      << "power save:        " << onOff(doc.IsPowerSave()) << "\n"
      << "scan mode:         " << doc.GetScanMode() << "\n"
      << "priority scan:     " << onOff(doc.IsPriorityScan()) << "\n"
      << "back light:        " << doc.GetBackLight() << "\n"
      << "priority channel:  "
      << (doc.GetPriorityChannel() == 0 ? std::string("off") : std::to_string(doc.GetPriorityChannel()))
      << "\n\n";
  out << "      RX         TX         offset     shift  RX-CT  TX-CT  width  power step  name  raw\n";
  WriteRecordLine(out, doc, kVfoARecord, "VFO-A");
  WriteRecordLine(out, doc, kVfoBRecord, "VFO-B");
  for (int ch = kFirstChannel; ch <= kLastChannel; ++ch) {
    if (!doc.IsRecordEmpty(ch)) WriteRecordLine(out, doc, ch, std::to_string(ch).c_str());
  }
  out << "\nFM radio:          " << FmText(doc.GetFmFrequency()) << " MHz (index "
      << doc.GetFmFrequency() << ")\nFM presets:       ";
  for (int p = 1; p <= kFmPresetCount; ++p) out << " " << FmText(doc.GetFmPreset(p));
  out << "\n";
  return out.str();
}

}  // namespace qorrin::cli
