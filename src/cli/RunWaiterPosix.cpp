#include "cli/RunWaiter.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace qorrin::cli {
namespace {

// The wake-up line: the signal handler and the workers write one byte each, the waiting
// thread reads them. write() is safe in a signal handler, which a lock or a condition
// variable is not.
int g_wake[2] = {-1, -1};
struct sigaction g_previous {};

constexpr char kEnded = 'e';
constexpr char kInterrupted = 'i';

extern "C" void OnInterrupt(int) {
  const int saved = errno;
  const char byte = kInterrupted;
  [[maybe_unused]] const ssize_t written = write(g_wake[1], &byte, 1);
  errno = saved;
}

}  // namespace

RunWaiter::RunWaiter() {
  if (pipe(g_wake) != 0) g_wake[0] = g_wake[1] = -1;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &g_previous);
}

RunWaiter::~RunWaiter() {
  sigaction(SIGINT, &g_previous, nullptr);
  for (int& fd : g_wake) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

void RunWaiter::RunEnded() {
  const char byte = kEnded;
  [[maybe_unused]] const ssize_t written = write(g_wake[1], &byte, 1);
}

bool RunWaiter::WaitForRuns(std::size_t runs) {
  while (m_ended < runs) {
    char byte = 0;
    const ssize_t got = read(g_wake[0], &byte, 1);
    if (got < 0 && errno == EINTR) continue;  // the handler has written its byte
    if (got != 1) return true;  // no wake-up line: nothing left to wait on
    if (byte == kInterrupted) return false;
    ++m_ended;
  }
  return true;
}

}  // namespace qorrin::cli
