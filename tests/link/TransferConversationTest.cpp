// Complete, undisturbed runs of the engine against the simulated radio: the exact bytes
// on the line, what lands where, and when the run ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "core/link/ProtocolFrames.h"
#include "link/LinkTestSupport.h"

namespace qorrin::test {
namespace {

const std::vector<std::uint8_t> kEntry = {0x05, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};

std::vector<std::uint8_t> Append(std::vector<std::uint8_t> bytes, std::initializer_list<std::uint8_t> more) {
  bytes.insert(bytes.end(), more);
  return bytes;
}

Clock::time_point TimeOfLastPcByte(const sim::SimRadio& radio) {
  Clock::time_point last{};
  for (const auto& logged : radio.Log()) {
    if (logged.fromPc) last = logged.time;
  }
  return last;
}

class TransferConversationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_radio = StartRadio({}, PatternImage(1));
    m_dir.write("setting.ini", LinkSettings(1, false, {m_radio->DevicePath()}));
  }
  TempDir m_dir;
  std::unique_ptr<sim::SimRadio> m_radio;
};

TEST_F(TransferConversationTest, ReadIsByteExactAndLeavesTheUntransferredTailAlone) {
  auto state = NewTransfer(m_dir.file("setting.ini"), true);
  state->buffer.fill(0xA5);
  RunTransfer(state);
  const auto ended = Clock::now();

  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_DONE);
  EXPECT_EQ(state->progress.load(), 100);
  const auto image = m_radio->Image();
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0x7F0, state->buffer.begin()));
  EXPECT_TRUE(std::all_of(state->buffer.begin() + 0x7F0, state->buffer.end(), [](auto b) { return b == 0xA5; }));

  std::vector<std::uint8_t> expected = Append(kEntry, {0x02, 0x06});
  for (int address = 0; address < 0x7F0; address += 16) {
    expected = Append(expected, {0x52, link::HighByte(address), link::LowByte(address), 0x10, 0x06});
  }
  expected.push_back(0x62);
  EXPECT_EQ(BytesFromPc(*m_radio, expected.size()), expected);
  // A read ends right after its end command (no settle time as after a write).
  const double tailMs = std::chrono::duration<double, std::milli>(ended - TimeOfLastPcByte(*m_radio)).count();
  EXPECT_LT(tailMs, 500);
  // The engine leaves the port open for its caller to close.
  EXPECT_TRUE(state->port->IsOpen());
}

TEST_F(TransferConversationTest, WriteIsByteExactAndSettlesBeforeItEnds) {
  auto state = NewTransfer(m_dir.file("setting.ini"), false);
  const auto written = PatternImage(2);
  std::copy(written.begin(), written.end(), state->buffer.begin());
  const auto before = m_radio->Image();
  RunTransfer(state);
  const auto ended = Clock::now();

  EXPECT_EQ(state->status.load(), TransferStatus::XFER_WRITE_DONE);
  EXPECT_EQ(state->progress.load(), 100);
  const auto image = m_radio->Image();
  EXPECT_TRUE(std::equal(written.begin(), written.begin() + 0x7F0, image.begin()));
  EXPECT_TRUE(std::equal(before.begin() + 0x7F0, before.end(), image.begin() + 0x7F0));

  std::vector<std::uint8_t> expected = Append(kEntry, {0x02, 0x06});
  for (int address = 0; address < 0x7F0; address += 16) {
    expected = Append(expected, {0x57, link::HighByte(address), link::LowByte(address), 0x10});
    expected.insert(expected.end(), written.begin() + address, written.begin() + address + 16);
  }
  expected.push_back(0x62);
  EXPECT_EQ(BytesFromPc(*m_radio, expected.size()), expected);
  const double settleMs = std::chrono::duration<double, std::milli>(ended - TimeOfLastPcByte(*m_radio)).count();
  EXPECT_GE(settleMs, 990);
  EXPECT_LT(settleMs, 5000);
}

TEST_F(TransferConversationTest, ProgressOnlyRisesAndTheDevicePathNeedsNoSettings) {
  // An explicit device: no "com" lookup, no search, nothing written to the settings.
  m_dir.write("setting.ini", "[setup]\ncom=7\nsearchcom=1\n[ports]\nenumerate=0\n");
  auto state = NewTransfer(m_dir.file("setting.ini"), true);
  state->device = m_radio->DevicePath();
  std::vector<int> seen;
  std::thread worker(TransferThreadProc, state);
  while (!IsTerminalStatus(state->status.load())) {
    if (state->status.load() == TransferStatus::XFER_READING) seen.push_back(state->progress.load());
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  worker.join();
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_DONE);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_FALSE(seen.empty());
  EXPECT_EQ(m_dir.read("setting.ini"), "[setup]\ncom=7\nsearchcom=1\n[ports]\nenumerate=0\n");
  // The published percentages: 0, 1, 2, 3, 3, 4, ... 98, 99, 100.
  EXPECT_EQ(link::BlockProgress(0), 0);
  EXPECT_EQ(link::BlockProgress(3), 3);
  EXPECT_EQ(link::BlockProgress(4), 3);
  EXPECT_EQ(link::BlockProgress(63), 50);
  EXPECT_EQ(link::BlockProgress(125), 99);
}

}  // namespace
}  // namespace qorrin::test
