// Checks the shipped data files: every language file carries every text the program
// looks up, the translations stay in step with each other, and setting.ini holds a
// usable set of frequency-range models.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/lang/LanguageKeys.h"
#include "core/settings/ProfileFile.h"
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

// (section, key) of every key line in file order. The profile reader answers single
// lookups only, so listing keys needs this small scan of its own.
std::vector<std::pair<std::string, std::string>> ListKeys(const fs::path& file) {
  std::vector<std::pair<std::string, std::string>> keys;
  std::ifstream in(file);
  std::string line, section;
  auto trim = [](std::string s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
  };
  while (std::getline(in, line)) {
    line = trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
    } else if (const auto eq = line.find('='); eq != std::string::npos) {
      keys.emplace_back(section, trim(line.substr(0, eq)));
    }
  }
  return keys;
}

bool IsValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t len;
    char32_t cp;
    if (c < 0x80) { len = 1; cp = c; }
    else if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; }
    else return false;
    if (i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      const auto cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    static constexpr char32_t kMinForLength[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinForLength[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
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

// Expects a present, non-empty value no longer than maxBytes.
void ExpectText(const fs::path& file, const std::string& section, const std::string& key,
                std::size_t maxBytes) {
  const std::string v = Value(section, key, file);
  const std::string where = file.filename().string() + " [" + section + "] " + key;
  EXPECT_NE(v, kMissing) << where << " is missing";
  EXPECT_FALSE(v.empty()) << where << " is empty";
  EXPECT_LE(v.size(), maxBytes) << where << " would be cut";
}

TEST(LanguageFiles, EveryFileCarriesEveryLookedUpText) {
  const auto files = LanguageFiles();
  // Start-up falls back to these two names, so both must ship.
  ASSERT_TRUE(fs::exists(kDataDir / "english.lang"));
  ASSERT_TRUE(fs::exists(kDataDir / "chinese.lang"));

  for (const auto& file : files) {
    ExpectText(file, "Face", "disp", kDisplayNameMaxBytes);
    for (const auto& key : RequiredStringKeys()) ExpectText(file, "String", key, kStringTextMaxBytes);
    for (int id : RequiredResourceIds())
      ExpectText(file, "Resource", std::to_string(id), kResourceTextMaxBytes);
    for (int i = 0; i < kChannelHeadingCount; ++i)
      ExpectText(file, "ChText", "IDS_ChText" + std::to_string(i), kListTextMaxBytes);
    for (int i = 0; i < kRadiogramHeadingCount; ++i)
      ExpectText(file, "RadiogramText", "IDS_RadiogramText" + std::to_string(i), kListTextMaxBytes);

    // A list reads up to its first gap: exactly the stored values, no more, no fewer.
    for (const auto& list : RequiredOptionLists()) {
      for (int i = 0; i < list.items; ++i) ExpectText(file, list.section, std::to_string(i), kListTextMaxBytes);
      EXPECT_EQ(Value(list.section, std::to_string(list.items), file), kMissing)
          << file.filename() << " [" << list.section << "] has more than " << list.items << " items";
    }
  }
}

TEST(LanguageFiles, TextsSuitTheirPlaces) {
  for (const auto& file : LanguageFiles()) {
    const std::string name = file.filename().string();
    for (const auto& key : RequiredStringKeys()) {
      if (key.rfind("IDS_TIP_", 0) == 0) {
        EXPECT_LE(CodePoints(Value("String", key, file)), kToolTipMaxChars) << name << " " << key;
      }
    }
    for (const auto& key : MenuStringKeys()) {
      const std::string v = Value("String", key, file);
      const auto amp = v.find('&');
      EXPECT_TRUE(amp != std::string::npos && amp + 1 < v.size() && v[amp + 1] != '&')
          << name << " " << key << " has no mnemonic";
    }
    // The path follows this text directly; the reader trims trailing blanks, so the
    // text must end in a line break or a colon of its own.
    const std::string warnSave = Value("String", "IDS_WARN_SAVE", file);
    EXPECT_TRUE(warnSave.ends_with("\\n") || warnSave.ends_with(":") || warnSave.ends_with("："))
        << name << " IDS_WARN_SAVE runs into the path";
    // The list editor of the channel table selects the first item that begins with
    // the cell text, so neither item of a pair may begin with the other.
    for (const auto& [a, b] : {std::pair{"IDS_LOW", "IDS_HIGH"}, std::pair{"IDS_NARROW", "IDS_WIDE"}}) {
      const std::string ta = Lower(Value("String", a, file)), tb = Lower(Value("String", b, file));
      EXPECT_FALSE(ta.starts_with(tb) || tb.starts_with(ta)) << name << " " << a << "/" << b;
    }
  }
}

TEST(LanguageFiles, TranslationsStayInStep) {
  const auto files = LanguageFiles();
  ASSERT_FALSE(files.empty());
  const auto reference = ListKeys(kDataDir / "english.lang");

  // Every key a file holds is one the program reads.
  std::set<std::pair<std::string, std::string>> known = {{"Face", "disp"}};
  for (const auto& k : RequiredStringKeys()) known.emplace("String", k);
  for (int id : RequiredResourceIds()) known.emplace("Resource", std::to_string(id));
  for (int i = 0; i < kChannelHeadingCount; ++i) known.emplace("ChText", "IDS_ChText" + std::to_string(i));
  for (int i = 0; i < kRadiogramHeadingCount; ++i)
    known.emplace("RadiogramText", "IDS_RadiogramText" + std::to_string(i));
  for (const auto& list : RequiredOptionLists())
    for (int i = 0; i < list.items; ++i) known.emplace(list.section, std::to_string(i));

  for (const auto& file : files) {
    const std::string name = file.filename().string();
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
    // Shortcuts are keys, not words: every translation announces the same ones.
    for (const auto& key : MenuStringKeys()) {
      auto shortcut = [&](const fs::path& f) {
        const std::string v = Value("String", key, f);
        const auto tab = v.find("\\t");
        return tab == std::string::npos ? std::string() : v.substr(tab);
      };
      EXPECT_EQ(shortcut(file), shortcut(kDataDir / "english.lang")) << name << " " << key;
    }
  }
}

// The band edges of a band code in whole MHz: {lower, upper} per band.
std::vector<std::pair<int, int>> BandEdges(const std::string& code) {
  auto mhz = [&](std::size_t at) { return std::stoi(code.substr(at + 2, 2) + code.substr(at, 1)); };
  std::vector<std::pair<int, int>> bands;
  for (std::size_t at = 0; at < code.size(); at += 8) bands.emplace_back(mhz(at), mhz(at + 4));
  return bands;
}

// Where a band code goes in the eight band information bytes: its offset there and
// its bytes (two BCD digits each). A one-band code of 200 MHz and up takes the second half.
std::pair<std::size_t, std::vector<unsigned char>> BandBytes(const std::string& code) {
  std::vector<unsigned char> bytes;
  for (std::size_t i = 0; i + 1 < code.size(); i += 2)
    bytes.push_back(static_cast<unsigned char>(((code[i] - '0') << 4) | (code[i + 1] - '0')));
  const bool upperBand = code.size() == 8 && BandEdges(code)[0].second >= 200;
  return {upperBand ? 4 : 0, bytes};
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

  std::vector<std::string> codes;
  for (int n = 0;; ++n) {
    const std::string code = Value("ModelInfo", "data" + std::to_string(n), ini);
    const std::string text = Value("ModelInfo", "Freq" + std::to_string(n), ini);
    if (code == kMissing) {
      EXPECT_EQ(text, kMissing) << "Freq" << n << " without data" << n;
      EXPECT_EQ(Value("ModelInfo", "data" + std::to_string(n + 1), ini), kMissing) << "gap at " << n;
      break;
    }
    ASSERT_TRUE((code.size() == 8 || code.size() == 16) &&
                std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; }))
        << "data" << n << "=" << code << " is not 8 or 16 BCD digits";
    const auto bands = BandEdges(code);
    std::string expected;
    for (const auto& [low, high] : bands) {
      EXPECT_LT(low, high) << "data" << n;
      expected += (expected.empty() ? "" : "/") + std::to_string(low) + "-" + std::to_string(high) + "MHz";
    }
    if (bands.size() == 2) {
      EXPECT_TRUE(bands[0].second < 200 && bands[1].first >= 200) << "data" << n;
    }
    // The drop-down item index is the model index, so the text must name this code's range.
    EXPECT_EQ(text, expected) << "Freq" << n;
    EXPECT_LE(text.size(), kListTextMaxBytes) << "Freq" << n;
    codes.push_back(code);
  }
  EXPECT_GE(codes.size(), 3u);
  EXPECT_LE(codes.size(), 16u);

  // A new image of model n must be recognised as model n again: the last entry whose
  // bytes match wins, so a two-band entry must follow the one-band entries it contains.
  for (std::size_t n = 0; n < codes.size(); ++n) {
    std::array<unsigned char, 8> image{};
    const auto [offset, bytes] = BandBytes(codes[n]);
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    std::size_t found = 0;
    for (std::size_t m = 0; m < codes.size(); ++m) {
      const auto [at, mine] = BandBytes(codes[m]);
      if (std::equal(mine.begin(), mine.end(), image.begin() + static_cast<std::ptrdiff_t>(at))) found = m;
    }
    EXPECT_EQ(found, n) << "model " << n << " (" << codes[n] << ") is taken for model " << found;
  }
}

}  // namespace
}  // namespace qorrin
