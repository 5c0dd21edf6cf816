#pragma once
// The named columns of a channel list, in the order they are written. Other radio tools
// and repeater directories read and write this layout; older files carry only some of the
// columns, and readers match them by name.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace qorrin {

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
};

inline constexpr std::size_t kListColumnCount = 21;

inline constexpr std::array<std::string_view, kListColumnCount> kListColumnNames{
    "Location", "Name",       "Frequency", "Duplex",    "Offset", "Tone",    "rToneFreq",
    "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "TStep",
    "Skip",     "Power",      "Comment",   "URCALL",    "RPT1CALL", "RPT2CALL", "DVCODE"};

constexpr std::size_t ColumnIndex(ListColumn column) { return static_cast<std::size_t>(column); }
constexpr std::string_view ColumnName(ListColumn column) { return kListColumnNames[ColumnIndex(column)]; }

// The column a header cell names: compared without regard to case, after trimming spaces
// and quotes; nothing for a name that is not one of the columns.
std::optional<ListColumn> FindListColumn(std::string_view headerCell);

}  // namespace qorrin
