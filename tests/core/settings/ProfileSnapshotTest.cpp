// A lookup that needs several keys takes them from one look at the file: one version of
// it, read as the one-key functions read it, and every later look sees later changes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "core/lang/LangText.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileCache.h"
#include "core/settings/ProfileFile.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

using test::TempDir;

// Rewrites the file in place (same inode) with the modification time `seconds`.
void Overwrite(const std::string& path, const std::string& bytes, time_t seconds) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  const timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(::futimens(fd, times), 0);
  ::close(fd);
}

// Without slack a parsed copy is trusted at once, so these checks show that the stamps,
// not a delay, make a change visible.
class ProfileSnapshotTest : public ::testing::Test {
 protected:
  void SetUp() override { SetProfileStampSlack(std::chrono::nanoseconds(0)); }
  void TearDown() override { SetProfileStampSlack(std::chrono::milliseconds(2500)); }
  TempDir m_dir;
};

TEST_F(ProfileSnapshotTest, ReadsAsTheOneKeyFunctionsAndKeepsItsVersion) {
  const std::string f = m_dir.file("t.ini");
  Overwrite(f, "[s]\nk=caf\xC3\xA9\nn= -12x\nbig=99999999999\n[s]\nk=second\n", 1'000'000'000);
  const ProfileSnapshot first(f);
  for (std::size_t buffer : {0u, 1u, 4u, 5u, 6u, 100u}) {
    EXPECT_EQ(first.ReadString("S", " K ", "dflt", buffer), ReadProfileString("S", " K ", "dflt", buffer, f)) << buffer;
  }
  EXPECT_EQ(first.ReadString("s", "k", "", 5), "caf");  // never half a character
  EXPECT_EQ(first.ReadString("s", "none", "dflt", 3), "df");
  EXPECT_EQ(first.ReadInt("s", "n", 7), -12);
  EXPECT_EQ(first.ReadInt("s", "big", 7), 2147483647);
  EXPECT_EQ(first.ReadInt("s", "none", 7), 7);
  EXPECT_EQ(first.Parsed(), ProfileSnapshot(f).Parsed());  // unchanged: the same copy

  // An edit of the same size in place: the old snapshot keeps its version, a new one and
  // the one-key functions see the edit.
  Overwrite(f, "[s]\nk=caf\xC3\xA8\nn= -13x\nbig=99999999999\n[s]\nk=second\n", 1'000'000'001);
  const ProfileSnapshot second(f);
  EXPECT_NE(first.Parsed(), second.Parsed());
  EXPECT_EQ(first.ReadInt("s", "n", 7), -12);
  EXPECT_EQ(second.ReadInt("s", "n", 7), -13);
  EXPECT_EQ(ReadProfileString("s", "k", "", 100, f), "caf\xC3\xA8");

  std::filesystem::remove(f);
  const ProfileSnapshot missing(f);
  EXPECT_EQ(missing.Parsed(), nullptr);
  EXPECT_EQ(missing.ReadString("s", "k", "dflt", 100), "dflt");
  EXPECT_EQ(missing.ReadInt("s", "n", 7), 7);
}

// An option list comes whole from one version of the language file, and the next list
// sees an edit made between the two.
TEST_F(ProfileSnapshotTest, OptionListsFollowTheLanguageFile) {
  g_strLangFile = m_dir.file("x.lang");
  Overwrite(g_strLangFile, "[Step]\n0=5K\n1=10K\n2=\n3=never\n[step]\n4=never\n", 1'000'000'000);
  EXPECT_EQ(LoadOptionList("Step"), (std::vector<std::string>{"5K", "10K"}));
  Overwrite(g_strLangFile, "[Step]\n0=5K\n1=10K\n2=x\n3=never\n[step]\n4=never\n", 1'000'000'001);
  EXPECT_EQ(LoadOptionList("step"), (std::vector<std::string>{"5K", "10K", "x", "never"}));
  std::filesystem::remove(g_strLangFile);
  EXPECT_TRUE(LoadOptionList("Step").empty());
}

// The key table the reader builds agrees with the rules of the line parser: case and
// blanks in names, the first section and first key of a name, sections that differ only
// in how a name splits between section and key, keys before any section.
TEST(ParsedProfile, FindsWhatTheLineRulesFind) {
  const ParsedProfile file(
      "k=orphan\n[Ab]\ncd=1\n CD =2\n[A]\nbcd=3\n[aB]\ncd=4\nnew=5\n[ x ]\n\"q\"=\" v \"\n[]\n=empty\n");
  EXPECT_EQ(file.Find("", "k"), std::nullopt);
  EXPECT_EQ(file.Find("AB", " cd\t"), "1");
  EXPECT_EQ(file.Find("a", "bcd"), "3");
  EXPECT_EQ(file.Find("ab", "new"), std::nullopt);  // in the second [aB], which never counts
  EXPECT_EQ(file.Find("abc", "d"), std::nullopt);
  EXPECT_EQ(file.Find("x", "\"q\""), " v ");
  EXPECT_EQ(file.Find("", ""), "empty");
  EXPECT_EQ(file.Find("x", "missing"), std::nullopt);
}

}  // namespace
}  // namespace qorrin
