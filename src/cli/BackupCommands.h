#pragma once
// qorrin-cli backups: the automatic backups of reads and writes, newest first.
namespace CLI {
class App;
}

namespace qorrin::cli {

struct CliContext;
void RegisterBackupCommands(CLI::App& app, CliContext& ctx);

}  // namespace qorrin::cli
