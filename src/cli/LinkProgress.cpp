#include "cli/LinkProgress.h"

#include "cli/RunWaiter.h"
#include "core/link/PortNames.h"
#include "core/transfer/TransferRun.h"

namespace qorrin::cli {
namespace {

bool InProgress(TransferStatus status) {
  return status == TransferStatus::XFER_READING || status == TransferStatus::XFER_WRITING;
}

}  // namespace

std::string ProgressText(bool isRead, const TransferProgress& progress) {
  const char* verb = progress.verifying ? "Verifying" : (isRead ? "Reading" : "Writing");
  if (progress.status == TransferStatus::XFER_SEARCHING) {
    return "Searching for the radio: " + link::PortLabel(progress.progress);
  }
  if (InProgress(progress.status)) return BarText(verb, progress.progress);
  return "connecting";
}

std::string EndText(const TransferOutcome& outcome) {
  switch (outcome.end) {
    case TransferEnd::Read: return "read";
    case TransferEnd::Written: return "written";
    case TransferEnd::Verified: return "written and verified";
    case TransferEnd::NotVerified: return "VERIFICATION FAILED";
    default: return "FAILED";
  }
}

LinkProgress::LinkProgress(bool isRead, std::vector<const TransferRun*> runs, std::vector<std::string> labels,
                           RunWaiter& waiter)
    : m_bRead(isRead), m_runs(std::move(runs)), m_waiter(waiter) {
  if (m_runs.size() == 1) {
    m_bar.emplace(isRead ? "Reading" : "Writing");
    return;
  }
  m_lines.emplace(std::move(labels));
  for (std::size_t i = 0; i < m_runs.size(); ++i) m_lines->Set(i, ProgressText(isRead, {}));
  m_lines->Draw();
}

std::size_t LinkProgress::IndexOf(const TransferRun& run) const {
  for (std::size_t i = 0; i < m_runs.size(); ++i) {
    if (m_runs[i] == &run) return i;
  }
  return m_runs.size();
}

void LinkProgress::OnProgress(const TransferRun& run, const TransferProgress& progress) {
  const std::lock_guard<std::mutex> lock(m_mutex);
  if (m_lines) {
    m_lines->Set(IndexOf(run), ProgressText(m_bRead, progress));
    m_lines->Draw();
    return;
  }
  if (progress.verifying && !m_bVerifying) {
    m_bar.emplace("Verifying");  // the write's bar ends, the read-back's begins
    m_bVerifying = true;
  }
  if (progress.status == TransferStatus::XFER_SEARCHING) m_bar->ShowSearching(progress.progress);
  if (InProgress(progress.status)) m_bar->ShowPercent(progress.progress);
}

void LinkProgress::OnFinished(const TransferRun& run, const TransferOutcome& outcome) {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_lines) {
      m_lines->Set(IndexOf(run), EndText(outcome));
      m_lines->Draw();
    }
  }
  m_waiter.RunEnded();
}

void LinkProgress::Close() {
  const std::lock_guard<std::mutex> lock(m_mutex);
  if (m_bar) m_bar->Finish();
}

}  // namespace qorrin::cli
