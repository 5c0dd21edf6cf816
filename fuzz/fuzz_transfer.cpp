// Runs the transfer engine, a real read or write of the radio, against a radio whose every
// answer the input chooses: on time, late, missing, short, misaddressed or any bytes at
// all, plus a pulled cable or a cancel at some point. The port is on memory with a virtual
// clock, so a whole run takes microseconds.
//
// Besides not crashing, the engine must:
//  - end with a terminal status unless the run was cancelled;
//  - never touch the image beyond the 127 blocks that travel, never change it on a write,
//    and never store into a block it has not requested yet;
//  - report a finished read only when every block came as a complete reply carrying its
//    own address, the image holding exactly those replies' data, and the end command sent
//    (a cable pulled after the last block leaves the image complete, and the run a success);
//  - report a finished write only when every block was sent as its own frame with the
//    image's bytes and acknowledged, followed by the end command and the settle time;
//  - ask for blocks and send frames in ascending order only, and keep progress between
//    0 and 100 without going back.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "core/link/MemoryLinkPort.h"
#include "core/link/ProtocolFrames.h"
#include "core/link/ProtocolTimings.h"
#include "core/link/TransferState.h"

namespace {

using namespace qorrin;
using namespace qorrin::link;
using Event = MemoryLinkPort::Event;

constexpr std::uint8_t kFill = 0xA5;

std::uint8_t RadioByte(int offset) { return static_cast<std::uint8_t>(offset * 7 + 3); }

// What the image holds before a read (all kFill) and before a write (the caller's image).
struct Images {
  std::array<std::uint8_t, kImageSize> fill;
  std::array<std::uint8_t, kImageSize> caller;
  Images() {
    fill.fill(kFill);
    for (std::size_t i = 0; i < kImageSize; ++i) caller[i] = RadioByte(static_cast<int>(i) + 1);
  }
};
const Images& Initial() {
  static const Images images;
  return images;
}

// Reads the input as a script of answers; once it runs out the radio answers correctly,
// so that short inputs still reach the end of a run.
class Script {
 public:
  Script(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool Empty() const { return m_at >= m_size; }
  std::uint8_t Next() { return m_at < m_size ? m_data[m_at++] : 0; }
  std::span<const std::uint8_t> Take(std::size_t n) {
    n = std::min(n, m_size - std::min(m_at, m_size));
    const std::span<const std::uint8_t> bytes(m_data + m_at, n);
    m_at += n;
    return bytes;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_at = 0;
};

// The radio: splits what the engine sends into commands and answers each one as the
// script says.
class ScriptedRadio {
 public:
  ScriptedRadio(Script& script, TransferState& state) : m_script(script), m_state(state) {}

  void OnByte(MemoryLinkPort& port, std::uint8_t byte) {
    CheckProgress();
    m_pending[m_pendingSize++] = byte;
    const std::uint8_t first = m_pending[0];
    std::size_t needed = 1;
    if (first == kEntryCommand[0]) needed = kEntryCommand.size();
    if (first == kReadCommand) needed = kReadRequestSize;
    if (first == kDataFrameTag) needed = kDataFrameSize;
    if (m_pendingSize < needed) return;

    // The correct answer, built in place: this runs for every command of a run, and heap
    // blocks here would cost more than the engine itself.
    Reply correct;
    if (first == kEntryCommand[0]) {
      if (std::equal(kEntryCommand.begin(), kEntryCommand.end(), m_pending.begin())) correct.Add(kAck);
    } else if (first == kIdentifyRequest) {
      for (std::uint8_t b : {std::uint8_t{0x01}, kIdentMark, std::uint8_t{0x37}, kIdentMark, std::uint8_t{0x51}}) {
        correct.Add(b);
      }
    } else if (first == kReadCommand) {
      const int address = (m_pending[1] << 8) | m_pending[2];
      for (int i = 0; i < 4; ++i) correct.Add(i == 0 ? kDataFrameTag : m_pending[i]);
      for (int i = 0; i < kBlockSize; ++i) correct.Add(RadioByte(address + i));
    } else if (first == kDataFrameTag || first == kAck) {
      correct.Add(kAck);
    }
    m_pendingSize = 0;
    if (correct.size > 0) Answer(port, correct);
  }

 private:
  struct Reply {
    std::array<std::uint8_t, kDataFrameSize> bytes{};
    std::size_t size = 0;
    void Add(std::uint8_t b) { bytes[size++] = b; }
  };

  void Answer(MemoryLinkPort& port, Reply reply) {
    if (m_script.Empty()) return port.Reply(reply.bytes.data(), reply.size);
    const std::uint8_t action = m_script.Next();
    const int arg = action >> 3;
    switch (action & 7) {
      case 0: case 1: case 2:  // on time
        return port.Reply(reply.bytes.data(), reply.size, arg);
      case 3:  // nothing; at two values also a pulled cable or the user's cancel
        if (arg == 31) port.Unplug();
        if (arg == 30) m_state.cancel.store(true);
        return;
      case 4:  // late, up to past every time-out of the protocol
        return port.Reply(reply.bytes.data(), reply.size, 40 + 4LL * m_script.Next());
      case 5:  // cut short
        return port.Reply(reply.bytes.data(), m_script.Next() % reply.size, arg);
      case 6: {  // another address, or another byte
        const std::uint8_t flip = m_script.Next() | 1;
        reply.bytes[reply.size > 2 ? 1 + (arg & 1) : 0] ^= flip;
        return port.Reply(reply.bytes.data(), reply.size, arg);
      }
      default: {  // any bytes
        const std::span<const std::uint8_t> bytes = m_script.Take(m_script.Next() % 25);
        return port.Reply(bytes.data(), bytes.size(), arg);
      }
    }
  }

  void CheckProgress() {
    const TransferStatus status = m_state.status.load();
    if (status != TransferStatus::XFER_READING && status != TransferStatus::XFER_WRITING) return;
    const int progress = m_state.progress.load();
    if (progress < 0 || progress > 100 || progress < m_lastProgress) std::abort();
    m_lastProgress = progress;
  }

  Script& m_script;
  TransferState& m_state;
  // The command being received; it is answered (and emptied) as soon as it is complete,
  // so it never holds more than a data frame.
  std::array<std::uint8_t, kDataFrameSize> m_pending{};
  std::size_t m_pendingSize = 0;
  int m_lastProgress = 0;
};

bool IsDataFrame(const Event& e, int* address) {
  if (e.kind != Event::kWrite || e.size != kDataFrameSize || e.data[0] != kDataFrameTag) return false;
  *address = (e.data[1] << 8) | e.data[2];
  return true;
}

void CheckRequestsAscend(const std::vector<Event>& events, bool isRead, int* highest) {
  *highest = -1;
  for (const Event& e : events) {
    int address = -1;
    if (isRead && e.kind == Event::kWrite && e.size == kReadRequestSize && e.data[0] == kReadCommand) {
      address = (e.data[1] << 8) | e.data[2];
      if (e.data[3] != kBlockSize) std::abort();
    } else if (!isRead && !IsDataFrame(e, &address)) {
      continue;
    }
    if (address < 0) continue;
    if (address % kBlockSize != 0 || address >= kTransferBytes || address < *highest) std::abort();
    *highest = address;
  }
}

void CheckRead(const TransferState& state, const std::vector<Event>& events, bool unplugged) {
  int highest = -1;
  CheckRequestsAscend(events, true, &highest);
  // Blocks after the last one requested, and the part that never travels, still hold
  // what the caller put there.
  const std::size_t untouched = highest < 0 ? 0 : static_cast<std::size_t>(highest + kBlockSize);
  if (std::memcmp(state.buffer.data() + untouched, Initial().fill.data(), kImageSize - untouched) != 0) {
    std::abort();
  }
  if (state.status.load() != TransferStatus::XFER_READ_DONE) return;
  // Every block: the last complete reply carrying its address, received while it was the
  // block asked for, holds the bytes now in the image.
  std::vector<const Event*> lastReply(kBlockCount, nullptr);
  int asked = -1;
  for (const Event& e : events) {
    if (e.kind == Event::kWrite && e.size == kReadRequestSize && e.data[0] == kReadCommand) {
      asked = (e.data[1] << 8) | e.data[2];
    } else if (e.kind == Event::kRead && e.size == kDataFrameSize && e.data[0] == kDataFrameTag &&
               asked >= 0 && ((e.data[1] << 8) | e.data[2]) == asked) {
      lastReply[asked / kBlockSize] = &e;
    }
  }
  for (int k = 0; k < kBlockCount; ++k) {
    if (!lastReply[k] || std::memcmp(lastReply[k]->data.data() + 4, state.buffer.data() + k * kBlockSize, kBlockSize) != 0) {
      std::abort();
    }
  }
  const Event* lastWrite = nullptr;
  for (const Event& e : events) {
    if (e.kind == Event::kWrite) lastWrite = &e;
  }
  // The end command went out last, unless the cable was pulled after the last block.
  if (!unplugged && (!lastWrite || !lastWrite->Is({kEndCommand}))) std::abort();
}

void CheckWrite(const TransferState& state, const std::vector<Event>& events, bool unplugged) {
  if (state.buffer != Initial().caller) std::abort();
  int highest = -1;
  CheckRequestsAscend(events, false, &highest);
  // Every frame sent carries the image's bytes for its address.
  for (const Event& e : events) {
    int address = 0;
    if (!IsDataFrame(e, &address)) continue;
    if (e.data[3] != kBlockSize || std::memcmp(e.data.data() + 4, state.buffer.data() + address, kBlockSize) != 0) {
      std::abort();
    }
  }
  if (state.status.load() != TransferStatus::XFER_WRITE_DONE) return;
  // Every block: its last frame was answered with 0x06 before the next write.
  std::vector<bool> acked(kBlockCount, false);
  int current = -1;
  for (const Event& e : events) {
    int address = 0;
    if (IsDataFrame(e, &address)) {
      current = address / kBlockSize;
      acked[current] = false;
    } else if (e.kind == Event::kWrite) {
      current = -1;
    } else if (e.kind == Event::kRead && current >= 0) {
      acked[current] = e.size != 0 && e.data[0] == kAck;
      current = -1;
    }
  }
  for (int k = 0; k < kBlockCount; ++k) {
    if (!acked[k]) std::abort();
  }
  // The end command, then the radio's time to store the image.
  std::size_t end = events.size();
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].kind == Event::kWrite) end = i;
  }
  if (unplugged) return;
  if (end == events.size() || !events[end].Is({kEndCommand})) std::abort();
  if (events.back().atMs - events[end].atMs < kSettleAfterWriteMs) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Script script(data, size);
  const std::uint8_t mode = script.Next();
  const bool isRead = (mode & 1) != 0;

  auto state = std::make_shared<TransferState>();
  auto port = std::make_shared<MemoryLinkPort>();
  state->port = port;
  state->device = "/dev/memory-radio";
  state->isRead = isRead;
  state->buffer = isRead ? Initial().fill : Initial().caller;
  if (mode & 2) port->Open(state->device, kBaudRate);  // the caller's port is already open
  if (mode & 4) port->RefuseOpen("No such file or directory");

  ScriptedRadio radio(script, *state);
  port->SetPeer([&radio](MemoryLinkPort& p, std::uint8_t byte) { radio.OnByte(p, byte); });
  TransferThreadProc(state);

  const bool cancelled = state->cancel.load();
  if (!cancelled && !IsTerminalStatus(state->status.load())) std::abort();
  // The longest possible run, every block on its last try after the longest time-out.
  if (port->NowMs() > 10LL * 60 * 1000) std::abort();
  if (isRead) {
    CheckRead(*state, port->Events(), port->IsUnplugged());
  } else {
    CheckWrite(*state, port->Events(), port->IsUnplugged());
  }
  if (state->status.load() == TransferStatus::XFER_PORT_ERROR && state->detail.empty()) std::abort();
  return 0;
}
