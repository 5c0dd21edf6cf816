#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "core/settings/ProfileFile.h"
#include "core/settings/ProfileText.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

using test::TempDir;

TEST(ProfileFile, ReadsValuesWithDefaultsAndCuts) {
  TempDir dir;
  dir.write("a.ini",
            "\xEF\xBB\xBF; comment\r\n[Setup]\r\n  ;Com = 5\r\n  Com = 12 \r\n#x=1\r\nempty=\r\nquoted=\" a b \"\r\n"
            "word=abc\r\nneg=-7x\r\nbig=99999999999\r\npadded=\" 5\"\r\ntabbed=\"\t-3\"\r\n[other]\r\ncom=99\r\n");
  const std::string f = dir.file("a.ini");

  // {section, key, default, buffer size, value}: names ignore case, a buffer of 3 holds 2 bytes.
  const std::tuple<const char*, const char*, const char*, std::size_t, const char*> strings[] = {
      {"setup", "com", "d", 8, "12"}, {"setup", "empty", "d", 8, ""}, {"setup", ";Com", "d", 8, "d"},
      {"setup", "#x", "d", 8, "d"}, {"setup", "quoted", "d", 8, " a b "},
      {"setup", "missing", "dflt", 8, "dflt"}, {"nosection", "com", "dflt", 8, "dflt"},
      {"setup", "word", "", 3, "ab"}, {"setup", "missing", "abcdef", 4, "abc"}, {"setup", "word", "", 0, ""},
      {"other", "com", "", 8, "99"}};
  for (auto [section, key, fallback, size, value] : strings) {
    EXPECT_EQ(ReadProfileString(section, key, fallback, size, f), value) << section << " " << key;
  }
  // Blanks before a number are skipped.
  for (auto [key, value] : {std::pair{"com", 12}, {"missing", 1}, {"empty", 0}, {"word", 0}, {"neg", -7},
                            {"big", 2147483647}, {"padded", 5}, {"tabbed", -3}}) {
    EXPECT_EQ(ReadProfileInt("setup", key, 1, f), value) << key;
  }
  // A missing file, a folder: the cache test. The first of two keys: the key table's.

  // A cut never splits a UTF-8 character.
  dir.write("z.lang", "[String]\nk=\xE4\xB8\xAD\xE6\x96\x87\n");  // two 3-byte characters
  EXPECT_EQ(ReadProfileString("String", "k", "", 6, dir.file("z.lang")), "\xE4\xB8\xAD");
  EXPECT_EQ(ReadProfileString("String", "k", "", 7, dir.file("z.lang")),
            "\xE4\xB8\xAD\xE6\x96\x87");
  // Stray continuation bytes are no character: cut at the buffer, not emptied.
  dir.write("c.lang", "[String]\nk=ab" + std::string(10, '\x80') + "\n");
  EXPECT_EQ(ReadProfileString("String", "k", "", 9, dir.file("c.lang")), "ab" + std::string(6, '\x80'));

  // A key is looked for in the lines given and nowhere past them (the cut line still lies behind).
  std::vector<ProfileLine> lines = SplitProfile("[s]\na=1\nb=2");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(FindProfileKey(lines, "S", "b"), 2u);
  lines.pop_back();
  EXPECT_EQ(FindProfileKey(lines, "s", "b"), std::nullopt);
}

TEST(ProfileFile, WritesKeepEveryOtherLineReadBackTheSameAndReportFailures) {
  TempDir dir;
  dir.write("s.ini",
            "; settings\r\n[setup]\r\nlanguage=english\r\ncom = 3\r\n\r\n[ModelInfo]\r\ndata0=60134017\r\n");
  const std::string f = dir.file("s.ini");

  const std::string head = "; settings\r\n[setup]\r\nlanguage=english\r\ncom = 12\r\n";
  const std::string models = "\r\n[ModelInfo]\r\ndata0=60134017\r\n";
  ASSERT_TRUE(WriteProfileString("SETUP", "com", "12", f));
  EXPECT_EQ(dir.read("s.ini"), head + models);
  ASSERT_TRUE(WriteProfileString("setup", "searchcom", "0", f));
  EXPECT_EQ(dir.read("s.ini"), head + "searchcom=0\r\n" + models);
  ASSERT_TRUE(WriteProfileString("ports", "1", "/dev/ttyUSB0", f));
  EXPECT_EQ(dir.read("s.ini"), head + "searchcom=0\r\n" + models + "[ports]\r\n1=/dev/ttyUSB0\r\n");

  const std::string fresh = dir.file("new.ini");  // does not exist yet
  const std::vector<std::string> values = {"5", "", " padded ", " lead", "trail ", "\"quoted\"", "a=b;c", "中文"};
  for (std::size_t i = 0; i < values.size(); ++i) {
    ASSERT_TRUE(WriteProfileString("s", "k" + std::to_string(i), values[i], fresh));
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(ReadProfileString("s", "k" + std::to_string(i), "x", 260, fresh), values[i]);
  }
  // Quotes only where blanks at an end or quotes of the value's own need them.
  const std::string text = dir.read("new.ini");
  for (const char* line : {"k0=5", "k1=", "k2=\" padded \"", "k4=\"trail \"", "k5=\"\"quoted\"\"", "k6=a=b;c"}) {
    EXPECT_NE(text.find(std::string("\n") + line + "\n"), std::string::npos) << text;
  }
  // A file without a final line end gets one before the new section.
  dir.write("t.ini", "[a]\nx=1");
  ASSERT_TRUE(WriteProfileString("b", "y", "2", dir.file("t.ini")));
  EXPECT_EQ(dir.read("t.ini"), "[a]\nx=1\n[b]\ny=2\n");
  ASSERT_TRUE(WriteProfileString("a", "z", "3", dir.file("t.ini")));
  EXPECT_EQ(dir.read("t.ini"), "[a]\nx=1\nz=3\n[b]\ny=2\n");
  ASSERT_TRUE(WriteProfileString("b", "x", "4", dir.file("t.ini")));  // a key of another section's name
  EXPECT_EQ(dir.read("t.ini"), "[a]\nx=1\nz=3\n[b]\ny=2\nx=4\n");

  EXPECT_FALSE(WriteProfileString("s", "k", "v", dir.file("missing-folder/x.ini")));
  EXPECT_FALSE(WriteProfileString("s", "k", "v", dir.path().string()));  // a folder
}

// Whole files, in one go or in steps when the size is unknown (a pipe): every byte arrives.
TEST(ProfileFile, ReadsWholeFilesOfEverySizeAndPipes) {
  TempDir dir;
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{4095}, std::size_t{4096}, std::size_t{300000}}) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 31 + size);
    dir.write("f.bin", bytes);
    EXPECT_EQ(ReadWholeFile(dir.file("f.bin")), bytes) << size;
  }
  EXPECT_EQ(ReadWholeFile(dir.file("none")), std::nullopt);

  const std::string fifo = dir.file("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string sent(10000, 'p');
  std::thread writer([&] {
    const int fd = ::open(fifo.c_str(), O_WRONLY);
    for (std::size_t done = 0; fd >= 0 && done < sent.size(); done += 1000) {
      if (::write(fd, sent.data() + done, 1000) != 1000) break;
    }
    if (fd >= 0) ::close(fd);
  });
  EXPECT_EQ(ReadWholeFile(fifo), sent);
  writer.join();
}

}  // namespace
}  // namespace qorrin
