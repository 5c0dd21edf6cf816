#include "core/link/WriteVerify.h"

#include "core/link/ILinkPort.h"

namespace qorrin {

std::shared_ptr<TransferState> MakeReadBackState(const TransferState& write) {
  auto readBack = std::make_shared<TransferState>();
  readBack->port = write.port;
  readBack->settingsPath = write.settingsPath;
  readBack->device = write.device;
  readBack->isRead = true;
  readBack->afterRead = write.afterRead;
  readBack->buffer = write.buffer;
  return readBack;
}

bool VerifiedWriteResult::Cancelled() const {
  return !IsTerminalStatus(writeStatus) || (writeStatus == TransferStatus::XFER_WRITE_DONE && !IsTerminalStatus(readStatus));
}

std::vector<ImageDifference> CompareReadBack(const TransferState& write, const TransferState& readBack) {
  return CompareImages(write.buffer, readBack.buffer);
}

VerifiedWriteResult RunVerifiedWrite(const std::shared_ptr<TransferState>& write,
                                     const std::shared_ptr<TransferState>& readBack) {
  VerifiedWriteResult result;
  TransferThreadProc(write);
  result.writeStatus = write->status.load();
  if (write->port) write->port->Close();
  if (result.writeStatus != TransferStatus::XFER_WRITE_DONE || write->cancel.load() || !readBack) return result;
  if (readBack->cancel.load()) return result;
  // What the radio holds is read over a copy of what was sent: a block that a broken
  // read leaves out could never pass for a good one, because nothing is compared then.
  readBack->buffer = write->buffer;
  TransferThreadProc(readBack);
  result.readStatus = readBack->status.load();
  if (readBack->port) readBack->port->Close();
  if (result.readStatus == TransferStatus::XFER_READ_DONE && !readBack->cancel.load()) {
    result.differences = CompareReadBack(*write, *readBack);
    result.bVerified = result.differences.empty();
  }
  return result;
}

}  // namespace qorrin
