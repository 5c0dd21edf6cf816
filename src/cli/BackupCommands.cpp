#include "cli/BackupCommands.h"

#include <CLI/CLI.hpp>

#include <cstdio>

#include "cli/CliContext.h"
#include "core/backup/BackupStore.h"

namespace qorrin::cli {
namespace {

int RunBackups() {
  const std::string folder = BackupFolder();
  if (folder.empty()) {
    std::fprintf(stderr, "qorrin-cli: there is no home folder, so there are no backups\n");
    return kExitFile;
  }
  const std::vector<BackupEntry> entries = ListBackups(folder);
  if (entries.empty()) {
    std::fprintf(stderr, "qorrin-cli: no backups in %s yet\n", folder.c_str());
    return kExitOk;
  }
  std::printf("%-19s  %-12s  %-5s  %8s  %s\n", "date", "port", "kind", "channels", "file");
  for (const BackupEntry& entry : entries) {
    const std::string channels = entry.nProgrammedChannels < 0 ? "damaged" : std::to_string(entry.nProgrammedChannels);
    std::printf("%-19s  %-12s  %-5s  %8s  %s\n", entry.strDate.c_str(), entry.strPort.c_str(),
                entry.strDirection.c_str(), channels.c_str(), entry.strPath.c_str());
  }
  return kExitOk;
}

}  // namespace

void RegisterBackupCommands(CLI::App& app, CliContext& ctx) {
  app.add_subcommand("backups", "automatic backups of every read and write, newest first")->callback([&ctx] {
    ctx.exitCode = RunBackups();
  });
}

}  // namespace qorrin::cli
