#pragma once
// The commands that move channel lists in and out of project files: export-csv and
// import-csv.
namespace CLI { class App; }

namespace qorrin::cli {
struct CliContext;
void RegisterChannelListCommands(CLI::App& app, CliContext& ctx);
}  // namespace qorrin::cli
