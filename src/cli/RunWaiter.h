#pragma once
// The command line's wait for its transfer runs: the main thread sleeps until every run
// has ended or Ctrl+C came, woken by the runs' ends (reported from their worker threads)
// and by the interrupt itself. Ctrl+C while a transfer runs thus becomes a cancel request
// instead of killing the process with the port in the middle of a frame.
//
// One waiter at a time: it catches Ctrl+C from construction to destruction.
#include <cstddef>

namespace qorrin::cli {

class RunWaiter {
 public:
  RunWaiter();  // Ctrl+C is caught from here
  // A run has ended. Any thread.
  void RunEnded();
  // Blocks until `runs` runs have ended in all (true) or Ctrl+C came first (false).
  bool WaitForRuns(std::size_t runs);
  ~RunWaiter();  // to here

 private:
  RunWaiter(const RunWaiter&) = delete;
  RunWaiter& operator=(const RunWaiter&) = delete;
  std::size_t m_ended = 0;  // the ends read so far
};

}  // namespace qorrin::cli
