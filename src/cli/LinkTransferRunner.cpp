#include "cli/LinkTransferRunner.h"

#include <signal.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "cli/ProgressBar.h"
#include "core/link/CSerialPort.h"
#include "core/link/LinkSettings.h"
#include "core/link/PortNames.h"
#include "core/link/TransferState.h"

namespace qorrin::cli {
namespace {

constexpr auto kPollPeriod = std::chrono::milliseconds(20);

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

extern "C" void OnInterrupt(int) { g_interrupted.store(true); }

// Ctrl+C while a transfer runs becomes a cancel request instead of killing the process
// with the port in the middle of a frame.
class InterruptCatcher {
 public:
  InterruptCatcher() {
    g_interrupted.store(false);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &m_previous);
  }
  ~InterruptCatcher() { sigaction(SIGINT, &m_previous, nullptr); }
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;
  bool Interrupted() const { return g_interrupted.load(); }

 private:
  struct sigaction m_previous {};
};

std::string Describe(int port, const std::string& device) {
  return device.empty() ? link::PortLabel(port) : link::PortLabel(port) + " (" + device + ")";
}

}  // namespace

LinkRunResult RunLinkTransfer(bool isRead, const LinkTarget& target, const std::string& settingsPath,
                              std::array<std::uint8_t, kImageSize>& image) {
  LinkRunResult result;
  auto state = std::make_shared<TransferState>();
  state->port = std::make_shared<CSerialPort>();
  state->settingsPath = settingsPath;
  state->isRead = isRead ? 1 : 0;
  state->buffer = image;
  if (!target.device.empty()) {
    state->device = target.device;
    result.portText = target.device;
  } else if (target.port > 0) {
    state->device = link::DeviceForPort(target.port, settingsPath);
    result.portText = Describe(target.port, state->device);
    if (state->device.empty()) {
      result.status = XFER_PORT_ERROR;
      result.detail = link::PortLabel(target.port) + " names no serial device on this machine";
      return result;
    }
  }

  InterruptCatcher interrupt;
  ProgressBar bar(isRead ? "Reading" : "Writing");
  std::atomic<bool> finished{false};
  std::thread worker([state, &finished] {
    TransferThreadProc(state);
    finished.store(true);
  });
  while (!finished.load()) {
    if (interrupt.Interrupted()) {
      // Nothing more goes to the radio: the engine sees the flag, the port is shut.
      state->cancel.store(1);
      state->port->Close();
      result.interrupted = true;
      break;
    }
    const int status = state->status.load();
    if (status == XFER_SEARCHING) bar.ShowSearching(state->progress.load());
    if (status == XFER_READING || status == XFER_WRITING) bar.ShowPercent(state->progress.load());
    std::this_thread::sleep_for(kPollPeriod);
  }
  worker.join();
  state->port->Close();
  bar.Finish();

  result.status = state->status.load();
  result.progress = state->status == XFER_SEARCHING ? 0 : state->progress.load();
  result.detail = state->detail;
  if (result.portText.empty()) {
    const int port = link::ReadComPort(settingsPath);  // the found port once saved
    result.portText = Describe(port, link::DeviceForPort(port, settingsPath));
  }
  if (isRead && result.status == XFER_READ_DONE && !result.interrupted) image = state->buffer;
  return result;
}

}  // namespace qorrin::cli
