#pragma once
// qorrin-cli check: why the radio does not answer, one line per finding with its fix.
#include "cli/CommandRegistration.h"

namespace qorrin::cli {

void RegisterCheckCommand(CLI::App& app, CliContext& ctx);

}  // namespace qorrin::cli
