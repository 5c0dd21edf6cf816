#pragma once
// qorrin-cli diff: what differs between two project files, or between a project file and
// the radio, one difference per line in the program's own terms.
#include "cli/CommandRegistration.h"

namespace qorrin::cli {

// Returns the subcommand, so that main can give its usage errors diff's own exit code.
CLI::App* RegisterDiffCommand(CLI::App& app, CliContext& ctx);

}  // namespace qorrin::cli
