// The connection check's conversation on a memory port: it writes nothing, and ends every radio.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "core/link/MemoryRadio.h"
#include "core/transfer/LineTalk.h"

namespace qorrin {
namespace {

using test::MemoryRadio;
using test::Writes;

int EndCommands(const MemoryLinkPort& port) { return Writes(port, {link::kEndCommand}); }

// A line that answers the end of each entry command with these bytes.
std::shared_ptr<MemoryLinkPort> Answering(std::vector<std::uint8_t> reply) {
  return std::make_shared<MemoryLinkPort>([reply](MemoryLinkPort& p, std::uint8_t b) {
    if (b == link::kEntryCommand.back()) p.Reply(reply.data(), reply.size());
  });
}

// Our radio is identified and its band block read; one that does not identify, or whose
// band block will not come, still gets its end command.
TEST(LineTalk, OurRadioIsIdentifiedAndItsBandBlockRead) {
  MemoryRadio radio;
  radio.ignoreEntries = 2;
  auto port = radio.Port();
  const LineTalk talk = TalkToRadio(*port, "/dev/memory");
  EXPECT_TRUE(talk.opened);
  EXPECT_EQ(talk.attempts, 3);
  EXPECT_TRUE(talk.acknowledged);
  EXPECT_TRUE(talk.identified);
  EXPECT_EQ(talk.ident, radio.ident);
  ASSERT_TRUE(talk.blockRead);
  EXPECT_TRUE(std::equal(talk.block.begin(), talk.block.end(), radio.memory.begin() + kBandBlockAddress));
  EXPECT_EQ(EndCommands(*port), 1);
  EXPECT_EQ(Writes(*port, {link::kDataFrameTag}), 0);
  EXPECT_FALSE(port->IsOpen());

  MemoryRadio stranger;
  stranger.ident = {'X', 'N', 'Y'};
  port = stranger.Port();
  const LineTalk other = TalkToRadio(*port, "/dev/memory");
  EXPECT_TRUE(other.acknowledged);
  EXPECT_FALSE(other.identified);
  EXPECT_FALSE(other.blockRead);
  EXPECT_EQ(other.ident, stranger.ident);
  EXPECT_EQ(Writes(*port, {link::kReadCommand}), 0);
  EXPECT_EQ(EndCommands(*port), 1);

  MemoryRadio unreadable;
  unreadable.badBlock = kBandBlockAddress / link::kBlockSize;
  unreadable.badTries = 2;  // the third try brings it
  port = unreadable.Port();
  EXPECT_TRUE(TalkToRadio(*port, "/dev/memory").blockRead);
  unreadable.badTries = -1;
  port = unreadable.Port();
  EXPECT_FALSE(TalkToRadio(*port, "/dev/memory").blockRead);
  EXPECT_EQ(Writes(*port, {link::kReadCommand}), link::kBlockAttempts);
  EXPECT_EQ(EndCommands(*port), 1);
}

// Echoes and noise are settled after three attempts (a radio behind the echo is noted and
// ended); silence takes all ten and ends no one; a cancel stops; a closed port says why.
TEST(LineTalk, EchoesNoiseSilenceCancelAndAPortThatDoesNotOpen) {
  // After the echo: nothing, a radio's acknowledgement, or a byte that is none.
  for (const int after : {-1, int{link::kAck}, 0x55}) {
    SCOPED_TRACE(after);
    const bool radioBehind = after == link::kAck;
    auto port = std::make_shared<MemoryLinkPort>([after](MemoryLinkPort& p, std::uint8_t b) {
      p.Reply({b});
      if (after >= 0 && b == link::kEntryCommand.back()) p.Reply({static_cast<std::uint8_t>(after)});
    });
    const LineTalk talk = TalkToRadio(*port, "/dev/memory");
    EXPECT_EQ(talk.attempts, 3);
    EXPECT_EQ(talk.echoedAttempts, 3);
    EXPECT_EQ(talk.noisyAttempts, 0);
    EXPECT_FALSE(talk.acknowledged);
    EXPECT_EQ(talk.radioBehindEcho, radioBehind);
    EXPECT_TRUE(std::equal(link::kEntryCommand.begin(), link::kEntryCommand.end(), talk.heard.begin()));
    EXPECT_EQ(talk.heard.size(), link::kEntryCommand.size() + (after >= 0 ? 1 : 0));
    EXPECT_EQ(EndCommands(*port), radioBehind ? 1 : 0);
  }

  // Noise (zero bytes too, as a radio at another speed sends them) is kept up to 32 bytes.
  auto noisy = Answering({0x00, 0x80, 0xF8});
  const LineTalk noise = TalkToRadio(*noisy, "/dev/memory");
  EXPECT_EQ(noise.attempts, 3);
  EXPECT_EQ(noise.noisyAttempts, 3);
  EXPECT_EQ(noise.heard, (std::vector<std::uint8_t>{0x00, 0x80, 0xF8}));
  EXPECT_EQ(TalkToRadio(*Answering(std::vector<std::uint8_t>(40, 0x55)), "/dev/memory").heard.size(), 32u);
  // One byte that happens to start our entry command is noise; two are an echo.
  for (const std::size_t echoed : {1, 2}) {
    const auto stray = Answering({link::kEntryCommand.begin(), link::kEntryCommand.begin() + echoed});
    const LineTalk talk = TalkToRadio(*stray, "/dev/memory");
    EXPECT_EQ(talk.echoedAttempts, echoed == 2 ? 3 : 0) << echoed;
    EXPECT_EQ(talk.noisyAttempts, echoed == 2 ? 0 : 3) << echoed;
  }

  auto silent = std::make_shared<MemoryLinkPort>();
  const LineTalk silence = TalkToRadio(*silent, "/dev/memory");
  EXPECT_EQ(silence.attempts, link::kEntryAttempts);
  EXPECT_FALSE(silence.cancelled);
  EXPECT_TRUE(silence.heard.empty());
  EXPECT_EQ(EndCommands(*silent), 0);

  std::atomic<bool> cancel{true};
  const LineTalk cancelled = TalkToRadio(*silent, "/dev/memory", &cancel);
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_EQ(cancelled.attempts, 0);

  auto refusing = std::make_shared<MemoryLinkPort>();
  refusing->RefuseOpen("Device or resource busy");
  const LineTalk closed = TalkToRadio(*refusing, "/dev/memory");
  EXPECT_FALSE(closed.opened);
  EXPECT_EQ(closed.openError, "cannot open /dev/memory: Device or resource busy");
  EXPECT_EQ(closed.attempts, 0);
}

}  // namespace
}  // namespace qorrin
