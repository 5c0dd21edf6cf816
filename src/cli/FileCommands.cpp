#include "cli/FileCommands.h"

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace qorrin::cli {

void RegisterFileCommands(CLI::App&, CliContext&) {}

}  // namespace qorrin::cli
