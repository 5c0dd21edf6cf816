// Runs of the engine against the simulated radio over a real pseudo-terminal: the exact
// bytes on the line, what lands where, and Cancel. Pauses, time-outs, retries and a
// pulled cable are checked on the memory port (TransferMemoryPortTest).
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "core/link/ProtocolFrames.h"
#include "link/LinkTestSupport.h"

namespace qorrin::test {
namespace {

const std::vector<std::uint8_t> kEntry = {0x05, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x02, 0x06};

// A read and then a write of the same radio, both by device path: no "com" lookup, no
// search, nothing written to the settings.
TEST(TransferConversation, ReadAndWriteAreByteExactAndLeaveTheTailAlone) {
  auto radio = StartRadio({}, PatternImage(1));
  TempDir dir;
  const std::string settings = "[setup]\ncom=7\nsearchcom=1\n[ports]\nenumerate=0\n";
  dir.write("setting.ini", settings);
  auto state = NewTransfer(dir.file("setting.ini"), true);
  state->device = radio->DevicePath();
  state->buffer.fill(0xA5);
  std::vector<int> seen;
  std::thread worker(TransferThreadProc, state);
  while (!IsTerminalStatus(state->status.load())) {
    if (state->status.load() == TransferStatus::XFER_READING) seen.push_back(state->progress.load());
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  worker.join();
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_DONE);
  EXPECT_FALSE(seen.empty());
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  const auto before = radio->Image();
  EXPECT_TRUE(std::equal(before.begin(), before.begin() + 0x7F0, state->buffer.begin()));
  EXPECT_TRUE(std::all_of(state->buffer.begin() + 0x7F0, state->buffer.end(), [](auto b) { return b == 0xA5; }));
  std::vector<std::uint8_t> expected = kEntry;
  for (int address = 0; address < 0x7F0; address += 16) {
    expected.insert(expected.end(), {0x52, link::HighByte(address), link::LowByte(address), 0x10, 0x06});
  }
  expected.push_back(0x62);
  EXPECT_EQ(BytesFromPc(*radio, expected.size()), expected);
  EXPECT_TRUE(state->port->IsOpen());  // left open for its caller to close
  state->port->Close();
  EXPECT_EQ(dir.read("setting.ini"), settings);

  state = NewTransfer(dir.file("setting.ini"), false);
  state->device = radio->DevicePath();
  const auto written = PatternImage(2);
  std::copy(written.begin(), written.end(), state->buffer.begin());
  RunTransfer(state);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_WRITE_DONE);
  EXPECT_EQ(state->progress.load(), 100);
  const auto image = radio->Image();
  EXPECT_TRUE(std::equal(written.begin(), written.begin() + 0x7F0, image.begin()));
  EXPECT_TRUE(std::equal(before.begin() + 0x7F0, before.end(), image.begin() + 0x7F0));
  expected.insert(expected.end(), kEntry.begin(), kEntry.end());
  for (int address = 0; address < 0x7F0; address += 16) {
    expected.insert(expected.end(), {0x57, link::HighByte(address), link::LowByte(address), 0x10});
    expected.insert(expected.end(), written.begin() + address, written.begin() + address + 16);
  }
  expected.push_back(0x62);
  EXPECT_EQ(BytesFromPc(*radio, expected.size()), expected);
}

// Cancel from another thread while blocks are moving on the real port.
TEST(TransferConversation, CancelStopsTheTransferAfterTheCurrentBlockEvenWhenTheCallerHasGone) {
  // The radio is paced like the real cable, so the read is surely still running.
  sim::SimConfig config;
  config.paceBaud = 9600;
  config.keepLog = true;
  sim::SimRadio radio(config, PatternImage(1));
  ASSERT_TRUE(radio.Start());
  TempDir dir;
  dir.write("setting.ini", LinkSettings(1, false, {radio.DevicePath()}));
  auto state = NewTransfer(dir.file("setting.ini"), true);
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
  const std::vector<std::uint8_t> block32 = {0x52, 0x02, 0x00, 0x10};
  EXPECT_EQ(std::search(bytes.begin(), bytes.end(), block32.begin(), block32.end()), bytes.end());
}

}  // namespace
}  // namespace qorrin::test
