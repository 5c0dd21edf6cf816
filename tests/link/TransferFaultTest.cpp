// Runs that go wrong once the link is made: short, misaddressed and unacknowledged
// blocks, a cable pulled in the middle, and Cancel while blocks are moving.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <thread>

#include "link/LinkTestSupport.h"

namespace qorrin::test {
namespace {

int RequestsFor(const sim::SimRadio& radio, std::uint8_t command, int address) {
  const auto bytes = BytesFromPc(radio);
  int count = 0;
  for (std::size_t i = 0; i + 3 < bytes.size(); ++i) {
    if (bytes[i] == command && bytes[i + 1] == (address >> 8) && bytes[i + 2] == (address & 0xFF) &&
        bytes[i + 3] == 0x10) {
      ++count;
    }
  }
  return count;
}

bool SentEndCommand(const sim::SimRadio& radio) {
  const auto bytes = BytesFromPc(radio);
  return !bytes.empty() && bytes.back() == 0x62;
}

class TransferFaultTest : public ::testing::Test {
 protected:
  std::shared_ptr<TransferState> Run(sim::SimFaults faults, bool isRead) {
    m_radio = StartRadio(std::move(faults), PatternImage(1));
    m_dir.write("setting.ini", LinkSettings(1, false, {m_radio->DevicePath()}));
    auto state = NewTransfer(m_dir.file("setting.ini"), isRead);
    state->buffer.fill(isRead ? 0xA5 : 0x3C);
    RunTransfer(state);
    return state;
  }
  TempDir m_dir;
  std::unique_ptr<sim::SimRadio> m_radio;
};

TEST_F(TransferFaultTest, ShortRepliesFailTheReadAfterThreeTries) {
  sim::SimFaults faults;
  faults.shortReplies.push_back({0x100});
  auto state = Run(faults, true);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_FAIL);
  EXPECT_EQ(RequestsFor(*m_radio, 0x52, 0x100), 3);
  EXPECT_EQ(RequestsFor(*m_radio, 0x52, 0x110), 0);
  EXPECT_FALSE(SentEndCommand(*m_radio));
  const auto image = m_radio->Image();
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0x100, state->buffer.begin()));
  EXPECT_TRUE(std::all_of(state->buffer.begin() + 0x100, state->buffer.end(), [](auto b) { return b == 0xA5; }));
}

TEST_F(TransferFaultTest, ThreeMisaddressedRepliesAreAFailureNotASkippedBlock) {
  sim::SimFaults faults;
  faults.misaddressed.push_back({0x200});
  auto state = Run(faults, true);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_FAIL);
  EXPECT_EQ(RequestsFor(*m_radio, 0x52, 0x200), 3);
  EXPECT_FALSE(SentEndCommand(*m_radio));
}

TEST_F(TransferFaultTest, BadRepliesThatRecoverWithinThreeTriesStillGiveTheRightImage) {
  sim::SimFaults faults;
  faults.shortReplies.push_back({0x100, 1, 2});  // first two tries short
  faults.misaddressed.push_back({0x200, 1, 1});  // first try misaddressed
  auto state = Run(faults, true);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_DONE);
  const auto image = m_radio->Image();
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0x7F0, state->buffer.begin()));
  EXPECT_EQ(RequestsFor(*m_radio, 0x52, 0x100), 3);
  EXPECT_EQ(RequestsFor(*m_radio, 0x52, 0x200), 2);
}

TEST_F(TransferFaultTest, UnacknowledgedBlockFailsTheWriteAndTheRadioKeepsWhatCame) {
  sim::SimFaults faults;
  faults.droppedWriteAcks.push_back({0x300});
  faults.droppedWriteAcks.push_back({0x400, 1, 2});  // never reached
  auto state = Run(faults, false);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_WRITE_FAIL);
  EXPECT_EQ(RequestsFor(*m_radio, 0x57, 0x300), 3);
  EXPECT_FALSE(SentEndCommand(*m_radio));
  const auto image = m_radio->Image();
  const auto before = PatternImage(1);
  EXPECT_TRUE(std::all_of(image.begin(), image.begin() + 0x310, [](auto b) { return b == 0x3C; }));
  EXPECT_TRUE(std::equal(before.begin() + 0x310, before.end(), image.begin() + 0x310));

  // One lost acknowledgement is made good by the next try.
  faults.droppedWriteAcks = {{0x300, 1, 1}};
  state = Run(faults, false);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_WRITE_DONE);
}

TEST_F(TransferFaultTest, PulledCableEndsTheReadAsFailedWithoutSpinning) {
  sim::SimFaults faults;
  faults.unplugAfterBlocks = 10;
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  const auto start = Clock::now();
  auto state = Run(faults, true);
  const double wallMs = MillisSince(start);
  rusage after{};
  getrusage(RUSAGE_SELF, &after);
  const double cpuMs = (after.ru_utime.tv_sec - before.ru_utime.tv_sec) * 1e3 +
                       (after.ru_utime.tv_usec - before.ru_utime.tv_usec) / 1e3 +
                       (after.ru_stime.tv_sec - before.ru_stime.tv_sec) * 1e3 +
                       (after.ru_stime.tv_usec - before.ru_stime.tv_usec) / 1e3;
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_FAIL);
  EXPECT_TRUE(m_radio->Unplugged());
  EXPECT_LT(cpuMs, wallMs / 2);
  EXPECT_FALSE(state->port->IsOpen() && state->port->Write(std::array<std::uint8_t, 1>{0x06}.data(), 1, 0, false));
}

TEST_F(TransferFaultTest, CancelStopsTheTransferAfterTheCurrentBlockEvenWhenTheCallerHasGone) {
  // The radio is paced like the real cable, so the read is surely still running.
  sim::SimConfig config;
  config.paceBaud = 9600;
  config.keepLog = true;
  sim::SimRadio radio(config, PatternImage(1));
  ASSERT_TRUE(radio.Start());
  m_dir.write("setting.ini", LinkSettings(1, false, {radio.DevicePath()}));
  auto state = NewTransfer(m_dir.file("setting.ini"), true);
  std::weak_ptr<TransferState> watch = state;
  std::thread worker(TransferThreadProc, state);
  while (state->status.load() != TransferStatus::XFER_READING || state->progress.load() < 5) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  const auto start = Clock::now();
  state->cancel.store(true);
  state->port->Close();
  state.reset();  // the caller goes away without waiting; the worker keeps the record
  worker.join();
  EXPECT_LT(MillisSince(start), 1000);
  EXPECT_TRUE(watch.expired());
  const auto bytes = BytesFromPc(radio);
  EXPECT_NE(bytes.back(), 0x62);
  EXPECT_LT(RequestsFor(radio, 0x52, 0x200), 1);
}

}  // namespace
}  // namespace qorrin::test
