#pragma once
// qorrin-cli station: programs one radio after another with a project file (Station.h).
namespace CLI {
class App;
}

namespace qorrin::cli {

struct CliContext;

void RegisterStationCommand(CLI::App& app, CliContext& ctx);

}  // namespace qorrin::cli
