#pragma once
// What every qorrin-cli command shares: the resolved program folder and the exit code.
#include <string>

namespace qorrin::cli {

// Exit codes of the command-line contract.
enum ExitCode : int {
  kExitOk = 0,
  kExitUsage = 1,
  kExitFile = 2,
  kExitPort = 3,
  kExitWrongRadio = 4,
  kExitTransfer = 5,
  kExitInterrupted = 130,
};

struct CliContext {
  std::string configDir;  // --config-dir as given (empty: QORRIN_HOME or the program folder)
  int exitCode = kExitOk;

  // Resolves the program folder and sets g_strAppDir, g_strIniFile and g_strLangFile.
  // Called by each command before it touches settings.
  // Returns false (message printed, exitCode set to kExitFile) when there is no setting.ini.
  bool ApplyPaths();
};

}  // namespace qorrin::cli
