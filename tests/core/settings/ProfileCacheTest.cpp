// Lookups keep the parsed file, yet every change on disk must show at the next lookup; a
// lookup of several keys takes them from one version of the file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "core/lang/LangText.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileCache.h"
#include "core/settings/ProfileFile.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

using test::TempDir;

std::string Value(const std::string& path) { return ReadProfileString("s", "k", "<none>", 100, path); }

// Overwrites the file in place (same inode, created if missing) with the modification time
// `seconds`.
void OverwriteInPlace(const std::string& path, const std::string& bytes, time_t seconds) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  const timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(::futimens(fd, times), 0);
  ::close(fd);
}

// With no slack a copy is trusted at once, so these checks see the stamps themselves at
// work: size, modification time, change time and inode.
class ProfileCacheStamps : public ::testing::Test {
 protected:
  void SetUp() override { SetProfileStampSlack(std::chrono::nanoseconds(0)); }
  void TearDown() override { SetProfileStampSlack(std::chrono::milliseconds(2500)); }
  TempDir m_dir;
};

TEST_F(ProfileCacheStamps, EveryKindOfChangeOnDiskIsSeen) {
  const std::string f = m_dir.file("t.ini");
  OverwriteInPlace(f, "[s]\nk=one\n", 1'000'000'000);
  EXPECT_EQ(Value(f), "one");
  EXPECT_EQ(Value(f), "one");

  // Same size, in place, another modification time.
  OverwriteInPlace(f, "[s]\nk=two\n", 1'000'000'001);
  EXPECT_EQ(Value(f), "two");

  // Same size, in place, and the old modification time put back (as `touch -r` or an
  // unpacked archive do): only the change time tells.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));  // past a clock tick
  OverwriteInPlace(f, "[s]\nk=six\n", 1'000'000'001);
  EXPECT_EQ(Value(f), "six");

  // An atomic replace by another program: a new inode with the same size and times.
  const std::string tmp = m_dir.file("t.ini.new");
  OverwriteInPlace(tmp, "[s]\nk=ten\n", 1'000'000'001);
  ASSERT_EQ(::rename(tmp.c_str(), f.c_str()), 0);
  EXPECT_EQ(Value(f), "ten");

  // Our own write, through another name of the same file.
  const std::string link = m_dir.file("link.ini");
  std::filesystem::create_symlink(f, link);
  EXPECT_EQ(Value(link), "ten");
  ASSERT_TRUE(WriteProfileString("s", "k", "written", f));
  EXPECT_EQ(Value(link), "written");
  ASSERT_TRUE(WriteProfileString("s", "k", "again", link));
  EXPECT_EQ(Value(f), "again");
}

TEST_F(ProfileCacheStamps, MissingOrUnreadableFileReadsAsFileWithoutTheKey) {
  const std::string f = m_dir.file("t.ini");
  m_dir.write("t.ini", "[s]\nk=here\n");
  EXPECT_EQ(Value(f), "here");
  std::filesystem::remove(f);
  EXPECT_EQ(Value(f), "<none>");
  EXPECT_EQ(ReadProfileInt("s", "k", 42, f), 42);
  std::filesystem::create_directory(f);  // a folder where the file was
  EXPECT_EQ(Value(f), "<none>");
  std::filesystem::remove(f);
  m_dir.write("t.ini", "[s]\nk=back\n");
  EXPECT_EQ(Value(f), "back");
  if (::geteuid() != 0) {  // root reads any file
    std::filesystem::permissions(f, std::filesystem::perms::none);
    EXPECT_EQ(Value(f), "<none>");
    std::filesystem::permissions(f, std::filesystem::perms::owner_all);
  }
}

// A snapshot keeps the version it was taken of. How values read is the one-key functions'
// test: they read through a snapshot of their own.
TEST_F(ProfileCacheStamps, ASnapshotKeepsItsVersion) {
  const std::string f = m_dir.file("t.ini");
  OverwriteInPlace(f, "[s]\nn= -12x\n", 1'000'000'000);
  const ProfileSnapshot first(f);
  EXPECT_EQ(first.Parsed(), ProfileSnapshot(f).Parsed());  // unchanged: the same copy

  // An edit of the same size in place: the old snapshot keeps its version, a new one and
  // the one-key functions see the edit.
  OverwriteInPlace(f, "[s]\nn= -13x\n", 1'000'000'001);
  const ProfileSnapshot second(f);
  EXPECT_NE(first.Parsed(), second.Parsed());
  EXPECT_EQ(first.ReadInt("s", "n", 7), -12);
  EXPECT_EQ(second.ReadInt("s", "n", 7), -13);
  EXPECT_EQ(ReadProfileInt("s", "n", 7, f), -13);

  std::filesystem::remove(f);
  EXPECT_EQ(ProfileSnapshot(f).Parsed(), nullptr);

  // The cache holds a bounded number of files: reading many others lets a file go, so
  // that it is read and parsed afresh at its next lookup.
  OverwriteInPlace(f, "[s]\nn=1\n", 1'000'000'002);
  const ProfileSnapshot kept(f);
  EXPECT_EQ(kept.Parsed(), ProfileSnapshot(f).Parsed());
  for (int i = 0; i < 100; ++i) {
    const std::string other = m_dir.file("other" + std::to_string(i) + ".ini");
    OverwriteInPlace(other, "[s]\nn=2\n", 1'000'000'000);
    EXPECT_EQ(ProfileSnapshot(other).ReadInt("s", "n", 0), 2);
  }
  EXPECT_NE(kept.Parsed(), ProfileSnapshot(f).Parsed());
}

// An option list comes whole from one version of the language file, and the next list
// sees an edit made between the two.
TEST_F(ProfileCacheStamps, OptionListsFollowTheLanguageFile) {
  g_strLangFile = m_dir.file("x.lang");
  OverwriteInPlace(g_strLangFile, "[Step]\n0=5K\n1=10K\n2=\n3=never\n[step]\n4=never\n", 1'000'000'000);
  EXPECT_EQ(LoadOptionList("Step"), (std::vector<std::string>{"5K", "10K"}));
  OverwriteInPlace(g_strLangFile, "[Step]\n0=5K\n1=10K\n2=x\n3=never\n[step]\n4=never\n", 1'000'000'001);
  EXPECT_EQ(LoadOptionList("step"), (std::vector<std::string>{"5K", "10K", "x", "never"}));
  std::filesystem::remove(g_strLangFile);
  EXPECT_TRUE(LoadOptionList("Step").empty());
}

// The key table the reader builds agrees with the rules of the line parser: case and
// blanks in names, the first section and first key of a name, sections that differ only
// in how a name splits between section and key, keys before any section.
TEST(ParsedProfile, FindsWhatTheLineRulesFind) {
  const ParsedProfile file(
      "k=orphan\n[Ab]\ncd=1\n CD =2\n[A]\nbcd=3\n[aB]\ncd=4\nnew=5\n[ x ]\n\"q\"=\" v \"\n[]\n=empty\n"
      "[Za]\nZz@[=6\n");
  EXPECT_EQ(file.Find("", "k"), std::nullopt);
  EXPECT_EQ(file.Find("AB", " cd\t"), "1");
  EXPECT_EQ(file.Find("a", "bcd"), "3");
  EXPECT_EQ(file.Find("ab", "new"), std::nullopt);  // in the second [aB], which never counts
  EXPECT_EQ(file.Find("abc", "d"), std::nullopt);
  EXPECT_EQ(file.Find("x", "\"q\""), " v ");
  EXPECT_EQ(file.Find("", ""), "empty");
  EXPECT_EQ(file.Find("x", "missing"), std::nullopt);
  EXPECT_EQ(file.Find("zA", "zZ@["), "6");  // both ends of the letters; '@' and '[' stay
  EXPECT_EQ(file.Find("za", "zz`{"), std::nullopt);
}

// Readers on several threads while another writes: each read gives one of the values
// written, and once the writer is done every reader sees the last. Run under
// ThreadSanitizer this also shows the cache is properly guarded.
TEST(ProfileCache, ReadersOnOtherThreadsSeeWholeValues) {
  TempDir dir;
  const std::string f = dir.file("t.ini");
  const std::string other = dir.file("u.ini");
  dir.write("t.ini", "[s]\nk=100\n");
  dir.write("u.ini", "[s]\nk=5\n");
  std::atomic<bool> done{false};
  std::atomic<int> bad{0};
  std::vector<std::thread> readers;
  for (int t = 0; t < 3; ++t) {
    readers.emplace_back([&, t] {
      while (!done.load()) {
        const int v = ReadProfileInt("s", "k", -1, t == 0 ? other : f);
        if (t == 0 ? v != 5 : (v < 100 || v > 140)) bad.fetch_add(1);
      }
      if (t != 0 && ReadProfileInt("s", "k", -1, f) != 140) bad.fetch_add(1);
    });
  }
  for (int i = 101; i <= 140; ++i) ASSERT_TRUE(WriteProfileString("s", "k", std::to_string(i), f));
  done.store(true);
  for (std::thread& r : readers) r.join();
  EXPECT_EQ(bad.load(), 0);
}

}  // namespace
}  // namespace qorrin
