// Moving the 127 blocks of 16 bytes: the read loop and the write loop.
#include <cstring>

#include "core/link/ProtocolFrames.h"
#include "core/link/ProtocolSteps.h"
#include "core/link/ProtocolTimings.h"
#include "core/link/TransferSession.h"

namespace qorrin::link {

// Each block: request it, take a complete reply for that address, acknowledge it. Three
// tries per block. A block that cannot be had ends the read as failed, whether its
// replies were short or carried another address: a "complete" image with a stale block
// in it would look like a good read.
void TransferSession::ReadBlocks() {
  for (int k = 0; k < kBlockCount; ++k) {
    const int address = k * kBlockSize;
    std::uint8_t reply[kDataFrameSize];
    bool accepted = false;
    for (int attempt = 0; attempt < kBlockAttempts && !accepted; ++attempt) {
      if (Cancelled()) return EndCancelled();
      // The tail of an earlier late reply must not shift this one.
      if (attempt == 0) {
        DiscardInput();
      } else {
        DiscardUntilQuiet();
      }
      accepted = RequestBlock(m_port, address, reply);
    }
    if (!accepted) return Finish(TransferStatus::XFER_READ_FAIL);
    std::memcpy(m_state.buffer.data() + address, reply + 4, kBlockSize);
    SendAcknowledge(m_port);
    m_state.progress.store(BlockProgress(k));
    m_state.status.store(TransferStatus::XFER_READING);
    Report();
    if (Cancelled()) return EndCancelled();
  }
  SendEndCommand(m_port);
  RunHook(m_state.afterRead);
  Finish(TransferStatus::XFER_READ_DONE);
}

// Each block: send the data frame, wait for 0x06. Three tries per block. After the last
// block the radio gets a second to store what it received before the port may close.
void TransferSession::WriteBlocks() {
  RunHook(m_state.beforeWrite);
  for (int k = 0; k < kBlockCount; ++k) {
    const int address = k * kBlockSize;
    std::uint8_t frame[kDataFrameSize] = {kDataFrameTag, HighByte(address), LowByte(address),
                                          static_cast<std::uint8_t>(kBlockSize)};
    std::memcpy(frame + 4, m_state.buffer.data() + address, kBlockSize);
    bool accepted = false;
    for (int attempt = 0; attempt < kBlockAttempts && !accepted; ++attempt) {
      if (Cancelled()) return EndCancelled();
      // A late 0x06 for the previous try must not pass for the answer to this one.
      if (attempt == 0) {
        DiscardInput();
      } else {
        DiscardUntilQuiet();
      }
      m_port.Write(frame, kDataFrameSize, kFramePauseMs, false);
      accepted = m_port.ReadByte(kWriteAckTimeoutMs) == kAck;
    }
    if (!accepted) return Finish(TransferStatus::XFER_WRITE_FAIL);
    m_state.progress.store(BlockProgress(k));
    m_state.status.store(TransferStatus::XFER_WRITING);
    Report();
    if (Cancelled()) return EndCancelled();
  }
  SendEndCommand(m_port);
  m_port.Sleep(kSettleAfterWriteMs);
  Finish(TransferStatus::XFER_WRITE_DONE);
}

}  // namespace qorrin::link
