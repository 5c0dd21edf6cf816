#pragma once
// The first and last words of a programming session, for callers that keep an eye on a
// port between transfers: one entry attempt exactly as a transfer makes it, and the end
// command that takes the radio out of programming mode again.
#include "core/link/ILinkPort.h"

namespace qorrin::link {

// One entry attempt on an open port: stale input discarded, the entry command sent byte
// by byte with its pauses, then a short wait for the acknowledgement. True when 0x06
// came: the radio is in programming mode and waits for the identification request, or
// for the end command.
bool MakeEntryAttempt(ILinkPort& port);

// The end command, as a transfer sends it after its last block.
void SendEndCommand(ILinkPort& port);

}  // namespace qorrin::link
