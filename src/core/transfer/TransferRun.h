#pragma once
// One transfer with the radio as the programs make it, from the settings to the outcome.
// The transfer dialog and the command-line tool only start a run, follow it and show what
// came of it; everything they share is decided here:
//   - the port: the configured one with the search the settings allow, a port number, or
//     a device given by path; the settings ("com", "searchcom") are read once, when the
//     run is made, and the port is set to the radio's line speed;
//   - the read or write is backed up automatically (TransferBackup.h);
//   - a write with verification is read back once it completed, and what the radio holds
//     is compared with what was sent (ReadBack.h);
//   - the outcome (TransferOutcome.h): the end it came to, whether a write is verified,
//     what is wrong with a port that gave no link; a complete read's image (ReadImage).
//
// The run is made on the caller's thread and executed on a worker. Observers hear of each
// step and of the end (TransferObserver.h); a caller may instead read Progress() and,
// once Finished(), Outcome() from any thread. The run is shared through std::shared_ptr
// with the worker, so a caller that gives up never leaves the worker writing into a run
// that is gone. Use a fresh run for each transfer.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/link/TransferState.h"
#include "core/model/RadioImageLayout.h"
#include "core/transfer/TransferObserver.h"
#include "core/transfer/TransferOutcome.h"

namespace qorrin {

class CQorrinDoc;

struct TransferRequest {
  bool isRead = true;
  bool verify = false;       // a write: read the radio back afterwards and compare
  int port = 0;              // when above 0: this port number's device, no search, nothing saved
  std::string device;        // when not empty: this device, no search, nothing saved
  std::string backupLabel;   // the port's name in backup files; empty: the port number given,
                             // else the device, else the configured port
  std::string backupFolder;  // empty: BackupFolder()
  bool backup = true;        // false: no automatic backups (the caller keeps its own)
  // The radio on the open port has just acknowledged an entry command: the run goes on
  // from there (TransferState::entered). Only with a port that is open.
  bool entered = false;
};

class TransferRun {
 public:
  using Image = std::array<std::uint8_t, kImageSize>;

  // The image a transfer of the document starts from: the document's own, after its index
  // fields have been brought up to date (the radio finds its way by them).
  static Image DocumentImage(CQorrinDoc& doc);

  // `image` is what a write sends, or what a read is laid over (bytes 0x7F0..0xFFF never
  // travel and stay as given).
  TransferRun(std::shared_ptr<ILinkPort> port, std::string settingsPath, const TransferRequest& request,
              const Image& image);
  TransferRun(const TransferRun&) = delete;
  TransferRun& operator=(const TransferRun&) = delete;

  // Before Execute: one more observer (not owned; it must outlive the execution).
  void AddObserver(ITransferObserver& observer) { m_observers.push_back(&observer); }

  // The worker's body: the read or write and, for a verified write that completed, the
  // read-back; then the outcome, told to the observers. Blocks until all is over; the port
  // is closed between the stages and after.
  void Execute();
  // Stops the run at the engine's next test and shuts the port; does not wait. Any thread.
  void Cancel();

  const TransferRequest& Request() const { return m_request; }
  // Where the run stands now. Any thread, any time.
  TransferProgress Progress() const;
  // The outcome has been decided (the worker is done with the port). Any thread.
  bool Finished() const { return m_finished.load(std::memory_order_acquire); }
  // Read only once Finished().
  const TransferOutcome& Outcome() const { return m_outcome; }
  // A read that completed: the image read. Null otherwise (and before Finished()).
  const Image* ReadImage() const;

  // The engine's records, for tests: the read or write, and the read-back of a verified
  // write (null for any other run).
  const TransferState& Transfer() const { return *m_transfer; }
  const TransferState* ReadBack() const { return m_readBack.get(); }

 private:
  bool ReadBackBegun() const;
  void TellProgress() const;
  void Finish();

  TransferRequest m_request;
  std::shared_ptr<ILinkPort> m_port;
  std::shared_ptr<TransferState> m_transfer;
  std::shared_ptr<TransferState> m_readBack;
  std::vector<ITransferObserver*> m_observers;
  TransferOutcome m_outcome;
  std::atomic<bool> m_finished{false};
};

}  // namespace qorrin
