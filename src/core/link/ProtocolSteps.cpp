#include "core/link/ProtocolSteps.h"

#include "core/link/ProtocolTimings.h"

namespace qorrin::link {

void DiscardInput(ILinkPort& port) {
  while (port.ReadByte(0) >= 0) {
  }
}

int SendEntryCommand(ILinkPort& port) {
  DiscardInput(port);
  port.Write(kEntryCommand.data(), static_cast<int>(kEntryCommand.size()), kEntryBytePauseMs, true);
  return port.ReadByte(kEntryAckTimeoutMs);
}

// Nothing of the reply but its 0x4E bytes is examined.
bool RequestIdentification(ILinkPort& port, std::vector<std::uint8_t>* reply) {
  port.WriteByte(kIdentifyRequest, kFramePauseMs);
  int marks = 0;
  for (int read = 0; read < kIdentReads; ++read) {
    const int byte = port.ReadByte(kIdentByteTimeoutMs);
    if (byte < 0) continue;
    if (reply) reply->push_back(static_cast<std::uint8_t>(byte));
    if (byte == kIdentMark && ++marks == kIdentMarksNeeded) return true;
  }
  return false;
}

void SendAcknowledge(ILinkPort& port) {
  port.WriteByte(kAck, kFramePauseMs);
  port.ReadByte(kIgnoredByteTimeoutMs);
}

bool RequestBlock(ILinkPort& port, int address, std::uint8_t (&reply)[kDataFrameSize]) {
  const auto request = ReadRequest(address);
  port.Write(request.data(), kReadRequestSize, kFramePauseMs, false);
  return port.Read(reply, kDataFrameSize, kReadReplyTimeoutMs) == kDataFrameSize && reply[0] == kDataFrameTag &&
         reply[1] == HighByte(address) && reply[2] == LowByte(address);
}

void SendEndCommand(ILinkPort& port) { port.WriteByte(kEndCommand, kFramePauseMs); }

}  // namespace qorrin::link
