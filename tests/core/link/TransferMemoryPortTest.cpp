// The transfer engine on a memory port with a virtual clock: pauses and time-outs in virtual ms.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "core/link/MemoryLinkPort.h"
#include "core/link/MemoryRadio.h"
#include "core/link/ProtocolFrames.h"
#include "core/link/ProtocolSteps.h"
#include "core/link/ProtocolTimings.h"
#include "core/link/TransferState.h"

namespace qorrin {
namespace {

using namespace qorrin::link;
using Event = MemoryLinkPort::Event;
using Radio = test::MemoryRadio;
using test::Writes;

std::shared_ptr<TransferState> RunAgainst(Radio& radio, bool isRead, std::shared_ptr<MemoryLinkPort>& port) {
  auto state = std::make_shared<TransferState>();
  port = radio.Port();
  state->port = port;
  state->device = "/dev/memory";
  state->isRead = isRead;
  state->buffer.fill(0xEE);
  TransferThreadProc(state);
  return state;
}

// Three tries a block; lasting trouble fails the run without the end command, keeping what came.
TEST(TransferMemoryPort, ABlockHasThreeTries) {
  for (const Radio::Trouble trouble : {Radio::kShort, Radio::kMisaddressed, Radio::kNoAck}) {
    for (const int tries : {-1, 2}) {
      SCOPED_TRACE(testing::Message() << "trouble " << trouble << ", tries " << tries);
      Radio radio;
      radio.badBlock = 16;
      radio.badTries = tries;
      radio.trouble = trouble;
      const bool isRead = trouble != Radio::kNoAck;
      std::shared_ptr<MemoryLinkPort> port;
      auto state = RunAgainst(radio, isRead, port);
      EXPECT_EQ(Writes(*port, {isRead ? kReadCommand : kDataFrameTag, 0x01, 0x00, 16}), 3);
      EXPECT_EQ(Writes(*port, {kEndCommand}), tries < 0 ? 0 : 1);
      if (!isRead) {
        EXPECT_EQ(state->status.load(), tries < 0 ? TransferStatus::XFER_WRITE_FAIL : TransferStatus::XFER_WRITE_DONE);
        continue;
      }
      EXPECT_EQ(state->status.load(), tries < 0 ? TransferStatus::XFER_READ_FAIL : TransferStatus::XFER_READ_DONE);
      const int good = tries < 0 ? 0x100 : kTransferBytes;
      for (int a = 0; a < good; ++a) ASSERT_EQ(state->buffer[a], static_cast<std::uint8_t>(a)) << a;
      EXPECT_EQ(state->buffer[good], 0xEE);
    }
  }
}

// The pauses after opening, before each entry byte and after a write; whole percentages; a
// reply arriving at the time-out is retried after its tail is discarded, never taken apart.
TEST(TransferMemoryPort, PausesLateRepliesEntryIdentificationAndPulledCable) {
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

  radio = Radio();  // its memory as it was: the write above changed it
  radio.lateBlock = 5;
  state = RunAgainst(radio, true, port);
  ASSERT_EQ(state->status.load(), TransferStatus::XFER_READ_DONE);
  for (int a = 0; a < kTransferBytes; ++a) ASSERT_EQ(state->buffer[a], static_cast<std::uint8_t>(a)) << a;
  EXPECT_EQ(state->buffer[kTransferBytes], 0xEE);
  EXPECT_EQ(Writes(*port, {kReadCommand, 0x00, 0x50, 16}), 2);  // the retry waited for the late reply to end
  EXPECT_TRUE(port->Events().back().kind == Event::kWrite && port->Events().back().Is({kEndCommand}));
  EXPECT_EQ(state->progress.load(), 100);
  const std::pair<int, int> percentAfterBlock[] = {{0, 0}, {3, 3}, {4, 3}, {63, 50}, {125, 99}};
  for (const auto& [block, percent] : percentAfterBlock) EXPECT_EQ(BlockProgress(block), percent) << block;

  // Ten entry attempts, then a port error naming the device; the ident needs two marks in
  // its first twelve bytes; a pulled cable fails a read.
  Radio late;
  late.ignoreEntries = kEntryAttempts - 1;
  EXPECT_EQ(RunAgainst(late, true, port)->status.load(), TransferStatus::XFER_READ_DONE);
  EXPECT_EQ(Writes(*port, {kEntryCommand[0], 'P'}), kEntryAttempts);
  Radio deaf;
  deaf.ignoreEntries = kEntryAttempts;
  state = RunAgainst(deaf, true, port);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_PORT_ERROR);
  EXPECT_NE(state->detail.find("/dev/memory"), std::string::npos);
  EXPECT_EQ(Writes(*port, {}), kEntryAttempts);
  EXPECT_GE(port->NowMs(), kSettleAfterOpenMs + kEntryAttempts * (8 * kEntryBytePauseMs + kEntryAckTimeoutMs));

  Radio lateMark;
  lateMark.ident = {'V', 'L', 'M', '7', 'Q', 'N', 'x', 'x', 'x', 'x', 'x', 'x', 'N'};  // 2nd mark is 13th
  EXPECT_EQ(RunAgainst(lateMark, true, port)->status.load(), TransferStatus::XFER_TYPE_ERROR);
  Radio chatty;
  chatty.ident = {'N', 'N', 'x', 'y', 'z'};
  EXPECT_EQ(RunAgainst(chatty, true, port)->status.load(), TransferStatus::XFER_READ_DONE);

  Radio unplugged;
  unplugged.unplugAtBlock = 39;
  state = RunAgainst(unplugged, true, port);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_FAIL);
  EXPECT_EQ(state->buffer[39 * kBlockSize], 0xEE);
}

// An answered single entry attempt hands the radio to a run that goes on to identify it.
TEST(TransferMemoryPort, ASingleAttemptAndARunThatGoesOnFromIt) {
  Radio radio;
  radio.ignoreEntries = 1;
  auto port = radio.Port();
  ASSERT_TRUE(port->Open("/dev/memory", kBaudRate));
  port->Reply({kAck});  // stale: must not pass for an answer
  EXPECT_NE(SendEntryCommand(*port), kAck);
  EXPECT_GE(port->NowMs(), 8 * kEntryBytePauseMs + kEntryAckTimeoutMs);
  ASSERT_EQ(SendEntryCommand(*port), kAck);
  const std::size_t before = port->Events().size();

  auto state = std::make_shared<TransferState>();
  state->port = port;
  state->device = "/dev/memory";
  state->isRead = true;
  state->entered = true;
  TransferThreadProc(state);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_DONE);
  EXPECT_EQ(Writes(*port, {kEntryCommand[0], 'P'}), 2);  // the two attempts, no more
  const Event& first = port->Events()[before];
  EXPECT_TRUE(first.kind == Event::kWrite && first.Is({kIdentifyRequest}));  // no open, no settling
  SendEndCommand(*port);
  EXPECT_TRUE(port->Events().back().Is({kEndCommand}));
}

}  // namespace
}  // namespace qorrin
