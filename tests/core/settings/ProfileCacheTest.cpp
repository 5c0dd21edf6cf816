// Lookups keep the parsed file, yet every change on disk shows at the next lookup.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "core/settings/AppPaths.h"
#include "core/settings/ProfileCache.h"
#include "core/settings/ProfileFile.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

using test::TempDir;

std::string Value(const std::string& path) { return ReadProfileString("s", "k", "<none>", 100, path); }

// Overwrites the file in place (same inode, created if missing), modification time `seconds`.
void OverwriteInPlace(const std::string& path, const std::string& bytes, time_t seconds) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  const timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(::futimens(fd, times), 0);
  ::close(fd);
}

// With no slack a copy is trusted at once: these checks see the stamps themselves at work.
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

  // Same size, in place, old modification time put back (`touch -r`): only the change time tells.
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

// A snapshot keeps the version it was taken of.
TEST_F(ProfileCacheStamps, ASnapshotKeepsItsVersion) {
  const std::string f = m_dir.file("t.ini");
  OverwriteInPlace(f, "[s]\nn= -12x\n", 1'000'000'000);
  const ProfileSnapshot first(f);
  EXPECT_EQ(first.Parsed(), ProfileSnapshot(f).Parsed());  // unchanged: the same copy

  // A same-size edit in place: the old snapshot keeps its version, new lookups see the edit.
  OverwriteInPlace(f, "[s]\nn= -13x\n", 1'000'000'001);
  const ProfileSnapshot second(f);
  EXPECT_NE(first.Parsed(), second.Parsed());
  EXPECT_EQ(first.ReadInt("s", "n", 7), -12);
  EXPECT_EQ(second.ReadInt("s", "n", 7), -13);
  EXPECT_EQ(ReadProfileInt("s", "n", 7, f), -13);

  std::filesystem::remove(f);
  EXPECT_EQ(ProfileSnapshot(f).Parsed(), nullptr);

  // The cache is bounded: after many other files, a file is parsed afresh at its next lookup.
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

// The key table agrees with the line parser: case and blanks, first section and key of a name (a
// second [aB] never counts), section/key splits, keys before any section, '@' and '[' kept.
TEST(ParsedProfile, FindsWhatTheLineRulesFind) {
  const ParsedProfile file(
      "k=orphan\n[Ab]\ncd=1\n CD =2\n[A]\nbcd=3\n[aB]\ncd=4\nnew=5\n[ x ]\n\"q\"=\" v \"\n[]\n=empty\n"
      "[Za]\nZz@[=6\n");
  const std::tuple<const char*, const char*, std::optional<std::string_view>> finds[] = {
      {"", "k", std::nullopt}, {"AB", " cd\t", "1"}, {"a", "bcd", "3"}, {"ab", "new", std::nullopt},
      {"abc", "d", std::nullopt}, {"x", "\"q\"", " v "}, {"", "", "empty"}, {"x", "missing", std::nullopt},
      {"zA", "zZ@[", "6"}, {"za", "zz`{", std::nullopt}};
  for (const auto& [section, key, value] : finds) {
    EXPECT_EQ(file.Find(section, key), value) << section << "/" << key;
  }
}

// Readers on threads during writes see whole values, then the last (under TSan: guarded cache).
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
