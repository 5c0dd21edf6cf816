#pragma once
// The single steps of the programming protocol as the PC takes them, shared by the
// transfer engine and the connection check, so that both speak to the radio with the
// same bytes, pauses and time-outs.
#include <cstdint>
#include <vector>

#include "core/link/ILinkPort.h"
#include "core/link/ProtocolFrames.h"

namespace qorrin::link {

// Empties the receive queue so that a stale byte is never taken for a reply.
void DiscardInput(ILinkPort& port);

// One entry attempt: the queue emptied, the entry command sent byte by byte, then a short
// wait for one byte. Gives that byte (0x06 acknowledges), or -1 when none came.
int SendEntryCommand(ILinkPort& port);

// The identify request and its reply: true when two bytes 0x4E came among the first
// twelve; reading stops at the second. `reply`, when given, receives the bytes read.
bool RequestIdentification(ILinkPort& port, std::vector<std::uint8_t>* reply = nullptr);

// Our 0x06 after the identification, or after a block read; the radio's answer to it is
// not examined.
void SendAcknowledge(ILinkPort& port);

// One read request and its reply: true when the 20 bytes for that address came.
bool RequestBlock(ILinkPort& port, int address, std::uint8_t (&reply)[kDataFrameSize]);

// The end command that returns the radio to its normal work.
void SendEndCommand(ILinkPort& port);

}  // namespace qorrin::link
