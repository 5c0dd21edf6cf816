// Reads and writes the simulated radio with the line paced at 9600 baud, the way a real
// cable runs, and compares each run with the protocol's floor: the wire time of every
// byte at 10 bits per byte plus the pauses the protocol requires. Also reports the CPU
// time of this process (the PC side: engine plus a caller polling every 20 ms); the radio
// runs in a child process so its own work is not counted.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "core/link/CSerialPort.h"
#include "core/link/ProtocolFrames.h"
#include "core/link/ProtocolTimings.h"
#include "core/link/TransferState.h"
#include "sim/SimRadio.h"

namespace {

using namespace qorrin;
using Clock = std::chrono::steady_clock;

constexpr int kBaud = 9600;
constexpr double kByteMs = 10.0 * 1000.0 / kBaud;

// The shortest possible run: pauses the PC must make plus bytes that must cross the line.
double FloorMs(bool isRead, std::size_t identBytes) {
  using namespace qorrin::link;
  // The last of the entry command's 8 bytes leaves after its 8th pause; then it and the
  // acknowledgement cross the line.
  const double connect = kSettleAfterOpenMs + 8.0 * kEntryBytePauseMs + 2 * kByteMs;
  const double identify = kFramePauseMs + kByteMs + static_cast<double>(identBytes) * kByteMs;
  const double confirm = kFramePauseMs + 2 * kByteMs;
  const double readBlock = kFramePauseMs + (kReadRequestSize + kDataFrameSize) * kByteMs + kFramePauseMs + 2 * kByteMs;
  const double writeBlock = kFramePauseMs + (kDataFrameSize + 1) * kByteMs;
  const double end = kFramePauseMs + (isRead ? 0 : kSettleAfterWriteMs);
  return connect + identify + confirm + kBlockCount * (isRead ? readBlock : writeBlock) + end;
}

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 + usage.ru_stime.tv_sec * 1e3 +
         usage.ru_stime.tv_usec / 1e3;
}

struct Figures {
  TransferStatus status = TransferStatus::XFER_IDLE;
  double wallMs = 0;
  double cpuMs = 0;
};

Figures Run(const std::string& device, bool isRead) {
  auto state = std::make_shared<TransferState>();
  state->port = std::make_shared<CSerialPort>();
  state->device = device;
  state->isRead = isRead;
  state->buffer.fill(0x5A);
  const double cpuBefore = CpuMs();
  const auto start = Clock::now();
  std::thread worker(TransferThreadProc, state);
  while (!IsTerminalStatus(state->status.load())) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  worker.join();
  Figures figures;
  figures.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  figures.cpuMs = CpuMs() - cpuBefore;
  figures.status = state->status.load();
  state->port->Close();
  return figures;
}

// The radio in a child process: prints its device on `toParent`, serves until the parent
// closes `fromParent`.
[[noreturn]] void ServeRadio(int toParent, int fromParent) {
  sim::SimConfig config;
  config.paceBaud = kBaud;
  sim::SimRadio radio(config);
  std::string error;
  if (!radio.Start(&error)) {
    std::fprintf(stderr, "simulator: %s\n", error.c_str());
    _exit(1);
  }
  const std::string line = radio.DevicePath() + "\n";
  if (write(toParent, line.data(), line.size()) < 0) _exit(1);
  char byte;
  while (read(fromParent, &byte, 1) > 0) {
  }
  radio.Stop();
  _exit(0);
}

void Print(const char* what, const Figures& figures, double floorMs) {
  std::printf("%-5s status %d  wall %7.1f ms  floor %7.1f ms  ratio %.3f  CPU %6.1f ms (%.2f%% of one core)\n",
              what, static_cast<int>(figures.status), figures.wallMs, floorMs, figures.wallMs / floorMs, figures.cpuMs,
              100.0 * figures.cpuMs / figures.wallMs);
}

}  // namespace

int main() {
  int up[2], down[2];
  if (pipe(up) != 0 || pipe(down) != 0) return 1;
  const pid_t child = fork();
  if (child == 0) {
    close(up[0]);
    close(down[1]);
    ServeRadio(up[1], down[0]);
  }
  close(up[1]);
  close(down[0]);
  std::string device;
  char c;
  while (read(up[0], &c, 1) == 1 && c != '\n') device += c;
  if (device.empty()) return 1;

  const std::size_t identBytes = sim::SimFaults{}.ident.size();
  const Figures reading = Run(device, true);
  const Figures writing = Run(device, false);
  Print("read", reading, FloorMs(true, identBytes));
  Print("write", writing, FloorMs(false, identBytes));

  close(down[1]);
  int status = 0;
  waitpid(child, &status, 0);
  const bool ok = reading.status == TransferStatus::XFER_READ_DONE && writing.status == TransferStatus::XFER_WRITE_DONE;
  return ok ? 0 : 1;
}
