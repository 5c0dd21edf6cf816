#include "cli/RunWaiter.h"

#include <fcntl.h>
#include <io.h>

#include <csignal>

namespace qorrin::cli {
namespace {

// The wake-up line: the Ctrl+C handler (which Windows runs on a thread of its own) and the
// workers write one byte each, the waiting thread reads them.
int g_wake[2] = {-1, -1};
void (*g_previous)(int) = nullptr;

constexpr char kEnded = 'e';
constexpr char kInterrupted = 'i';

extern "C" void OnInterrupt(int) {
  const char byte = kInterrupted;
  _write(g_wake[1], &byte, 1);
}

}  // namespace

RunWaiter::RunWaiter() {
  if (_pipe(g_wake, 64, _O_BINARY) != 0) g_wake[0] = g_wake[1] = -1;
  // The C library's signal() is how a console program on Windows sees Ctrl+C.
  g_previous = std::signal(SIGINT, OnInterrupt);
}

RunWaiter::~RunWaiter() {
  std::signal(SIGINT, g_previous);
  for (int& fd : g_wake) {
    if (fd >= 0) _close(fd);
    fd = -1;
  }
}

void RunWaiter::RunEnded() {
  const char byte = kEnded;
  _write(g_wake[1], &byte, 1);
}

bool RunWaiter::WaitForRuns(std::size_t runs) {
  while (m_ended < runs) {
    char byte = 0;
    if (_read(g_wake[0], &byte, 1) != 1) return true;  // no wake-up line: nothing left to wait on
    if (byte == kInterrupted) return false;
    ++m_ended;
  }
  return true;
}

}  // namespace qorrin::cli
