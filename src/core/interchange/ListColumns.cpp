#include "core/interchange/ListColumns.h"

#include "core/interchange/ListFieldText.h"

namespace qorrin {

std::optional<ListColumn> FindListColumn(std::string_view headerCell) {
  std::string_view name = headerCell;
  const auto isTrimmed = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
  while (!name.empty() && isTrimmed(name.front())) name.remove_prefix(1);
  while (!name.empty() && isTrimmed(name.back())) name.remove_suffix(1);
  for (std::size_t i = 0; i < kListColumnCount; ++i) {
    if (EqualNoCase(name, kListColumnNames[i])) return static_cast<ListColumn>(i);
  }
  return std::nullopt;
}

}  // namespace qorrin
