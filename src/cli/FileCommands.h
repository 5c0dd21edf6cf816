#pragma once
// The commands that work on project files: new, info, dump.
#include "cli/CommandRegistration.h"

namespace qorrin::cli {
void RegisterFileCommands(CLI::App& app, CliContext& ctx);
}  // namespace qorrin::cli
