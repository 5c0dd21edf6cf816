// The automatic backups and the verification after a write, on a real pseudo-terminal
// against the simulated radio.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/backup/TransferBackup.h"
#include "core/link/TransferRun.h"
#include "link/LinkTestSupport.h"

namespace qorrin::test {
namespace {

namespace fs = std::filesystem;

std::array<std::uint8_t, kImageSize> Bytes(const sim::RadioImage& image) {
  std::array<std::uint8_t, kImageSize> bytes;
  std::copy(image.begin(), image.end(), bytes.begin());
  return bytes;
}

std::array<std::uint8_t, kImageSize> ImageInBackup(const std::string& path) {
  const std::string file = ReadFileBytes(path);
  std::array<std::uint8_t, kImageSize> image{};
  EXPECT_EQ(file.size(), 4144u);
  if (file.size() == 4144u) std::copy(file.begin() + 48, file.end(), image.begin());
  return image;
}

// A write is backed up before its first block, so the image meant for the radio is kept
// even when the cable is pulled at once. The backups of good runs, their names and a
// folder that cannot be written are RadioCommandsTest's (through qorrin-cli).
TEST(BackupVerifyTest, WriteIsBackedUpBeforeItsFirstBlockEvenWhenItFails) {
  TempDir dir;
  sim::SimFaults unplug;
  unplug.unplugAfterBlocks = 0;
  auto broken = StartRadio(unplug);
  auto write = NewTransfer("", false);
  write->device = broken->DevicePath();
  write->buffer = Bytes(PatternImage(9));
  AttachBackups(*write, {}, dir.file("backups"));  // named by its device
  RunTransfer(write);
  EXPECT_EQ(write->status.load(), TransferStatus::XFER_WRITE_FAIL);
  EXPECT_TRUE(write->notices.empty());
  const std::vector<BackupEntry> list = ListBackups(dir.file("backups"));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].strDirection, "write");
  EXPECT_EQ(list[0].strPort, BackupPortName(broken->DevicePath()));
  EXPECT_EQ(ImageInBackup(list[0].strPath), Bytes(PatternImage(9)));
  write->port->Close();
}

// A radio that stores nothing wrongly passes on the command line (RadioCommandsTest).
TEST(BackupVerifyTest, VerificationCatchesABlockStoredWronglyAndSkipsAFailedWrite) {
  TempDir dir;
  sim::SimFaults faults;
  faults.corruptedWrites.push_back({0x300});
  auto liar = StartRadio(faults, PatternImage(1));
  TransferRequest request;
  request.isRead = false;
  request.verify = true;
  request.backupLabel = "COM2";
  request.backupFolder = dir.file("backups");
  request.device = liar->DevicePath();
  auto port = std::make_shared<CSerialPort>();
  TransferRun run(port, "", request, Bytes(PatternImage(2)));
  run.Execute();
  EXPECT_EQ(run.Transfer().status.load(), TransferStatus::XFER_WRITE_DONE);
  ASSERT_TRUE(run.ReadBackComplete());
  EXPECT_EQ(&run.Current(), run.ReadBack());
  EXPECT_EQ(run.ReadImage(), nullptr);  // a write yields no image for the document
  EXPECT_FALSE(port->IsOpen());
  const std::vector<ImageDifference> differences = run.Differences();
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_EQ(differences[0].nFirst, 0x300u);
  EXPECT_EQ(differences[0].nLast, 0x300u);
  EXPECT_EQ(differences[0].actual[0], PatternImage(2)[0x300] ^ 1);
  EXPECT_EQ(ListBackups(dir.file("backups")).size(), 2u);  // the write and its read-back

  // A write that fails is not read back.
  sim::SimFaults deaf;
  deaf.droppedWriteAcks.push_back({0x10});
  auto broken = StartRadio(deaf);
  request.device = broken->DevicePath();
  TransferRun failed(std::make_shared<CSerialPort>(), "", request, Bytes(PatternImage(2)));
  failed.Execute();
  EXPECT_EQ(failed.Transfer().status.load(), TransferStatus::XFER_WRITE_FAIL);
  EXPECT_FALSE(failed.ReadBackBegun());
  EXPECT_FALSE(failed.ReadBackComplete());
  EXPECT_TRUE(failed.Differences().empty());
}

}  // namespace
}  // namespace qorrin::test
