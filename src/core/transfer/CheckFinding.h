#pragma once
// What the connection check found: a list of findings, each with its status, a short
// sentence and the suggested fix (both from the language file the check was given, with
// their text keys for tests), and lines to list under it (the serial devices present, the
// bytes a device sent).
#include <string>
#include <vector>

namespace qorrin {

enum class CheckStatus { Ok, Warning, Problem };

struct CheckFinding {
  CheckStatus status = CheckStatus::Ok;
  std::string textKey;  // "IDS_CHECK_DEVICE_MISSING"
  std::string fixKey;   // empty: nothing to do
  std::string text;
  std::string fix;
  std::vector<std::string> details;
};

// What the line showed in the end; the exit code of `qorrin-cli check` follows it.
enum class CheckVerdict {
  NoRadio,     // nothing that answers as a radio
  OtherRadio,  // a radio acknowledged but did not identify as ours
  Identified,  // our radio identified itself
};

struct CheckReport {
  std::string device;  // the device checked ("/dev/ttyUSB0", "COM3"); empty when the port names none
  std::vector<CheckFinding> findings;
  CheckVerdict verdict = CheckVerdict::NoRadio;
  std::string rangeText;  // the identified radio's frequency range, as the main form names it

  bool Has(const std::string& textKey) const {
    for (const CheckFinding& finding : findings) {
      if (finding.textKey == textKey) return true;
    }
    return false;
  }
};

}  // namespace qorrin
