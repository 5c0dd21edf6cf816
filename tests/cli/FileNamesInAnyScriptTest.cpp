// File and folder names outside ASCII through the whole command line: the arguments, the
// program folder, the project files and the names printed back. On Windows this is the
// path from the UTF-16 command line to the wide file calls and back to UTF-8 output.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliRun.h"
#include "core/platform/Utf8Path.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

namespace fs = std::filesystem;

TEST(FileNamesInAnyScript, AProgramFolderAndProjectFilesNamedInChineseWork) {
  TempDir dir;
  dir.installDataFiles();
  const fs::path folder = dir.path() / platform::Utf8Path("对讲机 程序");
  fs::create_directories(folder);
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    if (entry.is_regular_file()) fs::copy_file(entry.path(), folder / entry.path().filename());
  }
  const std::string config = platform::PathUtf8(folder);
  const std::string project = platform::PathUtf8(folder / platform::Utf8Path("频道 表.7Q"));

  CliResult made = RunCli({"--config-dir", config, "new", "--model", "2", "-o", project});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  EXPECT_NE(made.err.find(project), std::string::npos) << made.err;  // printed back intact
  EXPECT_EQ(fs::file_size(platform::Utf8Path(project)), 4144u);

  CliResult info = RunCli({"--config-dir", config, "info", project});
  EXPECT_EQ(info.exitCode, 0) << info.err;
  EXPECT_NE(info.out.find(project), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("model:     2"), std::string::npos) << info.out;

  CliResult missing = RunCli({"--config-dir", config, "info", config + "/没有.7Q"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("没有.7Q"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace qorrin::test
