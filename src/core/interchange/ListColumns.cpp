#include "core/interchange/ListColumns.h"

#include "core/interchange/ListFieldText.h"
#include "core/interchange/ListVocabulary.h"

namespace qorrin {

namespace {

std::string_view TrimmedName(std::string_view name) {
  const auto isTrimmed = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
  while (!name.empty() && isTrimmed(name.front())) name.remove_prefix(1);
  while (!name.empty() && isTrimmed(name.back())) name.remove_suffix(1);
  return name;
}

}  // namespace

std::optional<ListColumn> FindListColumn(std::string_view headerCell) {
  const std::string_view name = TrimmedName(headerCell);
  for (std::size_t i = 0; i < kWrittenColumnCount; ++i) {
    if (EqualNoCase(name, kListColumnNames[i])) return static_cast<ListColumn>(i);
  }
  return std::nullopt;
}

std::optional<ListColumn> FindListColumn(std::string_view headerCell, const ListVocabulary& words) {
  if (std::optional<ListColumn> column = FindListColumn(headerCell)) return column;
  return words.FindHeading(TrimmedName(headerCell));
}

}  // namespace qorrin
