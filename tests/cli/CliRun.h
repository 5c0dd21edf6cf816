#pragma once
// Runs a program of the build as a child process, collecting its output and exit code.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <csignal>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace qorrin::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Starts bin/<program> of the build with stdin from /dev/null and the given outputs.
pid_t SpawnProgram(const std::string& program, const std::vector<std::string>& args, int outFd, int errFd);
// The exit code, or 128 + the signal that ended the process.
int WaitExit(pid_t pid);

// Runs bin/<program> to its end; with interruptAfterMs >= 0 it gets SIGINT after that long.
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args, int interruptAfterMs = -1);

inline CliResult RunCli(const std::vector<std::string>& args) { return RunProgram("qorrin-cli", args); }

// Whether `text` holds every one of `parts`; a failure names the missing one and shows the text.
inline ::testing::AssertionResult Holds(const std::string& text, const std::vector<std::string>& parts) {
  for (const std::string& part : parts) {
    if (text.find(part) == std::string::npos) {
      return ::testing::AssertionFailure() << part << " is not in:\n" << text;
    }
  }
  return ::testing::AssertionSuccess();
}

// qorrin-cli runs with a private program folder that holds the shipped data files.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override { m_dir.installDataFiles(); }
  CliResult Cli(std::vector<std::string> args, int interruptAfterMs = -1) {
    args.insert(args.begin(), {"--config-dir", m_dir.path().string()});
    return RunProgram("qorrin-cli", args, interruptAfterMs);
  }
  // Runs a command, checking its exit code and that its standard error holds each of `says`.
  CliResult Expect(int exitCode, const std::vector<std::string>& args,
                   const std::vector<std::string>& says = {}) {
    CliResult run = Cli(args);
    EXPECT_EQ(run.exitCode, exitCode) << args[0] << " " << args.back() << "\n" << run.err;
    EXPECT_TRUE(Holds(run.err, says));
    return run;
  }

  TempDir m_dir;
};

// The lines of a program's output, each ended by '\n' (a last line without one is left out).
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// A program of the build beside the test until Stop signals it and waits for it. Its output
// goes nowhere, but with `readsDevice` its first line is read as Device().
class ChildProgram {
 public:
  ChildProgram(const std::string& program, const std::vector<std::string>& args, bool readsDevice = false);
  ~ChildProgram() { Stop(); }
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;
  const std::string& Device() const { return m_device; }
  int Stop(int signal = SIGTERM);  // the exit code, or -1 once stopped

 private:
  pid_t m_pid = -1;
  std::string m_device;
};

// qorrin-sim, which prints its device first and saves its image when stopped.
struct SimProcess : ChildProgram {
  explicit SimProcess(const std::vector<std::string>& args) : ChildProgram("qorrin-sim", args, true) {}
};

}  // namespace qorrin::test
