#pragma once
// How a finished transfer is told to the user of qorrin-cli: its exit code and the one
// line that says what happened, where, and what to try next.
#include <string>

#include "cli/LinkTransferRunner.h"

namespace qorrin::cli {

struct LinkOutcome {
  int exitCode = 0;
  std::string message;  // one line, no trailing newline
};

// `searched`: the port search was on for this run. `fileName`: where a read went or what
// a write sent.
LinkOutcome DescribeLinkResult(bool isRead, const LinkRunResult& result, bool searched,
                               const std::string& fileName);

}  // namespace qorrin::cli
