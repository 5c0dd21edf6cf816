#pragma once
// The ways the simulated radio can misbehave on request, so that every failure path of
// the PC side can be exercised against a real serial line.
#include <climits>
#include <cstdint>
#include <iterator>
#include <vector>

namespace qorrin::sim {

// A fault aimed at the block with the given address, on the attempts firstAttempt to
// lastAttempt of each session (attempts count from 1; a new entry command starts over).
struct BlockFault {
  int address = 0;
  int firstAttempt = 1;
  int lastAttempt = INT_MAX;
};

// What this radio answers to the identify request: two 'N' and nothing after them, so no
// byte of it is left over for the PC to mistake for the next reply.
inline constexpr std::uint8_t kDefaultIdent[] = {'V', 'L', 'M', '7', 'Q', 'N', 'N'};

// What a radio of another model answers to the identify request: no two 'N' in it.
inline constexpr std::uint8_t kOtherModelIdent[] = {'K', 'T', '-', '8', '0', '0', 0x01, 0x20};

struct SimFaults {
  bool silent = false;          // hears everything, answers nothing
  bool echo = false;            // the cable sends every byte of the PC straight back (one wire
                                // for transmit and receive); the radio still answers behind it
  bool wrongSpeed = false;      // the radio runs at another line speed: it understands nothing
                                // and every byte it hears draws a garbled one back
  int ignoreEntries = 0;        // entry commands ignored before the first one acknowledged
  int ackDelayMs = 0;           // acknowledgement of the entry command comes this late
  bool staleAck = false;        // a 0x06 nobody asked for at start and after each end command
  std::vector<std::uint8_t> ident{std::begin(kDefaultIdent), std::end(kDefaultIdent)};  // identification reply
  std::vector<BlockFault> shortReplies;      // read replies cut to shortLength bytes
  int shortLength = 19;
  std::vector<BlockFault> misaddressed;      // read replies that name the next block's address
  std::vector<BlockFault> droppedWriteAcks;  // written blocks stored but not acknowledged
  std::vector<BlockFault> corruptedWrites;   // written blocks acknowledged but stored wrongly:
                                             // the lowest bit of their first byte flipped
  int unplugAfterBlocks = -1;   // after this many blocks the cable is pulled (-1: never)
};

}  // namespace qorrin::sim
