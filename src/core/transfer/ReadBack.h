#pragma once
// The verification of a write: once every block went out, the radio is read back and what
// it holds is compared with what was sent.
#include <memory>
#include <vector>

#include "core/compare/ImageCompare.h"
#include "core/link/TransferState.h"

namespace qorrin {

// The read-back's record for a verified write: the same port, settings and backups.
std::shared_ptr<TransferState> MakeReadBack(const TransferState& write);

// Readies the read-back once the write completed. It reads over a copy of what was sent,
// so a block that a broken read leaves out could never pass for a good one (nothing is
// compared then), and on the port the write used, one found by its search included.
void PrepareReadBack(TransferState& readBack, const TransferState& write);

// What was sent -> what the radio holds, for a read-back that completed.
std::vector<ImageDifference> ReadBackDifferences(const TransferState& write, const TransferState& readBack);

}  // namespace qorrin
