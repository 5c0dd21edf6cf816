#include "core/settings/ProgramFolder.h"

#include <gtest/gtest.h>

#include "core/settings/AppPaths.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

// Trailing separators (as a shell completes a folder) are dropped; the root stays the root.
TEST(ProgramFolder, TrailingSeparatorsAreDroppedButTheRootStays) {
  test::TempDir dir;
  dir.installDataFiles();
  const std::string folder = g_strAppDir;
  std::string error;
  ASSERT_TRUE(InitProgramPaths(folder + "//", &error)) << error;
  EXPECT_EQ(g_strAppDir, folder);
  EXPECT_EQ(g_strIniFile, dir.file("setting.ini"));
  EXPECT_EQ(g_strLangFile, dir.file("english.lang"));

  EXPECT_FALSE(InitProgramPaths("/", &error));
  EXPECT_EQ(g_strAppDir, "/");
  EXPECT_NE(error.find("(looked in /)"), std::string::npos) << error;
  dir.installDataFiles();
}

}  // namespace
}  // namespace qorrin
