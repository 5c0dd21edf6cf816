#include "core/transfer/TransferOutcome.h"

#include "core/link/PortAccess.h"
#include "core/transfer/ReadBack.h"

namespace qorrin {
namespace {

// The end that a stage's final status means.
TransferEnd EndOfStatus(TransferStatus status) {
  switch (status) {
    case TransferStatus::XFER_READ_DONE: return TransferEnd::Read;
    case TransferStatus::XFER_WRITE_DONE: return TransferEnd::Written;
    case TransferStatus::XFER_PORT_ERROR: return TransferEnd::NoAnswer;
    case TransferStatus::XFER_TYPE_ERROR: return TransferEnd::WrongRadio;
    case TransferStatus::XFER_READ_FAIL: return TransferEnd::ReadFailed;
    case TransferStatus::XFER_WRITE_FAIL: return TransferEnd::WriteFailed;
    default: return TransferEnd::Unexpected;
  }
}

// The percentage a stage reached; a stage still searching has moved no block.
int ProgressOf(const TransferState& state) {
  return state.status.load() == TransferStatus::XFER_SEARCHING ? 0 : state.progress.load();
}

// A write that completed, and the read-back that was to verify it.
void DecideVerification(TransferOutcome& outcome, const TransferState& write, const TransferState& readBack) {
  const TransferEnd readBackEnd = EndOfStatus(readBack.status.load());
  if (readBackEnd != TransferEnd::Read) {
    outcome.end = TransferEnd::NotReadBack;
    outcome.readBackEnd = readBackEnd;
    return;
  }
  outcome.differences = ReadBackDifferences(write, readBack);
  outcome.end = outcome.differences.empty() ? TransferEnd::Verified : TransferEnd::NotVerified;
}

}  // namespace

PortProblem DiagnosePort(const std::string& device) {
  if (device.empty() || link::DeviceIsMissing(device)) return PortProblem::DeviceMissing;
  if (link::LacksPermission(device)) return PortProblem::NoPermission;
  return PortProblem::None;
}

TransferOutcome DecideOutcome(const TransferRecords& records) {
  const TransferState& transfer = records.transfer;
  const TransferState* readBack = records.readBack;
  const bool readBackBegun = readBack && readBack->status.load() != TransferStatus::XFER_IDLE;

  TransferOutcome outcome;
  outcome.isRead = transfer.isRead;
  outcome.port = records.port;
  outcome.device = records.device;
  outcome.searched = records.searched;
  outcome.detail = transfer.detail;
  outcome.status = transfer.status.load();
  outcome.progress = ProgressOf(transfer);
  outcome.notices = transfer.notices;
  if (readBack) outcome.notices.insert(outcome.notices.end(), readBack->notices.begin(), readBack->notices.end());
  if (readBackBegun) {
    outcome.status = readBack->status.load();
    if (outcome.status != TransferStatus::XFER_SEARCHING) outcome.progress = readBack->progress.load();
  }

  const bool written = transfer.status.load() == TransferStatus::XFER_WRITE_DONE;
  if (records.cancelled) {
    // A write that completed before the cancel is in the radio; only its check is missing.
    outcome.end = !written ? TransferEnd::Cancelled : readBack ? TransferEnd::VerifyCancelled : TransferEnd::Written;
  } else if (written && readBack) {
    DecideVerification(outcome, transfer, *readBack);
  } else {
    outcome.end = EndOfStatus(transfer.status.load());
  }
  if (outcome.NoLink()) outcome.problem = DiagnosePort(outcome.device);
  return outcome;
}

}  // namespace qorrin
