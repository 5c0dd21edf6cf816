// The engine against simulated radios on pseudo-terminals: exact bytes, stale input, the
// port search and Cancel. Timing, retries and pulled cables: TransferMemoryPortTest; ports
// that name nothing: TransferRunTest.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "core/link/ProtocolFrames.h"
#include "core/settings/ProfileFile.h"
#include "link/LinkTestSupport.h"

namespace qorrin::test {
namespace {

const std::vector<std::uint8_t> kEntry = {0x05, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x02, 0x06};

// Runs the transfer on a worker, noting each new progress value of `status` until it ends.
std::vector<int> RunWatching(const std::shared_ptr<TransferState>& state, TransferStatus status) {
  std::thread worker(TransferThreadProc, state);
  std::vector<int> seen;
  while (!IsTerminalStatus(state->status.load())) {
    if (state->status.load() == status && (seen.empty() || seen.back() != state->progress.load())) {
      seen.push_back(state->progress.load());
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  worker.join();
  return seen;
}

// A read and a write by device path: no "com" lookup, no search, no settings written.
TEST(TransferOverPty, ReadAndWriteAreByteExactAndLeaveTheTailAlone) {
  auto radio = StartRadio([](sim::SimFaults& f) { f.ignoreEntries = 1; });
  TempDir dir;
  const std::string settings = "[setup]\ncom=7\nsearchcom=1\n[ports]\nenumerate=0\n";
  auto state = NewTransfer(dir, settings, true);
  state->device = radio->DevicePath();
  state->buffer.fill(0xA5);
  // An open port is used as it is; a stale 0x06 must not pass for the ignored entry's answer.
  ASSERT_TRUE(state->port->Open(radio->DevicePath(), 9600));
  radio->Send({0x06});
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const std::vector<int> seen = RunWatching(state, TransferStatus::XFER_READING);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_DONE);
  EXPECT_EQ(radio->EntryCommandsSeen(), 2);
  EXPECT_FALSE(seen.empty());
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  const auto before = radio->Image();
  EXPECT_TRUE(std::equal(before.begin(), before.begin() + 0x7F0, state->buffer.begin()));
  EXPECT_TRUE(std::all_of(state->buffer.begin() + 0x7F0, state->buffer.end(), [](auto b) { return b == 0xA5; }));
  std::vector<std::uint8_t> expected(kEntry.begin(), kEntry.begin() + 8);
  expected.insert(expected.end(), kEntry.begin(), kEntry.end());
  for (int address = 0; address < 0x7F0; address += 16) {
    expected.insert(expected.end(), {0x52, link::HighByte(address), link::LowByte(address), 0x10, 0x06});
  }
  expected.push_back(0x62);
  EXPECT_EQ(BytesFromPc(*radio, expected.size()), expected);
  EXPECT_TRUE(state->port->IsOpen());  // left open for its caller to close
  state->port->Close();
  EXPECT_EQ(dir.read("setting.ini"), settings);

  state = NewTransfer(dir, settings, false);
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

// Cancel comes from another thread, and the port is closed under the worker's wait.
TEST(TransferOverPty, SearchFindsTheRadioOnlyWhenOnAndCancelStopsTheSearchOrTheBlocks) {
  // COM1 is missing, COM2 and COM4 are silent, COM3 answers, COM5 is never opened.
  const auto silent = [](sim::SimFaults& f) { f.silent = true; };
  auto com2 = StartRadio(silent), com3 = StartRadio(), com4 = StartRadio(silent), com5 = StartRadio(silent);
  TempDir dir;
  const std::vector<std::string> ports = {dir.file("missing-tty"), com2->DevicePath(), com3->DevicePath(),
                                          com4->DevicePath(), com5->DevicePath()};
  // The configured COM4 first, then upwards from COM1.
  auto state = NewTransfer(dir, LinkSettings(4, true, ports), true);
  const std::vector<int> searched = RunWatching(state, TransferStatus::XFER_SEARCHING);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_DONE);
  EXPECT_EQ(searched, (std::vector<int>{2, 3}));
  EXPECT_EQ(com4->EntryCommandsSeen(), 10);
  EXPECT_EQ(com2->EntryCommandsSeen(), 10);
  EXPECT_EQ(com3->EntryCommandsSeen(), 1);
  EXPECT_EQ(com5->BytesReceived(), 0);
  EXPECT_EQ(ReadProfileString("setup", "com", "", 8, dir.file("setting.ini")), "3");
  EXPECT_EQ(state->comPort.load(), 3);  // what backups and messages name from now on
  EXPECT_EQ(state->foundPort.load(), -1);

  // Every port silent: Cancel ends the search within an attempt, port closed, COM1 untried.
  state = NewTransfer(dir, LinkSettings(2, true, {com5->DevicePath(), com2->DevicePath()}), true);
  std::thread searching(TransferThreadProc, state);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  auto start = Clock::now();
  state->cancel.store(true);
  state->port->Close();
  searching.join();
  EXPECT_LT(MillisSince(start), 1500);
  EXPECT_FALSE(state->port->IsOpen());
  EXPECT_FALSE(IsTerminalStatus(state->status.load()));
  EXPECT_EQ(com5->BytesReceived(), 0);

  // Mid-read on a paced radio, Cancel stops after the current block though the caller has gone.
  auto paced = StartRadio({}, PatternImage(1), 9600);
  state = NewTransfer(dir, LinkSettings(1, false, {paced->DevicePath()}), true);
  std::weak_ptr<TransferState> watch = state;
  std::thread reading(TransferThreadProc, state);
  while (state->status.load() != TransferStatus::XFER_READING || state->progress.load() < 5) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  start = Clock::now();
  state->cancel.store(true);
  state->port->Close();
  state.reset();  // the caller goes away without waiting; the worker keeps the record
  reading.join();
  EXPECT_LT(MillisSince(start), 1000);
  EXPECT_TRUE(watch.expired());
  const auto bytes = BytesFromPc(*paced);
  EXPECT_NE(bytes.back(), 0x62);
  const std::vector<std::uint8_t> block32 = {0x52, 0x02, 0x00, 0x10};
  EXPECT_EQ(std::search(bytes.begin(), bytes.end(), block32.begin(), block32.end()), bytes.end());
}

}  // namespace
}  // namespace qorrin::test
