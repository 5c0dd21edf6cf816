#include "core/transfer/ReadBack.h"

namespace qorrin {

std::shared_ptr<TransferState> MakeReadBack(const TransferState& write) {
  auto readBack = std::make_shared<TransferState>();
  readBack->port = write.port;
  readBack->settingsPath = write.settingsPath;
  readBack->device = write.device;
  readBack->isRead = true;
  readBack->afterRead = write.afterRead;
  readBack->buffer = write.buffer;
  return readBack;
}

void PrepareReadBack(TransferState& readBack, const TransferState& write) {
  readBack.buffer = write.buffer;
  readBack.comPort.store(write.comPort.load());
  readBack.search = write.search;
}

std::vector<ImageDifference> ReadBackDifferences(const TransferState& write, const TransferState& readBack) {
  return CompareImages(write.buffer, readBack.buffer);
}

}  // namespace qorrin
