#include "cli/LinkTransferRunner.h"

#include <memory>
#include <thread>

#include "cli/LinkProgress.h"
#include "cli/RunWaiter.h"
#include "core/link/CSerialPort.h"
#include "core/link/PortNames.h"
#include "core/transfer/TransferRun.h"

namespace qorrin::cli {

std::string PortText(int port, const std::string& device) {
  if (port <= 0) return device;
  return device.empty() ? link::PortLabel(port) : link::PortLabel(port) + " (" + device + ")";
}

namespace {

// What the progress lines call a radio before its run has found out more.
std::string Label(const LinkTarget& target, const std::string& settingsPath) {
  if (!target.device.empty()) return target.device;
  if (target.port > 0) return PortText(target.port, link::DeviceForPort(target.port, settingsPath));
  return "configured port";
}

std::shared_ptr<TransferRun> MakeRun(bool isRead, const LinkJob& job, const std::string& settingsPath,
                                     const LinkRunOptions& options) {
  TransferRequest request;
  request.isRead = isRead;
  request.verify = !isRead && options.verify;
  request.port = job.target.device.empty() ? job.target.port : 0;
  request.device = job.target.device;
  return std::make_shared<TransferRun>(std::make_shared<CSerialPort>(), settingsPath, request, job.image);
}

}  // namespace

void RunLinkTransfers(bool isRead, const std::string& settingsPath, std::vector<LinkJob>& jobs,
                      const LinkRunOptions& options) {
  if (jobs.empty()) return;
  std::vector<std::shared_ptr<TransferRun>> runs;
  std::vector<const TransferRun*> watched;
  std::vector<std::string> labels;
  for (const LinkJob& job : jobs) {
    runs.push_back(MakeRun(isRead, job, settingsPath, options));
    watched.push_back(runs.back().get());
    labels.push_back(Label(job.target, settingsPath));
  }

  RunWaiter waiter;
  LinkProgress progress(isRead, watched, std::move(labels), waiter);
  std::vector<std::thread> workers;
  for (const auto& run : runs) {
    run->AddObserver(progress);
    workers.emplace_back([run] { run->Execute(); });
  }
  if (!waiter.WaitForRuns(runs.size())) {
    // Ctrl+C: nothing more goes to any radio; each engine sees the flag, each port is shut.
    for (const auto& run : runs) run->Cancel();
  }
  for (std::thread& worker : workers) worker.join();
  progress.Close();

  for (std::size_t i = 0; i < jobs.size(); ++i) {
    LinkJob& job = jobs[i];
    job.outcome = runs[i]->Outcome();
    job.portText = PortText(job.outcome.port, job.outcome.device);
    if (const TransferRun::Image* read = runs[i]->ReadImage()) job.image = *read;
  }
}

LinkJob RunLinkTransfer(bool isRead, const LinkTarget& target, const std::string& settingsPath,
                        const std::array<std::uint8_t, kImageSize>& image, const LinkRunOptions& options) {
  std::vector<LinkJob> jobs(1);
  jobs[0].target = target;
  jobs[0].image = image;
  RunLinkTransfers(isRead, settingsPath, jobs, options);
  return jobs[0];
}

}  // namespace qorrin::cli
