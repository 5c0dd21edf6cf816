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
  std::tie(local.tm_year, local.tm_mon, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec) =
      std::tuple(year - 1900, month - 1, day, hour, minute, second);
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

  // Foreign files, even ones that look like a numbered backup, are never listed nor trimmed.
  dir.write("deep/backups/notes.txt", "mine");
  dir.write("deep/backups/2026-12-06_14-05-33_COM3_erase.7Q", "x");
  for (const char* number : {"", "x1", "99999999999"}) {
    dir.write(std::string("deep/backups/2026-12-06_14-05-33_COM3_read-") + number + ".7Q", "mine");
  }
  const std::vector<BackupEntry> list = ListBackups(folder);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(std::tuple(list[0].strFileName, list[0].strDate, list[0].strPort, list[0].strDirection),
            std::tuple("2026-12-06_14-05-34_pts-5_write.7Q", "2026-12-06 14:05:34", "pts-5", "write"));
  // The later of the two in one second first.
  EXPECT_EQ(std::tuple(list[0].nProgrammedChannels, list[1].nProgrammedChannels, list[2].nProgrammedChannels),
            std::tuple(7, 5, 3));

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
