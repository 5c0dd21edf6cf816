#pragma once
// Runs qorrin-cli (or another program of the build) as a child process and collects what
// it printed and its exit code, so the command-line contract is tested as scripts see it.
#include <string>
#include <vector>

namespace qorrin::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs bin/<program> of the build with the arguments; stdin is /dev/null.
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args);

inline CliResult RunCli(const std::vector<std::string>& args) { return RunProgram("qorrin-cli", args); }

}  // namespace qorrin::test
