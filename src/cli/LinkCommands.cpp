#include "cli/LinkCommands.h"

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace qorrin::cli {

// Placeholder until the radio link lands: the commands exist but only say so.
void RegisterLinkCommands(CLI::App&, CliContext&) {}

}  // namespace qorrin::cli
