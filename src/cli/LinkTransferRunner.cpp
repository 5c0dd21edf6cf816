#include "cli/LinkTransferRunner.h"

#include <signal.h>

#include <atomic>
#include <csignal>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

#include "cli/ProgressBar.h"
#include "core/link/CSerialPort.h"
#include "core/link/PortNames.h"
#include "core/link/TransferRun.h"
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
#ifdef _WIN32
  // The C library's signal() is how a console program on Windows sees Ctrl+C.
  InterruptCatcher() {
    g_interrupted.store(false);
    m_previous = std::signal(SIGINT, OnInterrupt);
  }
  ~InterruptCatcher() { std::signal(SIGINT, m_previous); }
#else
  InterruptCatcher() {
    g_interrupted.store(false);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &m_previous);
  }
  ~InterruptCatcher() { sigaction(SIGINT, &m_previous, nullptr); }
#endif
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;
  bool Interrupted() const { return g_interrupted.load(); }

 private:
#ifdef _WIN32
  void (*m_previous)(int) = nullptr;
#else
  struct sigaction m_previous {};
#endif
};

std::string Describe(int port, const std::string& device) {
  return device.empty() ? link::PortLabel(port) : link::PortLabel(port) + " (" + device + ")";
}

// One radio while it runs: its run and the thread that executes it.
struct Running {
  LinkJob* job = nullptr;
  std::shared_ptr<TransferRun> run;
  std::thread worker;
  std::atomic<bool> finished{false};
  bool cancelled = false;  // still running when Ctrl+C came
};

bool InProgress(TransferStatus status) {
  return status == TransferStatus::XFER_READING || status == TransferStatus::XFER_WRITING;
}

// What the progress display says about a radio.
std::string ProgressText(bool isRead, const Running& running) {
  const TransferRun& run = *running.run;
  const TransferState& state = run.Current();
  const TransferStatus status = state.status.load();
  const bool verifying = &state == run.ReadBack();
  const char* verb = verifying ? "Verifying" : (isRead ? "Reading" : "Writing");
  if (running.finished.load()) {
    if (status == TransferStatus::XFER_READ_DONE && verifying) {
      return run.Differences().empty() ? "written and verified" : "VERIFICATION FAILED";
    }
    if (status == TransferStatus::XFER_READ_DONE) return "read";
    return status == TransferStatus::XFER_WRITE_DONE ? "written" : "FAILED";
  }
  if (status == TransferStatus::XFER_SEARCHING) {
    return "Searching for the radio: " + link::PortLabel(state.progress.load());
  }
  if (InProgress(status)) return BarText(verb, state.progress.load());
  return "connecting";
}

// Makes the job's run with its port or device; false when the port number names no
// device (the result is then already final).
bool Prepare(Running& running, bool isRead, const std::string& settingsPath, const LinkRunOptions& options) {
  LinkJob& job = *running.job;
  LinkRunResult& result = job.result;
  result = {};
  TransferRequest request;
  request.isRead = isRead;
  request.verify = !isRead && options.verify;
  // No label: the run names the backups after its configured port.
  if (!job.target.device.empty()) {
    request.device = job.target.device;
    result.portText = job.target.device;
    request.backupLabel = job.target.device;
  } else if (job.target.port > 0) {
    request.device = link::DeviceForPort(job.target.port, settingsPath);
    result.portText = Describe(job.target.port, request.device);
    request.backupLabel = link::PortLabel(job.target.port);
    if (request.device.empty()) {
      result.status = TransferStatus::XFER_PORT_ERROR;
      result.detail = link::PortLabel(job.target.port) + " names no serial device on this machine";
      return false;
    }
  }
  running.run = std::make_shared<TransferRun>(std::make_shared<CSerialPort>(), settingsPath, request, job.image);
  return true;
}

void Collect(Running& running, const std::string& settingsPath, bool interrupted) {
  LinkJob& job = *running.job;
  LinkRunResult& result = job.result;
  const TransferRun& run = *running.run;
  const TransferState& state = run.Transfer();
  result.interrupted = interrupted;
  result.status = state.status.load();
  result.progress = result.status == TransferStatus::XFER_SEARCHING ? 0 : state.progress.load();
  result.detail = state.detail;
  result.notices = run.Notices();
  if (run.ReadBackBegun()) {
    const TransferState& back = *run.ReadBack();
    result.verifyRan = true;
    result.readBackStatus = back.status.load();
    result.readBackDetail = back.detail;
    if (result.readBackStatus != TransferStatus::XFER_SEARCHING) result.progress = back.progress.load();
    if (result.readBackStatus == TransferStatus::XFER_READ_DONE && !interrupted) result.differences = run.Differences();
  }
  if (result.portText.empty()) {
    const int port = run.ConfiguredPort();  // the found port once saved
    result.portText = Describe(port, link::DeviceForPort(port, settingsPath));
  }
  const TransferRun::Image* read = run.ReadImage();
  if (read && !interrupted) job.image = *read;
}

}  // namespace

void RunLinkTransfers(bool isRead, const std::string& settingsPath, std::vector<LinkJob>& jobs,
                      const LinkRunOptions& options) {
  std::vector<std::unique_ptr<Running>> runs;
  for (LinkJob& job : jobs) {
    auto run = std::make_unique<Running>();
    run->job = &job;
    if (Prepare(*run, isRead, settingsPath, options)) runs.push_back(std::move(run));
  }
  if (runs.empty()) return;

  InterruptCatcher interrupt;
  std::optional<ProgressBar> bar;      // one radio: the bar as it always was
  std::optional<ProgressLines> lines;  // several: a line each
  if (jobs.size() == 1) {
    bar.emplace(isRead ? "Reading" : "Writing");
  } else {
    std::vector<std::string> labels;
    for (const auto& run : runs) labels.push_back(run->job->result.portText.empty() ? "configured port" : run->job->result.portText);
    lines.emplace(std::move(labels));
  }

  for (auto& run : runs) {
    Running* r = run.get();
    r->worker = std::thread([r] {
      r->run->Execute();
      r->finished.store(true);
    });
  }

  bool interrupted = false;  // Ctrl+C
  bool verifying = false;
  for (;;) {
    bool allDone = true;
    for (const auto& run : runs) allDone = allDone && run->finished.load();
    if (allDone) break;
    if (interrupt.Interrupted()) {
      // Nothing more goes to any radio: each engine sees the flag, each port is shut.
      for (auto& run : runs) {
        run->cancelled = !run->finished.load();
        run->run->Cancel();
      }
      interrupted = true;
      break;
    }
    if (bar) {
      const TransferRun& run = *runs.front()->run;
      const TransferState& state = run.Current();
      if (&state == run.ReadBack() && !verifying) {
        bar.emplace("Verifying");  // the write's bar ends, the read-back's begins
        verifying = true;
      }
      const TransferStatus status = state.status.load();
      if (status == TransferStatus::XFER_SEARCHING) bar->ShowSearching(state.progress.load());
      if (InProgress(status)) bar->ShowPercent(state.progress.load());
    } else {
      for (std::size_t i = 0; i < runs.size(); ++i) lines->Set(i, ProgressText(isRead, *runs[i]));
      lines->Draw();
    }
    std::this_thread::sleep_for(kPollPeriod);
  }
  for (auto& run : runs) run->worker.join();
  if (bar) bar->Finish();
  if (lines) {
    for (std::size_t i = 0; i < runs.size(); ++i) lines->Set(i, ProgressText(isRead, *runs[i]));
    lines->Draw();
  }
  for (auto& run : runs) {
    Collect(*run, settingsPath, interrupted && run->cancelled);
  }
}

LinkRunResult RunLinkTransfer(bool isRead, const LinkTarget& target, const std::string& settingsPath,
                              std::array<std::uint8_t, kImageSize>& image, const LinkRunOptions& options) {
  std::vector<LinkJob> jobs(1);
  jobs[0].target = target;
  jobs[0].image = image;
  RunLinkTransfers(isRead, settingsPath, jobs, options);
  image = jobs[0].image;
  return jobs[0].result;
}

}  // namespace qorrin::cli
