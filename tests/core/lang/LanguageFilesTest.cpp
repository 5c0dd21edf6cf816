// The shipped data files: every looked-up text in every language, in step; usable models.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/edit/FormTextKeys.h"
#include "core/lang/LanguageKeys.h"
#include "core/model/ModelInfo.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/ProfileText.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace qorrin {
namespace {

const fs::path kDataDir = QORRIN_DATA_DIR;
const std::string kMissing = "\x01<missing>";

// Full value of a key, or kMissing; the buffer is big enough to see overlong texts.
std::string Value(const std::string& section, const std::string& key, const fs::path& file) {
  return ReadProfileString(section, key, kMissing, 1 << 16, file.string());
}

std::vector<fs::path> LanguageFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kDataDir)) {
    if (entry.is_regular_file() && entry.path().extension() == ".lang") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// (section, key) of every key line in file order.
std::vector<std::pair<std::string, std::string>> ListKeys(const fs::path& file) {
  const std::string text = test::ReadFileBytes(file);
  std::vector<std::pair<std::string, std::string>> keys;
  std::string section;
  for (const ProfileLine& line : SplitProfile(text)) {
    if (line.kind == ProfileLine::kSection) section = line.name;
    if (line.kind == ProfileLine::kKeyValue) keys.emplace_back(section, line.name);
  }
  return keys;
}

bool IsValidUtf8(const std::string& s) {
  for (std::size_t i = 0, len; i < s.size(); i += len) {
    const auto c = static_cast<unsigned char>(s[i]);
    len = c < 0x80 ? 1 : c >= 0xC2 && c < 0xE0 ? 2 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xF0 && c < 0xF5 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    char32_t cp = len == 1 ? c : c & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
      const auto cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    // Overlong three- and four-byte forms, surrogates, beyond U+10FFFF.
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
  }
  return true;
}

std::size_t CodePoints(const std::string& s) {
  return static_cast<std::size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

struct RequiredText {
  std::string section, key;
  std::size_t maxBytes;
};

// Every text the program looks up, with the most bytes its place holds.
std::vector<RequiredText> RequiredTexts() {
  std::vector<RequiredText> texts = {{"Face", "disp", kDisplayNameMaxBytes}};
  for (const auto& key : RequiredStringKeys()) texts.push_back({"String", key, kStringTextMaxBytes});
  for (int id : RequiredResourceIds()) texts.push_back({"Resource", std::to_string(id), kResourceTextMaxBytes});
  for (int i = 0; i < kChannelHeadingCount; ++i) texts.push_back({"ChText", "IDS_ChText" + std::to_string(i), kListTextMaxBytes});
  for (int i = 0; i < kRadiogramHeadingCount; ++i)
    texts.push_back({"RadiogramText", "IDS_RadiogramText" + std::to_string(i), kListTextMaxBytes});
  for (const auto& list : RequiredOptionLists())
    for (int i = 0; i < list.items; ++i) texts.push_back({list.section, std::to_string(i), kListTextMaxBytes});
  return texts;
}

// Each file: every text present and fitting, english.lang's keys in its order and no other, UTF-8.
TEST(LanguageFiles, EveryFileCarriesEveryLookedUpTextInStepWithTheOthers) {
  // Start-up falls back to these two names, so both must ship.
  ASSERT_TRUE(fs::exists(kDataDir / "english.lang"));
  ASSERT_TRUE(fs::exists(kDataDir / "chinese.lang"));
  const fs::path english = kDataDir / "english.lang";
  const auto reference = ListKeys(english);
  // Every key a file holds is one the program reads (no list item past its last value).
  std::set<std::pair<std::string, std::string>> known;
  for (const RequiredText& text : RequiredTexts()) known.emplace(text.section, text.key);

  for (const auto& file : LanguageFiles()) {
    const std::string name = file.filename().string();
    for (const RequiredText& text : RequiredTexts()) {
      const std::string v = Value(text.section, text.key, file);
      const std::string where = name + " [" + text.section + "] " + text.key;
      EXPECT_NE(v, kMissing) << where << " is missing";
      EXPECT_FALSE(v.empty()) << where << " is empty";
      EXPECT_LE(v.size(), text.maxBytes) << where << " would be cut";
      if (text.key.starts_with("IDS_TIP_")) {
        EXPECT_LE(CodePoints(v), kToolTipMaxChars) << where;
      }
    }
    for (const auto& key : MenuStringKeys()) {
      const std::string v = Value("String", key, file);
      const auto amp = v.find('&');
      EXPECT_TRUE(amp != std::string::npos && amp + 1 < v.size() && v[amp + 1] != '&')
          << name << " " << key << " has no mnemonic";
      // Shortcuts are keys, not words: every translation announces the same ones.
      auto shortcut = [&](const std::string& text) {
        const auto tab = text.find("\\t");
        return tab == std::string::npos ? std::string() : text.substr(tab);
      };
      EXPECT_EQ(shortcut(v), shortcut(Value("String", key, english))) << name << " " << key;
    }
    // The path follows directly and trailing blanks are trimmed: a line break or colon must end it.
    const std::string warnSave = Value("String", "IDS_WARN_SAVE", file);
    EXPECT_TRUE(warnSave.ends_with("\\n") || warnSave.ends_with(":") || warnSave.ends_with("："))
        << name << " IDS_WARN_SAVE runs into the path";
    // The table's list editor picks the first item the cell text begins: no prefix pairs.
    for (const auto& [a, b] : {std::pair{"IDS_LOW", "IDS_HIGH"}, std::pair{"IDS_NARROW", "IDS_WIDE"}}) {
      const std::string ta = Lower(Value("String", a, file)), tb = Lower(Value("String", b, file));
      EXPECT_FALSE(ta.starts_with(tb) || tb.starts_with(ta)) << name << " " << a << "/" << b;
    }

    EXPECT_TRUE(IsValidUtf8(test::ReadFileBytes(file))) << name;
    const auto keys = ListKeys(file);
    // Same keys in the same order, so a translator can compare files line by line.
    const auto [mine, theirs] = std::mismatch(keys.begin(), keys.end(), reference.begin(), reference.end());
    EXPECT_TRUE(mine == keys.end() && theirs == reference.end())
        << name << " departs from english.lang at "
        << (mine != keys.end() ? "[" + mine->first + "] " + mine->second : std::string("its end"));
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& k : keys) {
      // Only the first of two equal keys is ever read.
      EXPECT_TRUE(seen.insert(k).second) << name << " repeats [" << k.first << "] " << k.second;
      EXPECT_TRUE(known.count(k)) << name << " has unused key [" << k.first << "] " << k.second;
    }
  }
}

TEST(SettingFile, SetupAndModelsAreUsable) {
  const fs::path ini = kDataDir / "setting.ini";
  ASSERT_TRUE(IsValidUtf8(test::ReadFileBytes(ini)));

  const std::string language = Value("setup", "language", ini);
  EXPECT_TRUE(fs::exists(kDataDir / (language + ".lang"))) << "language=" << language;
  EXPECT_GE(ReadProfileInt("setup", "com", 0, ini.string()), 1);
  for (const char* key : {"searchcom", "name"}) {
    const std::string v = Value("setup", key, ini);
    EXPECT_TRUE(v == "0" || v == "1") << key << "=" << v;
  }

  // Every shipped model is usable. Their drop-down texts: the VFO panel's test; their limits:
  // the channel commits' clamps and the import's refusals; their new files: the document's test.
  g_strIniFile = ini.string();
  const std::vector<ModelEntry> models = ListModels();
  ASSERT_EQ(models.size(), 5u);
  for (const ModelEntry& model : models) {
    EXPECT_TRUE(model.bUsable) << "data" << model.nIndex << "=" << model.strCode;
  }
}

}  // namespace
}  // namespace qorrin
