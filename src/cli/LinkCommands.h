#pragma once
// The commands that talk to a radio: ports, read, write.
#include "cli/CommandRegistration.h"

namespace qorrin::cli {
void RegisterLinkCommands(CLI::App& app, CliContext& ctx);
}  // namespace qorrin::cli
