// Language-file lookups, the choice between language files, and texts built from several lookups.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/lang/LangText.h"
#include "core/lang/LanguageFiles.h"
#include "core/lang/ShellTexts.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

using test::TempDir;

TEST(LangText, StringsHonourTwoEscapesOnlyListsEndAtAGap) {
  TempDir dir;
  dir.write("x.lang",
            "[String]\nTWO=first\\nsecond\nTAB=&Open\\tCtrl+O\nOTHER=a\\rb\\\\c\nEMPTY=\n"
            "[Resource]\n65535=Static \\n text\n1015=\n");
  g_strLangFile = dir.file("x.lang");
  for (auto [key, text] : {std::pair{"TWO", "first\nsecond"}, {"TAB", "&Open\tCtrl+O"},
                           {"OTHER", "a\\rb\\\\c"}, {"EMPTY", ""}, {"MISSING", "Not Found"}}) {
    EXPECT_EQ(LoadLangString(key), text);
  }
  EXPECT_EQ(LoadResourceText(65535), "Static \\n text");  // resources are literal
  EXPECT_EQ(LoadResourceText(1015), "");
  EXPECT_EQ(LoadResourceText(1), "");

  g_strLangFile = dir.file("gone.lang");
  EXPECT_EQ(LoadLangString("TWO"), "Not Found");

  // Long values are cut before escapes are read.
  dir.write("l.lang", "[String]\nLONG=" + std::string(1200, 'x') + "\n");
  g_strLangFile = dir.file("l.lang");
  EXPECT_EQ(LoadLangString("LONG").size(), 999u);

  // Counted texts: the singular form for one where the file has it.
  dir.write("c.lang", "[String]\nMOVED=Move of %d channels\nMOVED_ONE=Move of 1 channel\nEDIT=Edit of channel %d\n");
  g_strLangFile = dir.file("c.lang");
  for (auto [key, count, text] :
       {std::tuple{"MOVED", 2, "Move of 2 channels"}, {"MOVED", 1, "Move of 1 channel"},
        {"MOVED", 0, "Move of 0 channels"}, {"EDIT", 1, "Edit of channel 1"}}) {
    EXPECT_EQ(LoadCountText(key, count), text);  // EDIT has no singular form: the text itself
  }

  // Lists end at their first gap, a missing key or an empty value.
  dir.write("o.lang", "[Face]\ndisp=Deutsch\n[Step]\n0=5K\n1=6.25K\n3=12.5K\n[Bw]\n0=N\n1=\n2=W\n");
  g_strLangFile = dir.file("o.lang");
  EXPECT_EQ(LoadOptionList("Step"), (std::vector<std::string>{"5K", "6.25K"}));
  EXPECT_EQ(LoadOptionList("bw"), (std::vector<std::string>{"N"}));
  EXPECT_EQ(LoadLanguageDisplayName(dir.file("o.lang")), "Deutsch");
  EXPECT_EQ(LoadLanguageDisplayName(dir.file("none.lang")), "-----");
}

TEST(LanguageChoice, CandidatesDisplayNamesAndTheNextFile) {
  TempDir dir;
  dir.write("setting.ini", "[setup]\ncom=2\n");
  g_strIniFile = dir.file("setting.ini");
  dir.write("zulu.lang", "[Face]\ndisp=Same\n");
  dir.write("alpha.lang", "[Face]\ndisp=Same\n");
  dir.write("mid.lang", "[String]\nX=1\n");  // no display name
  dir.write("notes.txt", "");
  std::filesystem::create_directory(dir.path() / "folder.lang");

  const auto files = ListLanguageFiles(dir.path().string());
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(std::tuple(files[0].title, files[1].title, files[2].title), std::tuple("alpha", "mid", "zulu"));
  EXPECT_EQ(ListLanguageFiles(dir.path().string(), true).size(), 4u);

  // Equal display names: the first in file order wins; a file without one is "-----".
  EXPECT_EQ(FindLanguageByDisplayName(files, "Same"), &files[0]);
  EXPECT_EQ(FindLanguageByDisplayName(files, "-----"), &files[1]);
  EXPECT_EQ(FindLanguageByDisplayName(files, "same"), nullptr);
  EXPECT_EQ(FindLanguageByDisplayName(files, ""), nullptr);

  // Next wraps around; an unknown current file starts at the first; case is ignored.
  std::string upper = files[1].path;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(NextLanguageFile(files, upper), &files[2]);
  EXPECT_EQ(NextLanguageFile(files, files[2].path), &files[0]);
  EXPECT_EQ(NextLanguageFile(files, dir.file("gone.lang")), &files[0]);
  EXPECT_EQ(NextLanguageFile({}, files[0].path), nullptr);

  UseLanguageFile(files[2]);
  EXPECT_EQ(g_strLangFile, files[2].path);
  EXPECT_EQ(dir.read("setting.ini"), "[setup]\ncom=2\nlanguage=zulu\n");
}

TEST(LanguageChoice, ToolTipsSaveQuestionAndHelpFile) {
  TempDir dir;
  // 25 characters, the Chinese ones three bytes each: the cut counts characters.
  dir.write("x.lang",
            "[String]\nIDS_TIP_57600=一二三四五六七八九十abcdefghijklmno\nIDS_TIP_57601=Open\n"
            "IDS_SAVE_CHANGES=Save Item now?\nIDS_NO=Nein\nIDS_TIP_1=Not Found\n");
  g_strLangFile = dir.file("x.lang");
  for (auto [id, tip] :
       {std::pair{57600, "一二三四五六七八九十abcdefghi"}, {57601, "Open"}, {0, ""}, {57603, "Not Found"}}) {
    EXPECT_EQ(ToolTipText(id), tip);
  }
  EXPECT_EQ(CutToCharacters("ab\xFF\xE4\xB8", 3), "ab\xFF");  // stray bytes count one each
  EXPECT_EQ(CutToCharacters("a", 19), "a");
  EXPECT_EQ(CutToCharacters("ab\xE4\xB8\xAD", 3), "ab\xE4\xB8\xAD");  // a whole character at the very end

  // Missing keys fall back to the English texts.
  SaveChangesTexts texts = LoadSaveChangesTexts("Item");
  EXPECT_EQ(std::tuple(texts.question, texts.no, texts.yes, texts.cancel),
            std::tuple("Save Item now?", "Nein", "&Yes", "Cancel"));
  EXPECT_EQ(LoadSaveChangesTexts("radio.7Q").question, "Save radio.7Q now?");
  EXPECT_EQ(LoadLangStringOr("IDS_TIP_1", "x"), "Not Found");  // present, if odd

  g_strLangFile = dir.file("gone.lang");
  EXPECT_EQ(LoadSaveChangesTexts("a.7Q").question, "To save changes to a.7Q?");
  dir.write("y.lang", "[String]\nIDS_SAVE_CHANGES=Save now?\n");  // a translation without the name
  g_strLangFile = dir.file("y.lang");
  EXPECT_EQ(LoadSaveChangesTexts("a.7Q").question, "Save now?");

  EXPECT_EQ(HelpFilePath("/opt/q/english.lang"), "/opt/q/english.html");
  EXPECT_EQ(HelpFilePath("/opt/q.d/chinese"), "/opt/q.d/chinese.html");
}

}  // namespace
}  // namespace qorrin
