#include "cli/DocumentDump.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "core/edit/FmPresets.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/ModelInfo.h"
#include "core/model/ToneTables.h"

namespace qorrin::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string Hex(const RecordBytes& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
  }
  return text;
}

// The model's display text ("Freq%d"). An image that matches no usable entry falls back to
// model 0 and is named by Freq0, as the frequency-range list shows it, also when data0 is
// unusable or missing; "" only when there is no text.
std::string ModelText(const CQorrinDoc& doc) {
  const int index = doc.FindModelIndex();
  for (const ModelEntry& entry : ListModels()) {
    if (entry.nIndex == index) return entry.strText;
  }
  const std::vector<std::string> texts = LoadModelRangeTexts();
  return static_cast<std::size_t>(index) < texts.size() ? texts[static_cast<std::size_t>(index)] : std::string();
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

void WriteRecordLine(std::ostream& out, const CQorrinDoc& doc, int record, const char* label) {
  char line[200];
  std::snprintf(line, sizeof line, "%-5s %-10s %-10s %-10s %5d  %-6s %-6s %-6s %-5s %4d  %-4s  %s\n",
                label, doc.GetFrequencyText(record, true).c_str(),
                doc.GetTransmitFrequencyText(record).c_str(),
                doc.GetFrequencyText(record, false).c_str(), doc.GetShiftDirection(record),
                ToneColumn(doc.GetToneCode(record, true)).c_str(),
                ToneColumn(doc.GetToneCode(record, false)).c_str(),
                doc.IsWide(record) ? "wide" : "narrow", doc.IsHighPower(record) ? "high" : "low",
                doc.GetStepIndex(record), RecordName(doc, record).c_str(),
                Hex(doc.GetRecordBytes(record)).c_str());
  out << line;
}

}  // namespace

std::string HeaderText(const CQorrinDoc& doc) {
  std::string text;
  for (std::uint8_t b : doc.m_header) {
    if (b == 0) break;
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      text += static_cast<char>(b);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
      text += escaped;
    }
  }
  return text;
}

std::string InfoText(const CQorrinDoc& doc, const std::string& path) {
  std::ostringstream out;
  out << "file:      " << path << "\n";
  out << "header:    " << HeaderText(doc) << "\n";
  const std::string text = ModelText(doc);
  out << "model:     " << doc.FindModelIndex() << (text.empty() ? "" : " (" + text + ")") << "\n";
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
  json["model"] = {
      {"index", doc.FindModelIndex()},
      {"text", ModelText(doc)},
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
  const std::string model = ModelText(doc);
  out << "model:             " << doc.FindModelIndex() << (model.empty() ? "" : " (" + model + ")")
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
