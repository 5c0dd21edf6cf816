#include "core/backup/BackupStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "core/model/CQorrinDoc.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using Clock = std::chrono::system_clock;

std::array<std::uint8_t, kImageSize> ImageWithChannels(int programmed) {
  std::array<std::uint8_t, kImageSize> image{};
  image.fill(0xFF);
  for (int ch = 1; ch <= programmed; ++ch) image[ch * 16 + 3] = 0x14;  // 14x.xxxxx MHz
  return image;
}

// A moment in local time, as the names show it.
Clock::time_point At(int year, int month, int day, int hour, int minute, int second) {
  std::tm local{};
  local.tm_sec = second;
  local.tm_min = minute;
  local.tm_hour = hour;
  local.tm_mday = day;
  local.tm_mon = month - 1;
  local.tm_year = year - 1900;
  local.tm_isdst = -1;
  return Clock::from_time_t(std::mktime(&local));
}

TEST(BackupStoreTest, NamesAreUniqueOpenAsProjectFilesAndListNewestFirst) {
  TempDir dir;
  const std::string folder = dir.file("deep/backups");  // created on demand
  const auto when = At(2026, 12, 6, 14, 5, 33);
  BackupResult a = SaveBackup(ImageWithChannels(3), "COM3", BackupDirection::Read, folder, when);
  BackupResult b = SaveBackup(ImageWithChannels(5), "COM3", BackupDirection::Read, folder, when);
  BackupResult c = SaveBackup(ImageWithChannels(7), "/dev/pts/5", BackupDirection::Write, folder, when + std::chrono::seconds(1));
  ASSERT_TRUE(a.bOk && b.bOk && c.bOk) << a.strError << b.strError << c.strError;
  EXPECT_EQ(fs::path(a.strPath).filename(), "2026-12-06_14-05-33_COM3_read.7Q");
  EXPECT_EQ(fs::path(b.strPath).filename(), "2026-12-06_14-05-33_COM3_read-2.7Q");
  EXPECT_EQ(fs::path(c.strPath).filename(), "2026-12-06_14-05-34_pts-5_write.7Q");

  CQorrinDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(b.strPath).ok());
  EXPECT_EQ(fs::file_size(b.strPath), kProjectFileSize);
  EXPECT_EQ(doc.Image(), ImageWithChannels(5));

  // Foreign files in the folder are neither listed nor counted (so never trimmed away),
  // also those that only look like a backup with a number.
  dir.write("deep/backups/notes.txt", "mine");
  dir.write("deep/backups/2026-12-06_14-05-33_COM3_erase.7Q", "x");
  for (const char* number : {"", "x1", "99999999999"}) {
    dir.write(std::string("deep/backups/2026-12-06_14-05-33_COM3_read-") + number + ".7Q", "mine");
  }
  const std::vector<BackupEntry> list = ListBackups(folder);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].strFileName, "2026-12-06_14-05-34_pts-5_write.7Q");
  EXPECT_EQ(list[0].strDate, "2026-12-06 14:05:34");
  EXPECT_EQ(list[0].strPort, "pts-5");
  EXPECT_EQ(list[0].strDirection, "write");
  EXPECT_EQ(list[0].nProgrammedChannels, 7);
  EXPECT_EQ(list[1].nProgrammedChannels, 5);  // the later of the two in one second
  EXPECT_EQ(list[2].nProgrammedChannels, 3);

  // A damaged backup is listed as such, not skipped and not fatal.
  dir.write("deep/backups/2026-12-06_14-05-35_COM1_read.7Q", "short");
  EXPECT_EQ(ListBackups(folder)[0].nProgrammedChannels, -1);
  EXPECT_TRUE(ListBackups(dir.file("missing")).empty());

  // A stable name, or a link outside /dev, is known by its own name.
  EXPECT_EQ(BackupPortName("/dev/serial/by-id/usb-FTDI_x:1"), "usb-FTDI-x-1");
  EXPECT_EQ(BackupPortName("/tmp/qorrin-sim.Ab3/LINK"), "LINK");
  EXPECT_EQ(BackupPortName("/dev/ttyUSB0"), "ttyUSB0");
  EXPECT_EQ(BackupPortName(""), "port");
}

TEST(BackupStoreTest, AFullFolderIsTrimmedOldestFirstAndManySavesAtOnceLoseNothing) {
  TempDir dir;
  const std::string folder = dir.file("backups");
  const auto start = At(2026, 1, 1, 8, 0, 0);
  for (int i = 0; i < kBackupsKept; ++i) {
    ASSERT_TRUE(SaveBackup(ImageWithChannels(1), "COM1", BackupDirection::Read, folder, start + std::chrono::seconds(i)).bOk);
  }
  dir.write("backups/keep-me.7Q", "the user's own file");
  ASSERT_EQ(ListBackups(folder).size(), static_cast<std::size_t>(kBackupsKept));
  // Two more: the two oldest go, the user's file stays.
  ASSERT_TRUE(SaveBackup(ImageWithChannels(2), "COM1", BackupDirection::Write, folder, start + std::chrono::hours(1)).bOk);
  ASSERT_TRUE(SaveBackup(ImageWithChannels(2), "COM1", BackupDirection::Write, folder, start + std::chrono::hours(1)).bOk);
  const std::vector<BackupEntry> list = ListBackups(folder);
  ASSERT_EQ(list.size(), static_cast<std::size_t>(kBackupsKept));
  EXPECT_EQ(list.front().strFileName, "2026-01-01_09-00-00_COM1_write-2.7Q");
  EXPECT_EQ(list.back().strFileName, "2026-01-01_08-00-02_COM1_read.7Q");
  EXPECT_TRUE(fs::exists(dir.file("backups/keep-me.7Q")));

  // Eight radios finishing in the same second on one port name: eight files.
  const std::string burst = dir.file("burst");
  std::vector<std::thread> threads;
  for (int i = 0; i < 8; ++i) {
    threads.emplace_back([&] { EXPECT_TRUE(SaveBackup(ImageWithChannels(4), "COM2", BackupDirection::Write, burst, start).bOk); });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(ListBackups(burst).size(), 8u);
}

TEST(BackupStoreTest, FolderFollowsXdgDataHomeAndAnUnwritableFolderIsAnErrorNotACrash) {
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string before = saved ? saved : "";
  setenv("XDG_DATA_HOME", "/srv/data", 1);
  EXPECT_EQ(BackupFolder(), "/srv/data/qorrin/backups");
  setenv("XDG_DATA_HOME", "relative/path", 1);  // not absolute: ignored
  EXPECT_EQ(BackupFolder(), std::string(std::getenv("HOME")) + "/.local/share/qorrin/backups");
  if (saved) setenv("XDG_DATA_HOME", before.c_str(), 1); else unsetenv("XDG_DATA_HOME");

  TempDir dir;
  dir.write("file", "x");
  BackupResult result = SaveBackup(ImageWithChannels(1), "COM1", BackupDirection::Read, dir.file("file/backups"));
  EXPECT_FALSE(result.bOk);
  EXPECT_NE(result.strError.find("backup folder"), std::string::npos) << result.strError;
  if (geteuid() != 0) {  // root writes anywhere
    fs::create_directory(dir.file("locked"));
    chmod(dir.file("locked").c_str(), 0500);
    result = SaveBackup(ImageWithChannels(1), "COM1", BackupDirection::Read, dir.file("locked"));
    EXPECT_FALSE(result.bOk);
    EXPECT_TRUE(fs::is_empty(dir.file("locked")));
    chmod(dir.file("locked").c_str(), 0700);
  }
}

}  // namespace
}  // namespace qorrin
