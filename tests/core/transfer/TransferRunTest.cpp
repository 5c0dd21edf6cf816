// Whole runs on a memory port (time-outs pass in virtual time).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/backup/BackupStore.h"
#include "core/link/MemoryLinkPort.h"
#include "core/link/MemoryRadio.h"
#include "core/transfer/TransferRun.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

using test::MemoryRadio;

// A read that ends without its bytes gives no image for the document.
TEST(TransferRun, NoImageWithoutACompleteRead) {
  test::TempDir dir;
  TransferRequest request;
  request.device = "/dev/memory";
  request.backupFolder = dir.file("backups");
  TransferRun run(std::make_shared<MemoryLinkPort>(), dir.file("setting.ini"), request, TransferRun::Image{});
  EXPECT_EQ(run.ReadImage(), nullptr);
  run.Execute();
  ASSERT_TRUE(run.Finished());
  EXPECT_EQ(run.Outcome().end, TransferEnd::NoAnswer);
  EXPECT_EQ(run.ReadImage(), nullptr);
}

// A device path wins over a port number, a number alone is its [ports] device, else the
// configured port (searched from); the outcome and the backup name what was used.
TEST(TransferRun, TheDeviceOrNumberGivenOrTheConfiguredPortIsUsedAndNamed) {
  test::TempDir dir;
  dir.write("setting.ini", "[setup]\ncom=2\nsearchcom=1\n[ports]\nenumerate=0\n2=/dev/memory-two\n3=/dev/memory-three\n");
  struct Case {
    const char* device;
    int port;
    const char* opened;
    int outcomePort;
    bool searched;
    const char* backupPort;  // the port's name in the read's backup
  } cases[] = {
      {"/dev/memory-given", 3, "/dev/memory-given", 0, false, "memory-given"},
      {"", 3, "/dev/memory-three", 3, false, "COM3"},
      {"", 0, "/dev/memory-two", 2, true, "COM2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "device '" << c.device << "', port " << c.port);
    MemoryRadio radio;
    auto port = radio.Port();
    TransferRequest request;
    request.device = c.device;
    request.port = c.port;
    request.backupFolder = dir.file("backups-" + std::to_string(&c - cases));
    TransferRun run(port, dir.file("setting.ini"), request, TransferRun::Image{});
    run.Execute();
    EXPECT_EQ(port->Device(), c.opened);
    const std::vector<BackupEntry> backups = ListBackups(request.backupFolder);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].strPort, c.backupPort);
    const TransferOutcome& outcome = run.Outcome();
    EXPECT_EQ(outcome.end, TransferEnd::Read);
    EXPECT_EQ(outcome.device, c.opened);
    EXPECT_EQ(outcome.port, c.outcomePort);
    EXPECT_EQ(outcome.searched, c.searched);
  }
}

// A read lays the radio's bytes over the given image (the tail never travels); a verified
// write is read back in a session of its own.
TEST(TransferRun, AReadGivesTheRadiosBytesAndAVerifiedWriteIsReadBack) {
  test::TempDir dir;
  TransferRun::Image given;
  given.fill(0xEE);
  MemoryRadio radio;
  TransferRequest read;
  read.device = "/dev/memory";
  read.backupFolder = dir.file("backups");
  TransferRun reading(radio.Port(), dir.file("setting.ini"), read, given);
  reading.Execute();
  ASSERT_NE(reading.ReadImage(), nullptr);
  const TransferRun::Image& image = *reading.ReadImage();
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + kLinkedImageSize, radio.memory.begin()));
  EXPECT_TRUE(std::all_of(image.begin() + kLinkedImageSize, image.end(), [](std::uint8_t b) { return b == 0xEE; }));
  EXPECT_EQ(dir.names().count("backups"), 1u);  // the read's automatic backup

  MemoryRadio target;
  auto port = target.Port();
  TransferRequest write;
  write.isRead = false;
  write.verify = true;
  write.device = "/dev/memory";
  write.backup = false;
  TransferRun writing(port, dir.file("setting.ini"), write, given);
  writing.Execute();
  EXPECT_EQ(writing.Outcome().end, TransferEnd::Verified);
  EXPECT_EQ(writing.ReadImage(), nullptr);
  ASSERT_NE(writing.ReadBack(), nullptr);
  EXPECT_EQ(test::Writes(*port, {link::kEntryCommand[0]}), 2);  // the write's session, then the read-back's
  EXPECT_EQ(test::Writes(*port, {link::kEndCommand}), 2);
  EXPECT_FALSE(port->IsOpen());
  EXPECT_TRUE(std::equal(given.begin(), given.begin() + kLinkedImageSize, target.memory.begin()));
}

}  // namespace
}  // namespace qorrin
