// The transfer engine on a port on memory with a virtual clock: the protocol's pauses and
// time-outs are checked in virtual milliseconds, and a whole run takes microseconds.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/link/MemoryLinkPort.h"
#include "core/link/ProtocolFrames.h"
#include "core/link/ProtocolTimings.h"
#include "core/link/TransferState.h"

namespace qorrin {
namespace {

using namespace qorrin::link;
using Event = MemoryLinkPort::Event;

// A radio that answers every command correctly; `late` delays the first reply to the
// read request of that block beyond the reply time-out.
struct Radio {
  int lateBlock = -1;
  std::vector<std::uint8_t> pending;
  void OnByte(MemoryLinkPort& port, std::uint8_t b) {
    pending.push_back(b);
    const std::size_t need = pending[0] == kEntryCommand[0] ? 8 : pending[0] == kReadCommand ? 4
                             : pending[0] == kDataFrameTag ? 20 : 1;
    if (pending.size() < need) return;
    if (pending[0] == kIdentifyRequest) {
      port.Reply({kIdentMark, kIdentMark});
    } else if (pending[0] == kReadCommand) {
      const int address = (pending[1] << 8) | pending[2];
      std::vector<std::uint8_t> reply = {kDataFrameTag, pending[1], pending[2], 16};
      for (int i = 0; i < 16; ++i) reply.push_back(static_cast<std::uint8_t>(address + i));
      const bool late = address / kBlockSize == lateBlock;
      lateBlock = late ? -1 : lateBlock;
      port.Reply(reply.data(), reply.size(), late ? kReadReplyTimeoutMs - 10 : 0);
    } else if (pending[0] != kEndCommand) {
      port.Reply({kAck});
    }
    pending.clear();
  }
};

std::shared_ptr<TransferState> RunAgainst(Radio& radio, bool isRead, std::shared_ptr<MemoryLinkPort>& port) {
  auto state = std::make_shared<TransferState>();
  port = std::make_shared<MemoryLinkPort>([&radio](MemoryLinkPort& p, std::uint8_t b) { radio.OnByte(p, b); });
  state->port = port;
  state->device = "/dev/memory";
  state->isRead = isRead;
  state->buffer.fill(0xEE);
  TransferThreadProc(state);
  return state;
}

// A reply that comes just before the time-out while its 20 bytes are still arriving
// must not be taken apart: the engine retries the block after discarding the late tail,
// and the image still holds every block's own bytes.
TEST(TransferMemoryPort, LateReplyTailIsDiscardedBeforeTheRetry) {
  Radio radio;
  radio.lateBlock = 5;
  std::shared_ptr<MemoryLinkPort> port;
  auto state = RunAgainst(radio, true, port);
  ASSERT_EQ(state->status.load(), TransferStatus::XFER_READ_DONE);
  for (int a = 0; a < kTransferBytes; ++a) ASSERT_EQ(state->buffer[a], static_cast<std::uint8_t>(a)) << a;
  EXPECT_EQ(state->buffer[kTransferBytes], 0xEE);
  int requestsForBlock5 = 0;
  for (const Event& e : port->Events()) {
    requestsForBlock5 += e.kind == Event::kWrite && e.Is({kReadCommand, 0x00, 0x50, 16}) ? 1 : 0;
  }
  EXPECT_EQ(requestsForBlock5, 2);  // the retry waited for the late reply to end
}

// The pauses the radio relies on: 100 ms after opening, 25 ms before each entry byte,
// and a full second after the end command of a write before the run reports success.
TEST(TransferMemoryPort, PausesAreKeptOnTheClock) {
  Radio radio;
  std::shared_ptr<MemoryLinkPort> port;
  auto state = RunAgainst(radio, false, port);
  ASSERT_EQ(state->status.load(), TransferStatus::XFER_WRITE_DONE);
  const std::vector<Event>& events = port->Events();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[0].kind, Event::kOpen);
  EXPECT_TRUE(events[1].kind == Event::kSleep && events[1].requested == kSettleAfterOpenMs);
  const auto entry = std::find_if(events.begin(), events.end(), [](const Event& e) {
    return e.kind == Event::kWrite && e.size == kEntryCommand.size();
  });
  ASSERT_NE(entry, events.end());
  EXPECT_EQ(entry->requested, kEntryBytePauseMs);
  EXPECT_GE(entry->atMs, kSettleAfterOpenMs + 8 * kEntryBytePauseMs);
  const Event& last = events.back();
  const Event& end = events[events.size() - 2];
  EXPECT_TRUE(end.kind == Event::kWrite && end.Is({kEndCommand}));
  EXPECT_TRUE(last.kind == Event::kSleep && last.atMs - end.atMs == kSettleAfterWriteMs);
}

// A silent radio: ten entry commands, each with its 50 ms wait, then a port error that
// names the device; a cable pulled in the middle of a read ends it as failed.
TEST(TransferMemoryPort, SilenceAndPulledCableEndTheRun) {
  std::shared_ptr<MemoryLinkPort> port;
  auto state = std::make_shared<TransferState>();
  port = std::make_shared<MemoryLinkPort>();
  state->port = port;
  state->device = "/dev/memory";
  TransferThreadProc(state);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_PORT_ERROR);
  EXPECT_NE(state->detail.find("/dev/memory"), std::string::npos);
  int entries = 0;
  for (const Event& e : port->Events()) entries += e.kind == Event::kWrite ? 1 : 0;
  EXPECT_EQ(entries, kEntryAttempts);
  EXPECT_GE(port->NowMs(), kSettleAfterOpenMs + kEntryAttempts * (8 * kEntryBytePauseMs + kEntryAckTimeoutMs));

  Radio radio;
  int blocks = 0;
  state = std::make_shared<TransferState>();
  port = std::make_shared<MemoryLinkPort>([&](MemoryLinkPort& p, std::uint8_t b) {
    if (b == kReadCommand && ++blocks == 40) p.Unplug();
    radio.OnByte(p, b);
  });
  state->port = port;
  state->device = "/dev/memory";
  state->buffer.fill(0xEE);
  TransferThreadProc(state);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_FAIL);
  EXPECT_EQ(state->buffer[39 * kBlockSize], 0xEE);
}

}  // namespace
}  // namespace qorrin
