#pragma once
// The commands that talk to a radio: ports, read, write.
namespace CLI { class App; }

namespace qorrin::cli {
struct CliContext;
void RegisterLinkCommands(CLI::App& app, CliContext& ctx);
}  // namespace qorrin::cli
