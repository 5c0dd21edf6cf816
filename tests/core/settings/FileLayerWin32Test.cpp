// The Windows file layer: atomic replace, settings, backups and the program folder, in a
// folder named in Chinese (UTF-8 names all the way to the wide Win32 calls).
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <filesystem>

#include "core/backup/BackupStore.h"
#include "core/platform/SystemCalls.h"
#include "core/platform/Utf8Path.h"
#include "core/settings/AppPaths.h"
#include "core/settings/AtomicFile.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/ProfileText.h"
#include "core/settings/ProgramFolder.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(platform::PathUtf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

class FileLayerWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = m_dir.path() / platform::Utf8Path("电台 设置");
    fs::create_directories(m_folder);
    m_utf8 = platform::PathUtf8(m_folder);
  }
  std::string In(const std::string& name) const { return m_utf8 + "\\" + name; }

  test::TempDir m_dir;
  fs::path m_folder;
  std::string m_utf8;
};

TEST_F(FileLayerWin32, AtomicReplaceLeavesOneCompleteFileAndClearsDeadWritersTemporaries) {
  const std::string target = In("频道.7Q");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(target, "first", &error)) << error;
  ASSERT_TRUE(WriteFileAtomically(target, "second, longer", &error)) << error;
  EXPECT_EQ(ReadWholeFile(target).value_or(""), "second, longer");
  EXPECT_EQ(Names(m_folder), std::vector<std::string>{"频道.7Q"});

  // A temporary of a process that is gone is removed by the next write; our own is not.
  const std::string dead = ".频道.7Q.tmp999999-0";
  const std::string ours = ".频道.7Q.tmp" + std::to_string(platform::CurrentProcessId()) + "-999";
  ASSERT_EQ(platform::CreateNewFile(In(dead)), 0);
  ASSERT_EQ(platform::CreateNewFile(In(ours)), 0);
  ASSERT_TRUE(WriteFileAtomically(target, "third", &error)) << error;
  EXPECT_EQ(Names(m_folder), (std::vector<std::string>{ours, "频道.7Q"}));
  EXPECT_EQ(platform::CreateNewFile(In(ours)), EEXIST);

  // A read-only target is refused and kept as it was, with nothing left beside it.
  fs::remove(platform::Utf8Path(In(ours)));
  ASSERT_TRUE(::SetFileAttributesW(platform::Utf8Path(target).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteFileAtomically(target, "fourth", &error));
  EXPECT_NE(error.find(target + ": it is read-only"), std::string::npos) << error;
  EXPECT_EQ(ReadWholeFile(target).value_or(""), "third");
  EXPECT_EQ(Names(m_folder), std::vector<std::string>{"频道.7Q"});
  ::SetFileAttributesW(platform::Utf8Path(target).c_str(), FILE_ATTRIBUTE_NORMAL);

  // A folder is never replaced.
  EXPECT_EQ(DescribeNonRegularFile(m_utf8), "a folder");
  EXPECT_FALSE(WriteFileAtomically(m_utf8, "x", &error));
  EXPECT_NE(error.find("a folder"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_directory(m_folder));
}

TEST_F(FileLayerWin32, SettingsReadBackEachWriteAndKeepTheRestOfTheFile) {
  const std::string ini = In("setting.ini");
  test::WriteFileBytes(platform::Utf8Path(ini), "[setup]\r\nlanguage=english\r\n");
  for (int port : {3, 12, 4}) {
    ASSERT_TRUE(WriteProfileString("setup", "com", std::to_string(port), ini));
    EXPECT_EQ(ReadProfileInt("setup", "com", 1, ini), port);
  }
  EXPECT_EQ(ReadWholeFile(ini).value_or(""), "[setup]\r\nlanguage=english\r\ncom=4\r\n");
  // A change by another program (same size, same second) is seen too.
  test::WriteFileBytes(platform::Utf8Path(ini), "[setup]\r\nlanguage=english\r\ncom=9\r\n");
  EXPECT_EQ(ReadProfileInt("setup", "com", 1, ini), 9);
  EXPECT_EQ(ReadProfileInt("setup", "com", 1, In("missing.ini")), 1);
}

TEST_F(FileLayerWin32, BackupsGoUnderLocalAppDataAndListBackFromAnyFolder) {
  const std::string local = platform::EnvironmentText("LOCALAPPDATA");
  ASSERT_FALSE(local.empty());
  EXPECT_EQ(BackupFolder(), platform::PathUtf8(platform::Utf8Path(local) / "Qorrin" / "backups"));

  std::array<std::uint8_t, kImageSize> image;
  image.fill(0xFF);  // no channel programmed
  const BackupResult saved = SaveBackup(image, "COM12", BackupDirection::Write, In("备份"));
  ASSERT_TRUE(saved.bOk) << saved.strError;
  const std::vector<BackupEntry> listed = ListBackups(In("备份"));
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].strPath, saved.strPath);
  EXPECT_EQ(listed[0].strPort, "COM12");
  EXPECT_EQ(listed[0].strDirection, "write");
  EXPECT_EQ(listed[0].nProgrammedChannels, 0);
}

TEST_F(FileLayerWin32, AProgramFolderThatCannotBeWrittenUsesTheUsersCopyUnderAppData) {
  test::TempDir appData;
  const std::string savedAppData = platform::EnvironmentText("APPDATA");
  _wputenv_s(L"APPDATA", appData.path().c_str());
  test::WriteFileBytes(m_folder / "setting.ini", "[setup]\r\nlanguage=chinese\r\n");

  std::string error;
  ASSERT_TRUE(InitProgramPaths(m_utf8, &error)) << error;
  EXPECT_EQ(g_strAppDir, m_utf8);
  EXPECT_EQ(g_strIniFile, In("setting.ini"));  // writable: the folder's own
  EXPECT_EQ(g_strLangFile, In("chinese.lang"));

  const fs::path shipped = m_folder / "setting.ini";
  ASSERT_TRUE(::SetFileAttributesW(shipped.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(InitProgramPaths(m_utf8, &error)) << error;
  const std::string copy = platform::PathUtf8(appData.path() / "Qorrin" / "setting.ini");
  EXPECT_EQ(g_strIniFile, copy);
  EXPECT_TRUE(WriteProfileString("setup", "com", "5", g_strIniFile));
  EXPECT_EQ(ReadProfileInt("setup", "com", 1, copy), 5);
  ::SetFileAttributesW(shipped.c_str(), FILE_ATTRIBUTE_NORMAL);

  _wputenv_s(L"APPDATA", platform::Utf8Path(savedAppData).c_str());
  EXPECT_EQ(platform::Utf8Path(ExecutableFolder()).filename(), fs::path(L"bin"));
}

}  // namespace
}  // namespace qorrin
