#pragma once
// The conversation of the connection check with whatever is on the line: the port opened
// as a transfer opens it, the entry attempts of a read, the identify request and reply;
// for our radio, the one block that holds its frequency-range code; and the end command
// for every radio that acknowledged. Nothing is ever written into the radio.
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "core/link/ILinkPort.h"
#include "core/link/ProtocolFrames.h"

namespace qorrin {

struct LineTalk {
  bool opened = false;
  std::string openError;           // why the port did not open
  bool cancelled = false;
  int attempts = 0;                // entry commands sent
  int echoedAttempts = 0;          // attempts answered by our own bytes
  int noisyAttempts = 0;           // attempts answered by other bytes
  std::vector<std::uint8_t> heard; // the bytes of the last such answer
  bool acknowledged = false;       // a radio took the entry command
  bool radioBehindEcho = false;    // an acknowledgement came after our own bytes
  std::vector<std::uint8_t> ident; // the identification reply as it came
  bool identified = false;         // it held two 0x4E
  bool blockRead = false;
  std::array<std::uint8_t, link::kBlockSize> block{};  // the block at kBandBlockAddress
};

// The block that holds the band information bytes.
inline constexpr int kBandBlockAddress = 0x780;

// Whether the bytes start as our entry command does: the line sent them straight back.
bool IsEntryEcho(const std::vector<std::uint8_t>& heard);

// Opens `path`, talks and closes the port again. `cancel` is looked at before each entry
// attempt; a radio that acknowledged is always ended properly first.
LineTalk TalkToRadio(ILinkPort& port, const std::string& path, const std::atomic<bool>* cancel = nullptr);

}  // namespace qorrin
