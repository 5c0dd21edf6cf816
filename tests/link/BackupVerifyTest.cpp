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

TEST(BackupVerifyTest, ReadIsBackedUpAfterItAndWriteBeforeItsFirstBlockEvenWhenItFails) {
  TempDir dir;
  const std::string folder = dir.file("backups");
  auto radio = StartRadio({}, PatternImage(4));
  auto read = NewTransfer("", true);
  read->device = radio->DevicePath();
  AttachBackups(*read, "COM7", folder);
  RunTransfer(read);
  ASSERT_EQ(read->status.load(), TransferStatus::XFER_READ_DONE);
  EXPECT_TRUE(read->notices.empty());
  std::vector<BackupEntry> list = ListBackups(folder);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].strPort, "COM7");
  EXPECT_EQ(list[0].strDirection, "read");
  auto expected = read->buffer;
  EXPECT_EQ(ImageInBackup(list[0].strPath), expected);
  read->port->Close();

  // The cable is pulled before the first block: the image meant for the radio is kept.
  sim::SimFaults unplug;
  unplug.unplugAfterBlocks = 0;
  auto broken = StartRadio(unplug);
  auto write = NewTransfer("", false);
  write->device = broken->DevicePath();
  write->buffer = Bytes(PatternImage(9));
  AttachBackups(*write, {}, folder);  // named by its device
  RunTransfer(write);
  EXPECT_EQ(write->status.load(), TransferStatus::XFER_WRITE_FAIL);
  list = ListBackups(folder);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].strDirection, "write");
  EXPECT_EQ(list[0].strPort, BackupPortName(broken->DevicePath()));
  EXPECT_EQ(ImageInBackup(list[0].strPath), Bytes(PatternImage(9)));
  write->port->Close();

  // A backup that cannot be written is a notice; the transfer goes on and succeeds.
  dir.write("blocker", "a file where the folder should be");
  auto radio2 = StartRadio({}, PatternImage(5));
  auto again = NewTransfer("", true);
  again->device = radio2->DevicePath();
  AttachBackups(*again, "COM1", dir.file("blocker/backups"));
  RunTransfer(again);
  EXPECT_EQ(again->status.load(), TransferStatus::XFER_READ_DONE);
  ASSERT_EQ(again->notices.size(), 1u);
  EXPECT_NE(again->notices[0].find("backup not saved"), std::string::npos) << again->notices[0];
  again->port->Close();
}

TEST(BackupVerifyTest, VerificationCatchesABlockStoredWronglyAndPassesAGoodRadio) {
  TempDir dir;
  sim::SimFaults faults;
  faults.corruptedWrites.push_back({0x300});
  auto liar = StartRadio(faults, PatternImage(1));
  auto good = StartRadio({}, PatternImage(1));
  TransferRequest request;
  request.isRead = false;
  request.verify = true;
  request.backupLabel = "COM2";
  request.backupFolder = dir.file("backups");
  for (sim::SimRadio* radio : {liar.get(), good.get()}) {
    auto port = std::make_shared<CSerialPort>();
    request.device = radio->DevicePath();
    TransferRun run(port, "", request, Bytes(PatternImage(2)));
    run.Execute();
    EXPECT_EQ(run.Transfer().status.load(), TransferStatus::XFER_WRITE_DONE);
    ASSERT_TRUE(run.ReadBackComplete());
    EXPECT_EQ(&run.Current(), run.ReadBack());
    EXPECT_EQ(run.ReadImage(), nullptr);  // a write yields no image for the document
    EXPECT_FALSE(port->IsOpen());
    const std::vector<ImageDifference> differences = run.Differences();
    if (radio == liar.get()) {
      ASSERT_EQ(differences.size(), 1u);
      EXPECT_EQ(differences[0].nFirst, 0x300u);
      EXPECT_EQ(differences[0].nLast, 0x300u);
      EXPECT_EQ(differences[0].actual[0], PatternImage(2)[0x300] ^ 1);
    } else {
      EXPECT_TRUE(differences.empty());
    }
  }
  // Write and read-back each left a backup: two per radio.
  EXPECT_EQ(ListBackups(dir.file("backups")).size(), 4u);

  // A write that fails is not read back.
  sim::SimFaults deaf;
  deaf.droppedWriteAcks.push_back({0x10});
  auto broken = StartRadio(deaf);
  request.device = broken->DevicePath();
  TransferRun run(std::make_shared<CSerialPort>(), "", request, Bytes(PatternImage(2)));
  run.Execute();
  EXPECT_EQ(run.Transfer().status.load(), TransferStatus::XFER_WRITE_FAIL);
  EXPECT_FALSE(run.ReadBackBegun());
  EXPECT_FALSE(run.ReadBackComplete());
  EXPECT_TRUE(run.Differences().empty());
}

}  // namespace
}  // namespace qorrin::test
