#include "cli/CliRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

#include "support/TestSupport.h"

extern char** environ;

namespace qorrin::test {

pid_t SpawnProgram(const std::string& program, const std::vector<std::string>& args, int outFd, int errFd) {
  const std::string exe = std::string(QORRIN_BIN_DIR) + "/" + program;
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(exe.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outFd, 1);
  posix_spawn_file_actions_adddup2(&actions, errFd, 2);
  pid_t pid = -1;
  if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int WaitExit(pid_t pid) {
  if (pid <= 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

CliResult RunProgram(const std::string& program, const std::vector<std::string>& args, int interruptAfterMs) {
  TempDir capture;
  const int out = open(capture.file("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int err = open(capture.file("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const pid_t pid = SpawnProgram(program, args, out, err);
  close(out);
  close(err);
  if (pid > 0 && interruptAfterMs >= 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(interruptAfterMs));
    kill(pid, SIGINT);
  }
  CliResult result;
  result.exitCode = WaitExit(pid);
  result.out = capture.read("out");
  result.err = capture.read("err");
  return result;
}

ChildProgram::ChildProgram(const std::string& program, const std::vector<std::string>& args,
                           bool readsDevice) {
  int fds[2] = {-1, -1};
  if (readsDevice && pipe(fds) != 0) return;
  const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
  m_pid = SpawnProgram(program, args, readsDevice ? fds[1] : devNull, devNull);
  close(devNull);
  if (!readsDevice) return;
  close(fds[1]);
  for (char c; read(fds[0], &c, 1) == 1 && c != '\n';) m_device += c;
  close(fds[0]);
}

int ChildProgram::Stop(int signal) {
  const pid_t pid = std::exchange(m_pid, -1);
  if (pid > 0) kill(pid, signal);
  return WaitExit(pid);
}

}  // namespace qorrin::test
