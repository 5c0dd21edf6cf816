#include "core/link/EntryAttempt.h"

#include "core/link/ProtocolFrames.h"
#include "core/link/ProtocolTimings.h"

namespace qorrin::link {

bool MakeEntryAttempt(ILinkPort& port) {
  // A stale byte in the receive queue must not pass for the acknowledgement.
  while (port.ReadByte(0) >= 0) {
  }
  port.Write(kEntryCommand.data(), static_cast<int>(kEntryCommand.size()), kEntryBytePauseMs, true);
  return port.ReadByte(kEntryAckTimeoutMs) == kAck;
}

void SendEndCommand(ILinkPort& port) { port.WriteByte(kEndCommand, kFramePauseMs); }

}  // namespace qorrin::link
