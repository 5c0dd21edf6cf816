// The automatic backups and the verification after a write, against the simulated radio.
#include <gtest/gtest.h>

#include "core/transfer/TransferBackup.h"
#include "core/transfer/TransferRun.h"
#include "link/LinkTestSupport.h"

namespace qorrin::test {
namespace {

// The backups of good runs, their names and an unwritable folder are RadioCommandsTest's.
TEST(BackupVerifyTest, AWriteIsBackedUpFirstAndOnlyAVerifiedOneIsReadBack) {
  TempDir dir;
  TransferRequest request;
  request.isRead = false;
  request.verify = true;
  request.backupFolder = dir.file("backups");
  // A write is backed up before its first block, so the image meant for the radio is kept
  // even when the cable is pulled at once; a write that fails is not read back.
  auto broken = StartRadio([](sim::SimFaults& f) { f.unplugAfterBlocks = 0; });
  request.device = broken->DevicePath();  // no label: the backup is named by its device
  const auto meant = PatternImage(9);
  TransferRun failed(std::make_shared<CSerialPort>(), "", request, meant);
  failed.Execute();
  EXPECT_EQ(failed.Transfer().status.load(), TransferStatus::XFER_WRITE_FAIL);
  EXPECT_EQ(failed.Outcome().end, TransferEnd::WriteFailed);
  EXPECT_TRUE(failed.Outcome().notices.empty());
  EXPECT_EQ(failed.ReadBack()->status.load(), TransferStatus::XFER_IDLE);  // never begun
  EXPECT_FALSE(failed.Outcome().Verified());
  EXPECT_TRUE(failed.Outcome().differences.empty());
  const std::vector<BackupEntry> list = ListBackups(dir.file("backups"));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].strDirection, "write");
  EXPECT_EQ(list[0].strPort, BackupPortName(broken->DevicePath()));
  EXPECT_EQ(ReadFileBytes(list[0].strPath).substr(48), std::string(meant.begin(), meant.end()));

  // Without verification a completed write is not read back (a verified one is, and a
  // byte the radio would not take shows: TransferRunTest).
  request.backupLabel = "COM2";
  auto radio = StartRadio();
  request.device = radio->DevicePath();
  request.verify = false;
  TransferRun unverified(std::make_shared<CSerialPort>(), "", request, PatternImage(3));
  unverified.Execute();
  EXPECT_EQ(unverified.Outcome().end, TransferEnd::Written);
  EXPECT_EQ(unverified.ReadBack(), nullptr);
  EXPECT_EQ(ListBackups(dir.file("backups")).size(), 2u);
}

}  // namespace
}  // namespace qorrin::test
