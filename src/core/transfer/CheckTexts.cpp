#include "core/transfer/CheckTexts.h"

#include <cstdio>

#include "core/lang/LangText.h"
#include "core/link/CableChips.h"

namespace qorrin {

std::string FillValues(const std::string& pattern, const std::vector<std::string>& values) {
  std::string text;
  text.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const std::size_t n = next >= '1' && next <= '9' ? static_cast<std::size_t>(next - '0') : 0;
    if (pattern[i] == '%' && n >= 1 && n <= values.size()) {
      text += values[n - 1];
      ++i;
    } else {
      text.push_back(pattern[i]);
    }
  }
  return text;
}

std::string ByteText(const std::vector<std::uint8_t>& bytes) {
  std::string hex;
  std::string printable;
  std::size_t readable = 0;
  for (std::uint8_t byte : bytes) {
    char two[4];
    std::snprintf(two, sizeof two, "%02X", byte);
    if (!hex.empty()) hex += ' ';
    hex += two;
    const bool shown = byte > 0x20 && byte < 0x7F;
    readable += shown ? 1 : 0;
    printable.push_back(shown ? static_cast<char>(byte) : '.');
  }
  if (bytes.empty() || readable * 2 < bytes.size()) return hex;
  return hex + "  " + printable;
}

std::string CheckTexts::Text(const std::string& key, const std::vector<std::string>& values) const {
  return FillValues(LoadLangStringFrom(m_langFile, key), values);
}

CheckFinding CheckTexts::Finding(CheckStatus status, const std::string& textKey, const std::string& fixKey,
                                 const std::vector<std::string>& values, std::vector<std::string> details) const {
  CheckFinding finding;
  finding.status = status;
  finding.textKey = textKey;
  finding.fixKey = fixKey;
  finding.text = Text(textKey, values);
  if (!fixKey.empty()) finding.fix = Text(fixKey, values);
  finding.details = std::move(details);
  return finding;
}

std::string CheckTexts::DeviceLine(const link::SerialDevice& device) const {
  std::string line = device.path;
  std::string sep = ": ";
  for (const std::string& part : {link::ChipText(device),
                                  device.serial.empty() ? std::string() : Text("IDS_CHECK_SERIAL_NUMBER", {device.serial}),
                                  device.stableName}) {
    if (part.empty()) continue;
    line += sep + part;
    sep = ", ";
  }
  return line;
}

std::string CheckTexts::FixLine(const std::string& fix) const {
  const std::string label = Text("IDS_CHECK_FIX_LABEL");
  // A full-width colon carries its own space.
  const bool ascii = !label.empty() && static_cast<unsigned char>(label.back()) < 0x80;
  return label + (ascii ? " " : "") + fix;
}

std::string CheckTexts::StatusWord(CheckStatus status) const {
  switch (status) {
    case CheckStatus::Ok: return Text("IDS_CHECK_STATUS_OK");
    case CheckStatus::Warning: return Text("IDS_CHECK_STATUS_WARNING");
    case CheckStatus::Problem: break;
  }
  return Text("IDS_CHECK_STATUS_PROBLEM");
}

}  // namespace qorrin
