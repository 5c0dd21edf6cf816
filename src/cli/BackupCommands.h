#pragma once
// qorrin-cli backups: the automatic backups of reads and writes, newest first.
#include "cli/CommandRegistration.h"

namespace qorrin::cli {

void RegisterBackupCommands(CLI::App& app, CliContext& ctx);

}  // namespace qorrin::cli
