#pragma once
// qorrin-cli check: why the radio does not answer, one line per finding with its fix.
namespace CLI {
class App;
}

namespace qorrin::cli {

struct CliContext;

void RegisterCheckCommand(CLI::App& app, CliContext& ctx);

}  // namespace qorrin::cli
