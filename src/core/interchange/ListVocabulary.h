#pragma once
// The words of the channel table in every language the program has: its column headings
// and the texts of its cells (off, wide, narrow, high, low). A block that a technician
// typed into a spreadsheet under the table's headings, in any of these languages, reads
// as a channel list.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/interchange/ListColumns.h"

namespace qorrin {

inline constexpr std::size_t kTableHeadingCount = 8;  // CH, RX Frequency, ..., Name

struct TableWords {
  std::array<std::string, kTableHeadingCount> headings;
  std::string strOff, strWide, strNarrow, strHigh, strLow;
};

struct ListVocabulary {
  std::vector<TableWords> languages;  // in the order of the language files' names

  // The column a table heading names; nothing for any other text.
  std::optional<ListColumn> FindHeading(std::string_view cell) const;
  // Whether the cell is one language's word for tone off, wide, narrow, high or low.
  bool IsOff(std::string_view cell) const;
  std::optional<bool> ReadWide(std::string_view cell) const;  // true wide, false narrow
  std::optional<bool> ReadHigh(std::string_view cell) const;  // true high, false low
};

// The words of every *.lang file in the program folder.
ListVocabulary LoadListVocabulary();
// The words of one language file.
TableWords LoadTableWords(const std::string& langFile);

}  // namespace qorrin
