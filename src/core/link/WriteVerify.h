#pragma once
// Verification after a write: the radio is read back in a second run and what it holds
// (offsets 0x000-0x7EF) is compared with what was sent. Both runs use the same port,
// settings and hooks, so a window can poll the two records one after the other, as it
// polls any transfer, and Cancel stops whichever is running.
#include <memory>
#include <string>
#include <vector>

#include "core/compare/ImageCompare.h"
#include "core/link/TransferState.h"

namespace qorrin {

// A read-back record for a write record that the caller has filled (port, settings path,
// device, hooks); make it before the write starts.
std::shared_ptr<TransferState> MakeReadBackState(const TransferState& write);

struct VerifiedWriteResult {
  TransferStatus writeStatus = TransferStatus::XFER_IDLE;  // the write's final status
  TransferStatus readStatus = TransferStatus::XFER_IDLE;  // the read-back's; XFER_IDLE when it never ran
  bool bVerified = false;       // read back completely and no byte differs
  std::vector<ImageDifference> differences;  // sent -> held, when read back completely
  bool Cancelled() const;       // either run ended without a terminal status
};

// The differences between what was sent and what a finished read-back found.
std::vector<ImageDifference> CompareReadBack(const TransferState& write, const TransferState& readBack);

// Runs the write and, when it completed and was not cancelled, the read-back, each on the
// calling thread (a worker: this blocks for both runs). The port is closed between the
// runs and after them.
VerifiedWriteResult RunVerifiedWrite(const std::shared_ptr<TransferState>& write,
                                     const std::shared_ptr<TransferState>& readBack);

}  // namespace qorrin
