#include "core/lang/LangText.h"

#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"

namespace qorrin {

namespace {

// Buffer sizes of the lookups: a value is cut to one byte less.
constexpr std::size_t kStringBuffer = 1000;
constexpr std::size_t kResourceBuffer = 1024;
constexpr std::size_t kFaceBuffer = 100;
constexpr std::size_t kListBuffer = 30;

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

std::string WithEscapes(std::string text) {
  ReplaceAll(text, "\\n", "\n");
  ReplaceAll(text, "\\t", "\t");
  return text;
}

}  // namespace

std::string LoadLangString(const std::string& key) {
  return WithEscapes(ReadProfileString("String", key, "Not Found", kStringBuffer, g_strLangFile));
}

std::string LoadLangStringFrom(const std::string& langFile, const std::string& key) {
  return WithEscapes(ReadProfileString("String", key, "Not Found", kStringBuffer, langFile));
}

std::vector<std::string> LoadLangStrings(std::initializer_list<const char*> keys) {
  const ProfileSnapshot file(g_strLangFile);
  std::vector<std::string> texts;
  texts.reserve(keys.size());
  for (const char* key : keys) texts.push_back(WithEscapes(file.ReadString("String", key, "Not Found", kStringBuffer)));
  return texts;
}

std::string LoadCountText(const std::string& key, int count) {
  std::string text;
  if (count == 1) text = WithEscapes(ReadProfileString("String", key + "_ONE", "", kStringBuffer, g_strLangFile));
  if (text.empty()) text = LoadLangString(key);
  if (const std::size_t at = text.find("%d"); at != std::string::npos) text.replace(at, 2, std::to_string(count));
  return text;
}

std::string LoadResourceText(int id) {
  return ReadProfileString("Resource", std::to_string(id), "", kResourceBuffer, g_strLangFile);
}

std::string LoadLanguageDisplayName(const std::string& langFile) {
  return ReadProfileString("Face", "disp", "-----", kFaceBuffer, langFile);
}

std::vector<std::string> LoadHeadings(const std::string& section, const std::string& keyPrefix, int count) {
  const ProfileSnapshot file(g_strLangFile);
  std::vector<std::string> headings;
  std::string previous;
  for (int i = 0; i < count; ++i) {
    // The previous heading is the default, so only a missing key repeats it.
    previous = file.ReadString(section, keyPrefix + std::to_string(i), previous, kListBuffer);
    headings.push_back(previous);
  }
  return headings;
}

std::vector<std::string> LoadOptionList(const std::string& section) {
  // All items from one look at the file, so a list is never half of one version and half
  // of the next.
  const ProfileSnapshot file(g_strLangFile);
  std::vector<std::string> items;
  // The cap only guards against a pathological file; real lists have a handful of items.
  for (int i = 0; i < 256; ++i) {
    std::string item = file.ReadString(section, std::to_string(i), "", kListBuffer);
    if (item.empty()) break;
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace qorrin
