#pragma once
// How a transfer run tells others what it does: a snapshot of its progress, and the
// observer interface that hears of each step and of the end.
//
// Observers are called on the thread that executes the run. One observer may watch several
// runs at once, each executed on its own thread with its own port: the run is passed with
// every call so the observer can tell them apart, and whatever the observer shares between
// runs it must guard itself. A call should return quickly; the engine waits for it.
#include "core/link/TransferState.h"

namespace qorrin {

class TransferRun;
struct TransferOutcome;

// Where a run stands, read at any time from any thread.
struct TransferProgress {
  // The engine's status for the stage running now: the read-back's once it has begun.
  TransferStatus status = TransferStatus::XFER_IDLE;
  int progress = 0;    // percent while transferring; the port number while searching
  int foundPort = -1;  // the port opened by the search and not yet saved, or -1
  bool verifying = false;  // the stage is the read-back of a verified write
};

class ITransferObserver {
 public:
  virtual ~ITransferObserver() = default;
  // The engine reported a step (a port searched, a block moved, a write complete before
  // its read-back, a stage ended).
  virtual void OnProgress(const TransferRun& run, const TransferProgress& progress) = 0;
  // The run is over; `outcome` is the run's Outcome(), and stays valid as long as the run.
  virtual void OnFinished(const TransferRun& run, const TransferOutcome& outcome) = 0;
};

}  // namespace qorrin
