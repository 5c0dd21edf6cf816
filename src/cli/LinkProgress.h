#pragma once
// What qorrin-cli shows while its transfer runs go on: for one radio the progress bar as it
// always was (its "Verifying" bar once the read-back begins), for several a line each. It
// hears of the runs as their observer, on their worker threads, and wakes the waiting main
// thread at each run's end.
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cli/ProgressBar.h"
#include "core/transfer/TransferObserver.h"

namespace qorrin::cli {

class RunWaiter;

class LinkProgress : public ITransferObserver {
 public:
  // `runs` in the order of `labels`; one run draws a bar, several a line each.
  LinkProgress(bool isRead, std::vector<const TransferRun*> runs, std::vector<std::string> labels,
               RunWaiter& waiter);
  ~LinkProgress() override = default;

  void OnProgress(const TransferRun& run, const TransferProgress& progress) override;
  void OnFinished(const TransferRun& run, const TransferOutcome& outcome) override;
  // Once every run has ended: the bar's line is closed.
  void Close();

 private:
  std::size_t IndexOf(const TransferRun& run) const;

  const bool m_bRead;
  const std::vector<const TransferRun*> m_runs;
  RunWaiter& m_waiter;
  std::mutex m_mutex;  // the runs report from their own threads
  std::optional<ProgressBar> m_bar;      // one radio
  std::optional<ProgressLines> m_lines;  // several
  bool m_bVerifying = false;             // the bar has become the read-back's
};

// A radio's line while it runs ("Writing  [###---]  45%", "Searching for the radio: COM5",
// "connecting") and once it ended ("read", "written", "written and verified",
// "VERIFICATION FAILED", "FAILED").
std::string ProgressText(bool isRead, const TransferProgress& progress);
std::string EndText(const TransferOutcome& outcome);

}  // namespace qorrin::cli
