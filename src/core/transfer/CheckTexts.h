#pragma once
// The sentences of the connection check, from one language file: each finding's text and
// fix with "%1", "%2", ... filled in, and the lines that describe a serial device. The keys
// are listed in core/lang/ConnectionCheckKeys.h.
#include <cstdint>
#include <string>
#include <vector>

#include "core/link/SerialDevices.h"
#include "core/transfer/CheckFinding.h"

namespace qorrin {

class CheckTexts {
 public:
  explicit CheckTexts(std::string langFile) : m_langFile(std::move(langFile)) {}

  // The key's text with each "%N" replaced by the N-th value (counted from 1).
  std::string Text(const std::string& key, const std::vector<std::string>& values = {}) const;

  CheckFinding Finding(CheckStatus status, const std::string& textKey, const std::string& fixKey,
                       const std::vector<std::string>& values, std::vector<std::string> details = {}) const;

  // "/dev/ttyUSB1: WCH CH340 (1a86:7523), serial number A1B2, /dev/serial/by-id/..."
  std::string DeviceLine(const link::SerialDevice& device) const;

  // The fix after its label: "Fix: Plug the cable in." ("解决办法：请插好写频线。").
  std::string FixLine(const std::string& fix) const;

  // The word before a finding of that status ("ok", "warning", "problem").
  std::string StatusWord(CheckStatus status) const;

 private:
  std::string m_langFile;
};

// "%N" in `pattern` replaced by values[N-1]; a "%N" without a value stays as it is.
std::string FillValues(const std::string& pattern, const std::vector<std::string>& values);

// Bytes as a device sent them: "46 80 F8" and, where most are printable, the text too:
// "56 4C 4D 37 51 4E 4E  VLM7QNN".
std::string ByteText(const std::vector<std::uint8_t>& bytes);

}  // namespace qorrin
