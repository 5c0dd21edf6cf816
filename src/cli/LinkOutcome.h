#pragma once
// How a finished transfer is told to the user of qorrin-cli: the exit code of the run's
// outcome and the line that says what happened, where, and what to try next; for a port
// that gave no link, a second line on what is wrong with its device.
#include <string>

#include "core/transfer/TransferOutcome.h"

namespace qorrin::cli {

struct LinkOutcome {
  LinkOutcome(int code, std::string line, std::string more = {})
      : exitCode(code), message(std::move(line)), explanation(std::move(more)) {}
  int exitCode = 0;
  std::string message;      // one line, no trailing newline
  std::string explanation;  // "" or one more line: the device is missing or refuses the user
};

// `portText` names where it ran (PortText); `fileName` where a read went or what a write sent.
LinkOutcome DescribeLinkResult(const TransferOutcome& outcome, const std::string& portText,
                               const std::string& fileName);

}  // namespace qorrin::cli
