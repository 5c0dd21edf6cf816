#pragma once
// qorrin-sim in a process of its own, for the command-line tests.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/CliRun.h"

namespace qorrin::test {

// Prints its device on the first line; stopped (and its image saved) by Stop or at the end.
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args) {
    int pipeFds[2];
    EXPECT_EQ(pipe(pipeFds), 0);
    const int devNull = open("/dev/null", O_WRONLY);
    m_pid = SpawnProgram("qorrin-sim", args, pipeFds[1], devNull);
    close(pipeFds[1]);
    close(devNull);
    char c;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n') m_device += c;
    close(pipeFds[0]);
  }
  ~SimProcess() { Stop(); }
  const std::string& Device() const { return m_device; }
  int Stop() {
    if (m_pid <= 0) return m_lastExit;
    kill(m_pid, SIGTERM);
    m_lastExit = WaitExit(m_pid);
    m_pid = -1;
    return m_lastExit;
  }

 private:
  pid_t m_pid = -1;
  int m_lastExit = -1;
  std::string m_device;
};

}  // namespace qorrin::test
