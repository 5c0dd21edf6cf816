#pragma once
// qorrin-cli station: programs one radio after another with a project file (Station.h).
#include "cli/CommandRegistration.h"

namespace qorrin::cli {

void RegisterStationCommand(CLI::App& app, CliContext& ctx);

}  // namespace qorrin::cli
