#pragma once
// The commands that move channel lists in and out of project files: export-csv and
// import-csv.
#include "cli/CommandRegistration.h"

namespace qorrin::cli {
void RegisterChannelListCommands(CLI::App& app, CliContext& ctx);
}  // namespace qorrin::cli
