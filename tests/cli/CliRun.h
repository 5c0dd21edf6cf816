#pragma once
// Runs a program of the build as a child process, collecting its output and exit code.
#include <sys/types.h>

#include <string>
#include <vector>

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

// The lines of a program's output, each ended by '\n' (a last line without one is left out).
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// qorrin-sim as a process of its own, which prints its device first and saves its image
// when stopped.
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args);
  ~SimProcess() { Stop(); }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;
  const std::string& Device() const { return m_device; }
  int Stop();  // the exit code, or -1 once stopped

 private:
  pid_t m_pid = -1;
  std::string m_device;
};

}  // namespace qorrin::test
