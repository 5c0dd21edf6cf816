// Making the link on real pseudo-terminals: stale bytes and the port search. The entry
// attempts and the identification are counted on the memory port (TransferMemoryPortTest).
// A silent port costs ten attempts (about 2.3 s), so these tests are few and each checks
// several things.
#include <gtest/gtest.h>

#include <thread>

#include "core/settings/ProfileFile.h"
#include "link/LinkTestSupport.h"

namespace qorrin::test {
namespace {

TEST(TransferConnect, StaleAcknowledgementIsDiscardedBeforeEachAttempt) {
  // The radio ignores the first entry command; a 0x06 already waiting in the queue must
  // not pass for its answer (that would send the identify request to a deaf radio).
  sim::SimFaults deafOnce;
  deafOnce.ignoreEntries = 1;
  auto radio = StartRadio(deafOnce);
  TempDir dir;
  dir.write("setting.ini", LinkSettings(1, false, {radio->DevicePath()}));
  auto state = NewTransfer(dir.file("setting.ini"), true);
  ASSERT_TRUE(state->port->Open(radio->DevicePath(), 9600));  // an open port is used as it is
  radio->Send({0x06});
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  RunTransfer(state);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_DONE);
  EXPECT_EQ(radio->EntryCommandsSeen(), 2);
}

TEST(TransferConnect, SearchTriesConfiguredPortThenAscendingAndStoresTheFind) {
  // COM1 names a missing device, COM2 and COM4 (the configured one) are silent, the radio
  // is on COM3, COM5 exists but must never be opened.
  sim::SimFaults silent;
  silent.silent = true;
  auto com2 = StartRadio(silent);
  auto com3 = StartRadio();
  auto com4 = StartRadio(silent);
  auto com5 = StartRadio(silent);
  TempDir dir;
  dir.write("setting.ini", LinkSettings(4, true, {dir.file("missing-tty"), com2->DevicePath(),
                                                  com3->DevicePath(), com4->DevicePath(), com5->DevicePath()}));
  auto state = NewTransfer(dir.file("setting.ini"), true);
  std::vector<int> searched;
  std::thread worker(TransferThreadProc, state);
  while (!IsTerminalStatus(state->status.load())) {
    if (state->status.load() == TransferStatus::XFER_SEARCHING &&
        (searched.empty() || searched.back() != state->progress.load())) {
      searched.push_back(state->progress.load());
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  worker.join();
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_READ_DONE);
  EXPECT_EQ(searched, (std::vector<int>{2, 3}));
  EXPECT_EQ(com4->EntryCommandsSeen(), 10);
  EXPECT_EQ(com2->EntryCommandsSeen(), 10);
  EXPECT_EQ(com3->EntryCommandsSeen(), 1);
  EXPECT_EQ(com5->BytesReceived(), 0);
  EXPECT_EQ(ReadProfileString("setup", "com", "", 8, dir.file("setting.ini")), "3");
  EXPECT_EQ(state->comPort.load(), 3);  // what backups and messages name from now on
  EXPECT_EQ(state->foundPort.load(), -1);
}

TEST(TransferConnect, MissingConfiguredPortFailsAtOnceAndCancelStopsTheSearch) {
  // Without the search no other port is touched.
  auto bystander = StartRadio();
  TempDir dir;
  dir.write("setting.ini", LinkSettings(2, false, {bystander->DevicePath()}));
  auto state = NewTransfer(dir.file("setting.ini"), true);
  auto start = Clock::now();
  RunTransfer(state);
  EXPECT_EQ(state->status.load(), TransferStatus::XFER_PORT_ERROR);
  EXPECT_LT(MillisSince(start), 1000);
  EXPECT_NE(state->detail.find("COM2"), std::string::npos);
  EXPECT_EQ(bystander->BytesReceived(), 0);

  // Search on, every port silent: Cancel ends the run within an attempt, with the port
  // closed, although the search had much more to try.
  sim::SimFaults silent;
  silent.silent = true;
  auto com1 = StartRadio(silent);
  auto com2 = StartRadio(silent);
  dir.write("setting.ini", LinkSettings(2, true, {com1->DevicePath(), com2->DevicePath()}));
  state = NewTransfer(dir.file("setting.ini"), true);
  std::thread worker(TransferThreadProc, state);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  start = Clock::now();
  state->cancel.store(true);
  state->port->Close();
  worker.join();
  EXPECT_LT(MillisSince(start), 1500);
  EXPECT_FALSE(state->port->IsOpen());
  EXPECT_FALSE(IsTerminalStatus(state->status.load()));
  EXPECT_EQ(com1->BytesReceived(), 0);
}

}  // namespace
}  // namespace qorrin::test
