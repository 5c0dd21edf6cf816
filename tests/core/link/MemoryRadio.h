#pragma once
// A radio on a memory port that answers the programming protocol from a memory of its own,
// correctly unless asked for trouble (at `badBlock` for `badTries` tries; below zero: always).
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "core/link/MemoryLinkPort.h"
#include "core/link/ProtocolFrames.h"
#include "core/link/ProtocolTimings.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin::test {

struct MemoryRadio {
  enum Trouble { kShort, kMisaddressed, kNoAck };
  int ignoreEntries = 0;
  std::vector<std::uint8_t> ident = std::vector<std::uint8_t>(2, link::kIdentMark);
  int lateBlock = -1;
  int unplugAtBlock = -1;
  int badBlock = -1;
  int badTries = 0;
  Trouble trouble = kShort;
  int stuckAt = -1;  // this address keeps its byte when written
  // Each block the radio took from a write, by its address, once it is in its memory.
  std::function<void(int address)> onBlockWritten;
  std::array<std::uint8_t, kImageSize> memory{};
  std::vector<std::uint8_t> pending;

  // Every byte holds the low byte of its address, so a block read shows where it came from.
  MemoryRadio() {
    for (std::size_t a = 0; a < memory.size(); ++a) memory[a] = static_cast<std::uint8_t>(a);
  }

  // A port with this radio at its far end.
  std::shared_ptr<MemoryLinkPort> Port() {
    return std::make_shared<MemoryLinkPort>([this](MemoryLinkPort& p, std::uint8_t b) { OnByte(p, b); });
  }

  void OnByte(MemoryLinkPort& port, std::uint8_t b) {
    using namespace qorrin::link;
    pending.push_back(b);
    const std::size_t need = pending[0] == kEntryCommand[0] ? 8 : pending[0] == kReadCommand ? 4
                             : pending[0] == kDataFrameTag ? 20 : 1;
    if (pending.size() < need) return;
    const bool frame = pending[0] == kReadCommand || pending[0] == kDataFrameTag;
    const int address = frame ? (pending[1] << 8) | pending[2] : 0;
    const bool bad = frame && address / kBlockSize == badBlock && badTries != 0;
    badTries -= bad ? 1 : 0;
    if (pending[0] == kEntryCommand[0] && ignoreEntries > 0) {
      --ignoreEntries;
    } else if (pending[0] == kIdentifyRequest) {
      port.Reply(ident.data(), ident.size());
    } else if (pending[0] == kReadCommand && address / kBlockSize == unplugAtBlock) {
      port.Unplug();
    } else if (pending[0] == kReadCommand) {
      const int sent = bad && trouble == kMisaddressed ? address + kBlockSize : address;
      std::vector<std::uint8_t> reply = {kDataFrameTag, HighByte(sent), LowByte(sent), 16};
      for (int i = 0; i < 16; ++i) reply.push_back(memory[static_cast<std::size_t>(sent + i) % memory.size()]);
      const bool late = address / kBlockSize == lateBlock;
      lateBlock = late ? -1 : lateBlock;
      port.Reply(reply.data(), bad && trouble == kShort ? 19 : reply.size(), late ? kReadReplyTimeoutMs - 10 : 0);
    } else if (pending[0] == kDataFrameTag && bad && trouble == kNoAck) {
      // the block is lost on the way: nothing stored, nothing acknowledged
    } else if (pending[0] == kDataFrameTag) {
      for (int i = 0; i < kBlockSize && address + i < static_cast<int>(kImageSize); ++i) {
        if (address + i != stuckAt) memory[static_cast<std::size_t>(address + i)] = pending[4 + static_cast<std::size_t>(i)];
      }
      port.Reply({kAck});
      if (onBlockWritten) onBlockWritten(address);
    } else if (pending[0] != kEndCommand) {
      port.Reply({kAck});
    }
    pending.clear();
  }
};

// How many of the port's writes begin with these bytes.
inline int Writes(const MemoryLinkPort& port, std::initializer_list<std::uint8_t> start) {
  int count = 0;
  for (const MemoryLinkPort::Event& e : port.Events()) {
    count += e.kind == MemoryLinkPort::Event::kWrite && e.size >= start.size() &&
             std::equal(start.begin(), start.end(), e.data.begin()) ? 1 : 0;
  }
  return count;
}

}  // namespace qorrin::test
