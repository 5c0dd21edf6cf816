#include "core/interchange/ListVocabulary.h"

#include <algorithm>

#include "core/interchange/ListFieldText.h"
#include "core/lang/LanguageFiles.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"

namespace qorrin {

namespace {

constexpr std::size_t kWordBuffer = 64;

// The list column each table heading stands for, by heading index.
constexpr std::array<ListColumn, kTableHeadingCount> kHeadingColumns{
    ListColumn::Location,      ListColumn::Frequency,   ListColumn::TableDecode, ListColumn::TableTransmit,
    ListColumn::TableEncode,   ListColumn::TableBandwidth, ListColumn::Power,    ListColumn::Name};

bool Same(std::string_view cell, const std::string& word) {
  return !word.empty() && EqualNoCase(TrimSpacesAndTabs(cell), word);
}

}  // namespace

std::optional<ListColumn> ListVocabulary::FindHeading(std::string_view cell) const {
  for (const TableWords& words : languages) {
    for (std::size_t i = 0; i < kTableHeadingCount; ++i) {
      if (Same(cell, words.headings[i])) return kHeadingColumns[i];
    }
  }
  return std::nullopt;
}

bool ListVocabulary::IsOff(std::string_view cell) const {
  return std::ranges::any_of(languages, [&](const TableWords& words) { return Same(cell, words.strOff); });
}

std::optional<bool> ListVocabulary::ReadWide(std::string_view cell) const {
  for (const TableWords& words : languages) {
    if (Same(cell, words.strWide)) return true;
    if (Same(cell, words.strNarrow)) return false;
  }
  return std::nullopt;
}

std::optional<bool> ListVocabulary::ReadHigh(std::string_view cell) const {
  for (const TableWords& words : languages) {
    if (Same(cell, words.strHigh)) return true;
    if (Same(cell, words.strLow)) return false;
  }
  return std::nullopt;
}

TableWords LoadTableWords(const std::string& langFile) {
  const ProfileSnapshot file(langFile);
  TableWords words;
  for (std::size_t i = 0; i < kTableHeadingCount; ++i) {
    words.headings[i] = file.ReadString("ChText", "IDS_ChText" + std::to_string(i), "", kWordBuffer);
  }
  words.strOff = file.ReadString("String", "IDS_OFF", "", kWordBuffer);
  words.strWide = file.ReadString("String", "IDS_WIDE", "", kWordBuffer);
  words.strNarrow = file.ReadString("String", "IDS_NARROW", "", kWordBuffer);
  words.strHigh = file.ReadString("String", "IDS_HIGH", "", kWordBuffer);
  words.strLow = file.ReadString("String", "IDS_LOW", "", kWordBuffer);
  return words;
}

ListVocabulary LoadListVocabulary() {
  ListVocabulary vocabulary;
  if (g_strAppDir.empty()) return vocabulary;
  for (const LanguageFile& file : ListLanguageFiles(g_strAppDir)) vocabulary.languages.push_back(LoadTableWords(file.path));
  return vocabulary;
}

}  // namespace qorrin
