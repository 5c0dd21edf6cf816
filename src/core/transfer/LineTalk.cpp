#include "core/transfer/LineTalk.h"

#include <algorithm>
#include <cstring>

#include "core/link/ProtocolSteps.h"
#include "core/link/ProtocolTimings.h"

namespace qorrin {
namespace {

// Attempts answered by echo or noise that settle what the line does: more of the same
// tell nothing new.
constexpr int kConclusiveAttempts = 3;
// Bytes kept of one answer.
constexpr std::size_t kMostHeard = 32;

bool Cancelled(const std::atomic<bool>* cancel) { return cancel != nullptr && cancel->load(); }

// What else came with the first byte of an answer, until the line is quiet.
std::vector<std::uint8_t> RestOfAnswer(ILinkPort& port, int first) {
  std::vector<std::uint8_t> heard{static_cast<std::uint8_t>(first)};
  for (int byte; heard.size() < kMostHeard && (byte = port.ReadByte(link::kQuietBeforeRetryMs)) >= 0;) {
    heard.push_back(static_cast<std::uint8_t>(byte));
  }
  return heard;
}

void ReadBandBlock(ILinkPort& port, LineTalk& talk) {
  std::uint8_t reply[link::kDataFrameSize];
  for (int attempt = 0; attempt < link::kBlockAttempts && !talk.blockRead; ++attempt) {
    link::DiscardInput(port);
    talk.blockRead = link::RequestBlock(port, kBandBlockAddress, reply);
  }
  if (!talk.blockRead) return;
  std::memcpy(talk.block.data(), reply + 4, link::kBlockSize);
  link::SendAcknowledge(port);
}

}  // namespace

bool IsEntryEcho(const std::vector<std::uint8_t>& heard) {
  const std::size_t compared = std::min(heard.size(), link::kEntryCommand.size());
  return compared >= 2 && std::equal(heard.begin(), heard.begin() + static_cast<std::ptrdiff_t>(compared),
                                     link::kEntryCommand.begin());
}

LineTalk TalkToRadio(ILinkPort& port, const std::string& path, const std::atomic<bool>* cancel) {
  LineTalk talk;
  if (port.Open(path, link::kBaudRate) == 0) {
    talk.openError = port.LastError();
    return talk;
  }
  talk.opened = true;
  port.Sleep(link::kSettleAfterOpenMs);
  while (talk.attempts < link::kEntryAttempts && talk.echoedAttempts + talk.noisyAttempts < kConclusiveAttempts) {
    if (Cancelled(cancel)) {
      talk.cancelled = true;
      break;
    }
    ++talk.attempts;
    const int first = link::SendEntryCommand(port);
    if (first == link::kAck) {
      talk.acknowledged = true;
      break;
    }
    if (first < 0) continue;
    talk.heard = RestOfAnswer(port, first);
    if (IsEntryEcho(talk.heard)) {
      ++talk.echoedAttempts;
      const std::size_t own = link::kEntryCommand.size();
      if (talk.heard.size() > own && talk.heard[own] == link::kAck) talk.radioBehindEcho = true;
    } else {
      ++talk.noisyAttempts;
    }
  }
  if (talk.radioBehindEcho && !talk.acknowledged) {
    // Our own bytes came first, but a radio took the entry command: it gets its end too.
    link::SendEndCommand(port);
  }
  if (talk.acknowledged) {
    // The radio is in programming mode now: whatever comes, it is sent back to its work.
    talk.identified = link::RequestIdentification(port, &talk.ident);
    if (talk.identified) {
      link::SendAcknowledge(port);
      ReadBandBlock(port, talk);
    }
    link::SendEndCommand(port);
  }
  port.Close();
  return talk;
}

}  // namespace qorrin
