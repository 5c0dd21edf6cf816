#include "core/interchange/NameClash.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "core/interchange/NameShortening.h"

namespace qorrin {

namespace {

using Group = std::vector<PlannedRow*>;

bool StoresName(const PlannedRow& row) {
  return !row.IsRefused() && row.channel.bStoreName && !row.channel.strName.empty();
}

// The rows by the name they store; only groups of names that differ as the radio shows
// them (names differing in case alone are one name).
std::vector<Group> ClashingGroups(std::vector<PlannedRow>& rows) {
  std::map<std::string, Group> byName;
  for (PlannedRow& row : rows) {
    if (StoresName(row)) byName[row.channel.strName].push_back(&row);
  }
  std::vector<Group> groups;
  for (auto& [name, group] : byName) {
    std::set<std::string> sources;
    for (const PlannedRow* row : group) sources.insert(ShownChannelName(row->channel.strSourceName));
    if (sources.size() > 1) groups.push_back(std::move(group));
  }
  return groups;
}

// Whether `shorten` gives different names for different sources of the group.
template <typename Shorten>
bool TellsApart(const Group& group, Shorten shorten) {
  std::map<std::string, std::string> nameOfSource;
  std::set<std::string> names;
  for (const PlannedRow* row : group) {
    const std::string source = ShownChannelName(row->channel.strSourceName);
    if (nameOfSource.emplace(source, shorten(row->channel.strSourceName)).second) {
      if (!names.insert(nameOfSource[source]).second) return false;
    }
  }
  return true;
}

void Rename(PlannedRow& row, std::string name) {
  row.channel.strName = std::move(name);
  for (ImportNote& note : row.changes) {
    if (note.kind == ImportNoteKind::NameShortened) {
      note.strSecond = row.channel.strName;
      return;
    }
  }
  row.changes.push_back(ImportNote{ImportNoteKind::NameShortened, row.channel.strSourceName, row.channel.strName});
}

std::string OtherLines(const Group& group, const PlannedRow& row) {
  const std::string source = ShownChannelName(row.channel.strSourceName);
  std::string lines;
  for (const PlannedRow* other : group) {
    if (ShownChannelName(other->channel.strSourceName) == source) continue;
    if (!lines.empty()) lines += ", ";
    lines += std::to_string(other->nLine);
  }
  return lines;
}

}  // namespace

void ResolveNameClashes(std::vector<PlannedRow>& rows) {
  using Shortening = std::string (*)(std::string_view);
  constexpr Shortening kAgain[] = {&LastFourOfName, &EndsOfName};
  for (Group& group : ClashingGroups(rows)) {
    for (Shortening shorten : kAgain) {
      if (!TellsApart(group, shorten)) continue;
      for (PlannedRow* row : group) Rename(*row, shorten(row->channel.strSourceName));
      break;
    }
  }
  // What is left alike now, within a group or with another row, is said on each row.
  for (const Group& group : ClashingGroups(rows)) {
    for (PlannedRow* row : group) {
      row->changes.push_back(ImportNote{ImportNoteKind::NameClash, row->channel.strName, OtherLines(group, *row)});
    }
  }
}

}  // namespace qorrin
