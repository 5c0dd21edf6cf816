#pragma once
// The named columns of a channel list, in the order they are written. Other radio tools
// and repeater directories read and write this layout; older files carry only some of the
// columns, and readers match them by name.
//
// A list may also be headed with the channel table's own headings (a block a technician
// typed into a spreadsheet under the window's column names): those columns are read too,
// but never written.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace qorrin {

struct ListVocabulary;

enum class ListColumn : int {
  Location,
  Name,
  Frequency,
  Duplex,
  Offset,
  Tone,
  rToneFreq,
  cToneFreq,
  DtcsCode,
  DtcsPolarity,
  RxDtcsCode,
  CrossMode,
  Mode,
  TStep,
  Skip,
  Power,
  Comment,
  URCALL,
  RPT1CALL,
  RPT2CALL,
  DVCODE,
  // The channel table's columns that the written layout expresses otherwise.
  TableTransmit,   // TX Frequency: "" for receive-only
  TableDecode,     // Decode: the tone list's text, or the word for off
  TableEncode,     // Encode
  TableBandwidth,  // Bandwidth: the table's words for wide and narrow
};

// The columns of the written layout; the table's own come after them.
inline constexpr std::size_t kWrittenColumnCount = 21;
inline constexpr std::size_t kListColumnCount = 25;

inline constexpr std::array<std::string_view, kWrittenColumnCount> kListColumnNames{
    "Location", "Name",       "Frequency", "Duplex",    "Offset", "Tone",    "rToneFreq",
    "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "TStep",
    "Skip",     "Power",      "Comment",   "URCALL",    "RPT1CALL", "RPT2CALL", "DVCODE"};

constexpr std::size_t ColumnIndex(ListColumn column) { return static_cast<std::size_t>(column); }

// Whether what a row stores depends on the column. A row that ends before such a column
// was cut short; the digital-voice columns and the comment may be missing.
constexpr bool ImportUsesColumn(ListColumn column) {
  switch (column) {
    case ListColumn::TStep:
    case ListColumn::Skip:
    case ListColumn::Comment:
    case ListColumn::URCALL:
    case ListColumn::RPT1CALL:
    case ListColumn::RPT2CALL:
    case ListColumn::DVCODE:
      return false;
    default:
      return true;
  }
}

// The column a header cell names: compared without regard to case, after trimming spaces
// and quotes; nothing for a name that is not one of the columns. With `words`, the channel
// table's headings of every language file count too.
std::optional<ListColumn> FindListColumn(std::string_view headerCell);
std::optional<ListColumn> FindListColumn(std::string_view headerCell, const ListVocabulary& words);

}  // namespace qorrin
