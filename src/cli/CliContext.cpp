#include "cli/CliContext.h"

#include <iostream>

#include "core/settings/ProgramFolder.h"

namespace qorrin::cli {

bool CliContext::ApplyPaths() {
  std::string error;
  if (InitProgramPaths(ResolveProgramFolder(configDir), &error)) return true;
  std::cerr << "qorrin-cli: " << error << "\n";
  exitCode = kExitFile;
  return false;
}

}  // namespace qorrin::cli
