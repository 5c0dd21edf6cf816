// Writes 1, 4 and 8 simulated radios at once, the line paced at 9600 baud as on a real
// cable, through the same runner as `qorrin-cli write --device A --device B ...` (one
// worker thread and port per radio, automatic backups included), and prints the wall
// time of each and its ratio to one radio. The radios run in a child process, so their
// pacing does not compete with the PC side for this process's threads. Aim: eight
// radios in at most 1.2 times the time of one.
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/LinkTransferRunner.h"
#include "core/transfer/TransferOutcome.h"
#include "sim/SimRadio.h"

namespace {

using namespace qorrin;
using Clock = std::chrono::steady_clock;

constexpr int kBaud = 9600;
constexpr int kMostRadios = 8;
constexpr int kRounds = 2;

[[noreturn]] void ServeRadios(int toParent, int fromParent) {
  std::vector<std::unique_ptr<sim::SimRadio>> radios;
  std::string lines;
  for (int i = 0; i < kMostRadios; ++i) {
    sim::SimConfig config;
    config.paceBaud = kBaud;
    radios.push_back(std::make_unique<sim::SimRadio>(config));
    std::string error;
    if (!radios.back()->Start(&error)) {
      std::fprintf(stderr, "simulator: %s\n", error.c_str());
      _exit(1);
    }
    lines += radios.back()->DevicePath() + "\n";
  }
  if (write(toParent, lines.data(), lines.size()) < 0) _exit(1);
  char byte;
  while (read(fromParent, &byte, 1) > 0) {
  }
  for (auto& radio : radios) radio->Stop();
  _exit(0);
}

// Wall time of writing the first `count` radios at once; -1 when any failed.
double WriteAtOnce(const std::vector<std::string>& devices, int count) {
  std::vector<cli::LinkJob> jobs(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    jobs[static_cast<std::size_t>(i)].target.device = devices[static_cast<std::size_t>(i)];
    jobs[static_cast<std::size_t>(i)].image.fill(static_cast<std::uint8_t>(0x30 + i));
  }
  const auto start = Clock::now();
  cli::RunLinkTransfers(false, "", jobs);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  for (const auto& job : jobs) {
    if (job.outcome.end != qorrin::TransferEnd::Written) return -1;
  }
  return ms;
}

}  // namespace

int main() {
  // The backups of the benchmark go to a folder of its own, removed at the end.
  char dataHome[] = "/tmp/qorrin-bench-XXXXXX";
  if (mkdtemp(dataHome) == nullptr) return 1;
  setenv("XDG_DATA_HOME", dataHome, 1);

  int up[2], down[2];
  if (pipe(up) != 0 || pipe(down) != 0) return 1;
  const pid_t child = fork();
  if (child == 0) {
    close(up[0]);
    close(down[1]);
    ServeRadios(up[1], down[0]);
  }
  close(up[1]);
  close(down[0]);
  std::vector<std::string> devices(1);
  char c;
  while (devices.size() <= kMostRadios && read(up[0], &c, 1) == 1) {
    if (c == '\n') {
      devices.emplace_back();
    } else {
      devices.back() += c;
    }
  }
  devices.pop_back();
  if (devices.size() != kMostRadios) return 1;

  bool ok = true;
  double one = 0;
  for (int count : {1, 4, 8}) {
    double best = -1;
    for (int round = 0; round < kRounds; ++round) {
      const double ms = WriteAtOnce(devices, count);
      if (ms < 0) ok = false;
      if (ms >= 0 && (best < 0 || ms < best)) best = ms;
    }
    if (count == 1) one = best;
    std::printf("%d radio%s  wall %7.1f ms (best of %d)  ratio to one radio %.3f\n", count, count == 1 ? " " : "s",
                best, kRounds, one > 0 ? best / one : 0.0);
  }

  close(down[1]);
  int status = 0;
  waitpid(child, &status, 0);
  std::error_code ec;
  std::filesystem::remove_all(dataHome, ec);
  return ok ? 0 : 1;
}
