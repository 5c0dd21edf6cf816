#pragma once
// One radio's turn at the station, from the entry attempt it acknowledged to its result:
//   1. the radio is read, and what it held is saved as its backup;
//   2. a radio that does not identify as a VLM-7Q, or whose frequency range is not the
//      plan's, is refused ("wrong model"), and nothing is written;
//   3. a radio whose bytes 0x000-0x7EF are the plan's already is left alone;
//   4. otherwise the plan is written and, with verification on, read back and compared.
// Each step is a transfer run (TransferRun.h) on the port the attempt was made on. Every
// session the radio acknowledged ends with the end command, whatever broke it off, so no
// radio is left in programming mode.
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "core/model/ModelInfo.h"
#include "core/transfer/StationTypes.h"
#include "core/transfer/TransferRun.h"

namespace qorrin {

class ILinkPort;

// What every turn of a station shares.
struct TurnPlan {
  std::string settingsPath;
  TransferRun::Image image{};  // as a write sends it: index fields up to date
  std::shared_ptr<const ModelTable> models;
  std::optional<int> model;    // the plan's frequency range in `models`
  bool verify = true;
  std::string backupFolder;
};

class RadioTurn : public ITransferObserver {
 public:
  // What the port is doing now: Reading, Writing or Verifying, with the percent of that
  // transfer (-1 before its first block). Called on the turn's thread.
  using Progress = std::function<void(PortActivity activity, int percent)>;

  // `port` is open, and the radio on it has just acknowledged an entry attempt.
  RadioTurn(const TurnPlan& plan, std::shared_ptr<ILinkPort> port, std::string device, std::string portName,
            Progress progress);

  // The whole turn, on the caller's thread. The record's timing, log and tally are the
  // caller's to fill.
  StationRadio Run();
  // Stops the transfer under way at its next step and starts no other. Any thread.
  void Cancel();

  void OnProgress(const TransferRun& run, const TransferProgress& progress) override;
  void OnFinished(const TransferRun&, const TransferOutcome&) override {}

 private:
  // Executes one transfer; null when the turn was cancelled before it could start.
  std::shared_ptr<TransferRun> Execute(TransferRequest request);
  void Backup(StationRadio& radio, const TransferRun::Image& found);
  void Write(StationRadio& radio);
  // The end command for a session that the radio acknowledged and nobody ended.
  void EndSession(const TransferOutcome& outcome);

  const TurnPlan& m_plan;
  std::shared_ptr<ILinkPort> m_port;
  std::string m_device;
  std::string m_portName;
  Progress m_progress;
  std::mutex m_mutex;  // m_current, m_cancelled
  std::shared_ptr<TransferRun> m_current;
  bool m_cancelled = false;
  PortActivity m_shown = PortActivity::Waiting;
  int m_shownPercent = -2;
};

// The fingerprint the log keeps of a radio image: SHA-256 of bytes 0x000-0x7EF.
std::string ImageFingerprint(const TransferRun::Image& image);

}  // namespace qorrin
