// qorrin-cli: project files and radio transfers from the command line.
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "cli/BackupCommands.h"
#include "cli/ChannelListCommands.h"
#include "cli/CheckCommand.h"
#include "cli/CliContext.h"
#include "cli/ConsoleText.h"
#include "cli/DiffCommand.h"
#include "cli/FileCommands.h"
#include "cli/LinkCommands.h"

int main(int argc, char** argv) {
  using namespace qorrin::cli;
  CliContext ctx;
  CLI::App app{"qorrin-cli: project files and programming of the VLM-7Q radio"};
  app.require_subcommand(1);
  app.add_option("--config-dir", ctx.configDir,
                 "Folder with setting.ini and the language files (default: $QORRIN_HOME or "
                 "the program folder)");
  RegisterFileCommands(app, ctx);
  RegisterLinkCommands(app, ctx);
  RegisterBackupCommands(app, ctx);
  RegisterChannelListCommands(app, ctx);
  RegisterCheckCommand(app, ctx);
  CLI::App* diff = RegisterDiffCommand(app, ctx);
  UseUtf8Console();
  std::vector<std::string> arguments = CommandLineUtf8(argc, argv);
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::ParseError& e) {
    const int printed = app.exit(e);
    // diff's 1 means "different", so its usage errors take 2, as its file errors do.
    if (printed != 0 && diff->parsed() > 0) return kExitFile;
    return printed == 0 ? kExitOk : kExitUsage;
  }
  return ctx.exitCode;
}
