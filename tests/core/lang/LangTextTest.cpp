#include <gtest/gtest.h>

#include "core/lang/LangText.h"
#include "core/settings/AppPaths.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

using test::TempDir;

TEST(LangText, StringLookupHonoursTwoEscapesOnly) {
  TempDir dir;
  dir.write("x.lang",
            "[String]\nTWO=first\\nsecond\nTAB=&Open\\tCtrl+O\nOTHER=a\\rb\\\\c\nEMPTY=\n"
            "[Resource]\n65535=Static \\n text\n1015=\n");
  g_strLangFile = dir.file("x.lang");
  EXPECT_EQ(LoadLangString("TWO"), "first\nsecond");
  EXPECT_EQ(LoadLangString("TAB"), "&Open\tCtrl+O");
  EXPECT_EQ(LoadLangString("OTHER"), "a\\rb\\\\c");
  EXPECT_EQ(LoadLangString("EMPTY"), "");
  EXPECT_EQ(LoadLangString("MISSING"), "Not Found");
  EXPECT_EQ(LoadResourceText(65535), "Static \\n text");  // resources are literal
  EXPECT_EQ(LoadResourceText(1015), "");
  EXPECT_EQ(LoadResourceText(1), "");

  g_strLangFile = dir.file("gone.lang");
  EXPECT_EQ(LoadLangString("TWO"), "Not Found");
  EXPECT_TRUE(LoadOptionList("Step").empty());
}

TEST(LangText, LongValuesAreCutBeforeEscapes) {
  TempDir dir;
  dir.write("l.lang", "[String]\nLONG=" + std::string(1200, 'x') + "\n");
  g_strLangFile = dir.file("l.lang");
  EXPECT_EQ(LoadLangString("LONG").size(), 999u);
}

TEST(LangText, ListsAndHeadings) {
  TempDir dir;
  dir.write("o.lang",
            "[Face]\ndisp=Deutsch\n[Step]\n0=5K\n1=6.25K\n3=12.5K\n[ScanMode]\n0=TO\n1=\n2=SE\n"
            "[ChText]\nIDS_ChText0=CH\n[RadiogramText]\nIDS_RadiogramText1=MHz\n");
  g_strLangFile = dir.file("o.lang");
  EXPECT_EQ(LoadOptionList("Step"), (std::vector<std::string>{"5K", "6.25K"}));
  EXPECT_EQ(LoadOptionList("ScanMode"), (std::vector<std::string>{"TO"}));
  EXPECT_EQ(LoadLanguageDisplayName(dir.file("o.lang")), "Deutsch");
  EXPECT_EQ(LoadLanguageDisplayName(dir.file("none.lang")), "-----");
}

}  // namespace
}  // namespace qorrin
