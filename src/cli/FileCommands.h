#pragma once
// The commands that work on project files: new, info, dump.
namespace CLI { class App; }

namespace qorrin::cli {
struct CliContext;
void RegisterFileCommands(CLI::App& app, CliContext& ctx);
}  // namespace qorrin::cli
