#include "core/settings/ProfileCache.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "core/settings/FileStamp.h"

namespace qorrin {

namespace {

// File systems keep times with a coarse clock (a scheduler tick on Linux, two seconds on
// FAT), so a file written twice within one step keeps its stamp. A copy is trusted only
// when both times were already this far in the past when the file was looked at; until
// then every lookup reads the file again.
std::atomic<long long> g_stampSlackNs{2'500'000'000LL};

// The wall clock in nanoseconds since 1970, as the file times count.
long long NowNanos() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

bool Settled(const FileStamp& stamp, long long lookedAtNs) {
  const long long limit = lookedAtNs - g_stampSlackNs.load();
  return stamp.modifiedNs < limit && stamp.changedNs < limit;
}

struct Entry {
  FileStamp stamp;
  bool settled = false;
  std::shared_ptr<const ParsedProfile> parsed;
};

// A program reads setting.ini, one language file and the [Face] of the others; the bound
// only keeps a caller that walks many files from growing the table without end.
constexpr std::size_t kMaxEntries = 64;

std::mutex g_cacheMutex;
std::unordered_map<std::string, Entry> g_cache;  // guarded by g_cacheMutex

std::shared_ptr<const ParsedProfile> Parse(std::string text) {
  return std::make_shared<const ParsedProfile>(std::move(text));
}

// ASCII upper case to lower case, every other byte unchanged; a table rather than a range
// test, as every byte of every name goes through it.
struct LowerTable {
  char map[256];
  constexpr LowerTable() : map() {
    for (int c = 0; c < 256; ++c) map[c] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
};
constexpr LowerTable kLower;

// A hash of a section and key name that ignores ASCII letter case, as comparing them
// does. The section's length goes in first, so that pairs whose names split the same
// letters differently ("ab" + "c", "a" + "bc") hash apart.
std::uint64_t NameHash(std::string_view section, std::string_view key, bool isSection) {
  std::uint64_t h = 1469598103934665603ull ^ (section.size() * 2 + (isSection ? 1 : 0));
  for (char c : section) h = (h ^ static_cast<unsigned char>(kLower.map[static_cast<unsigned char>(c)])) * 1099511628211ull;
  h = (h ^ 0xFF) * 1099511628211ull;
  for (char c : key) h = (h ^ static_cast<unsigned char>(kLower.map[static_cast<unsigned char>(c)])) * 1099511628211ull;
  return h ^ (h >> 29);
}

std::string_view TrimBlanks(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

ParsedProfile::ParsedProfile(std::string text) : m_text(std::move(text)) {
  const std::vector<ProfileLine> lines = SplitProfile(m_text);
  std::size_t names = 0;
  for (const ProfileLine& line : lines) names += line.kind == ProfileLine::kOther ? 0 : 1;
  m_names.reserve(names);
  std::size_t slots = 8;
  while (slots < names * 2) slots *= 2;
  m_slots.assign(slots, 0);

  // The same rules as FindProfileKey: a section name counts at its first appearance only,
  // and the first key of a name in it wins. Sections are names of their own kind, so that
  // they share the table without meeting a key.
  std::string_view section;
  bool inSection = false;
  for (const ProfileLine& line : lines) {
    if (line.kind == ProfileLine::kSection) {
      section = line.name;
      inSection = Insert({line.name, {}, {}, true});
    } else if (inSection && line.kind == ProfileLine::kKeyValue) {
      Insert({section, line.name, line.value, false});
    }
  }
}

std::size_t ParsedProfile::SlotOf(std::string_view section, std::string_view key, bool isSection) const {
  const std::size_t mask = m_slots.size() - 1;
  for (std::size_t at = NameHash(section, key, isSection) & mask;; at = (at + 1) & mask) {
    const std::size_t held = m_slots[at];
    if (held == 0) return at;
    const Name& name = m_names[held - 1];
    if (name.isSection == isSection && ProfileNamesEqual(name.section, section) && ProfileNamesEqual(name.key, key)) {
      return at;
    }
  }
}

bool ParsedProfile::Insert(const Name& name) {
  const std::size_t at = SlotOf(name.section, name.key, name.isSection);
  if (m_slots[at] != 0) return false;
  m_names.push_back(name);
  m_slots[at] = m_names.size();
  return true;
}

std::optional<std::string_view> ParsedProfile::Find(std::string_view section, std::string_view key) const {
  const std::size_t held = m_slots[SlotOf(section, TrimBlanks(key), false)];
  if (held == 0) return std::nullopt;
  return m_names[held - 1].value;
}

std::shared_ptr<const ParsedProfile> LoadParsedProfile(const std::string& path) {
  const long long lookedAt = NowNanos();
  FileStamp stamp;
  const FileKind kind = StampFile(path, &stamp);
  if (kind == FileKind::Missing || kind == FileKind::Folder) {
    ForgetParsedProfile(path);
    return nullptr;
  }
  if (kind != FileKind::Regular) {  // a device or pipe: its contents have no stamp
    std::optional<std::string> text = ReadWholeFile(path);
    return text ? Parse(std::move(*text)) : nullptr;
  }
  std::shared_ptr<const ParsedProfile> previous;
  {
    std::lock_guard lock(g_cacheMutex);
    auto it = g_cache.find(path);
    if (it != g_cache.end()) {
      if (it->second.settled && it->second.stamp == stamp) return it->second.parsed;
      previous = it->second.parsed;
    }
  }

  // Read outside the lock: another thread's lookup in another file need not wait. The
  // stamp was taken before the read, so a change made meanwhile shows at the next lookup.
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) {
    ForgetParsedProfile(path);
    return nullptr;
  }
  std::shared_ptr<const ParsedProfile> parsed =
      previous && previous->Text() == *text ? previous : Parse(std::move(*text));
  std::lock_guard lock(g_cacheMutex);
  if (g_cache.size() >= kMaxEntries && g_cache.find(path) == g_cache.end()) g_cache.clear();
  g_cache[path] = Entry{stamp, Settled(stamp, lookedAt), parsed};
  return parsed;
}

void SetProfileStampSlack(std::chrono::nanoseconds slack) { g_stampSlackNs.store(slack.count()); }

void ForgetParsedProfile(const std::string& path) {
  std::lock_guard lock(g_cacheMutex);
  g_cache.erase(path);
}

}  // namespace qorrin
