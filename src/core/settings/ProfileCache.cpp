#include "core/settings/ProfileCache.h"

#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace qorrin {

namespace {

// What the file system says about a file; equal stamps mean unchanged contents, provided
// the stamp had settled (below). The change time moves on every write and every time
// change, so an edit that restores the old modification time is still seen.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};
};

bool operator==(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool operator==(const FileStamp& a, const FileStamp& b) {
  return a.device == b.device && a.inode == b.inode && a.size == b.size &&
         a.modified == b.modified && a.changed == b.changed;
}

FileStamp StampOf(const struct stat& st) {
  return {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

// File systems keep times with a coarse clock (a scheduler tick on Linux, two seconds on
// FAT), so a file written twice within one step keeps its stamp. A copy is trusted only
// when both times were already this far in the past when the file was looked at; until
// then every lookup reads the file again.
std::atomic<long long> g_stampSlackNs{2'500'000'000LL};

long long Nanos(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec; }

bool Settled(const FileStamp& stamp, const timespec& lookedAt) {
  const long long limit = Nanos(lookedAt) - g_stampSlackNs.load();
  return Nanos(stamp.modified) < limit && Nanos(stamp.changed) < limit;
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

// Names match without regard to ASCII letter case; the section's length goes first so
// that no section and key pair can spell another. Appended to `out`.
void AppendIndexKey(std::string& out, std::string_view section, std::string_view key) {
  char digits[24];
  const auto [digitsEnd, error] = std::to_chars(digits, digits + sizeof digits, section.size());
  (void)error;
  out.append(digits, digitsEnd);
  out += ':';
  const std::size_t at = out.size();
  out.resize(at + section.size() + key.size());
  char* write = out.data() + at;
  for (char c : section) *write++ = kLower.map[static_cast<unsigned char>(c)];
  for (char c : key) *write++ = kLower.map[static_cast<unsigned char>(c)];
}

// The most AppendIndexKey adds: the length's digits, the colon, the names.
constexpr std::size_t kIndexKeyOverhead = 24;

std::string IndexKey(std::string_view section, std::string_view key) {
  std::string index;
  index.reserve(kIndexKeyOverhead + section.size() + key.size());
  AppendIndexKey(index, section, key);
  return index;
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
  // Every index key goes into one buffer, reserved up front so that the views into it
  // stay valid: one allocation instead of one per key.
  std::size_t bound = 0;
  std::size_t sectionSize = 0;
  for (const ProfileLine& line : lines) {
    if (line.kind == ProfileLine::kSection) {
      sectionSize = line.name.size();
      bound += kIndexKeyOverhead + sectionSize;
    } else if (line.kind == ProfileLine::kKeyValue) {
      bound += kIndexKeyOverhead + sectionSize + line.name.size();
    }
  }
  m_keys.reserve(bound);
  auto addKey = [&](std::string_view section, std::string_view key) {
    const std::size_t at = m_keys.size();
    AppendIndexKey(m_keys, section, key);
    return std::string_view(m_keys).substr(at);
  };

  // The same rules as FindProfileKey: a section name counts at its first appearance only,
  // and the first key of a name in it wins (the sort below keeps the file's order among
  // equal keys, and the first of them stays).
  std::unordered_set<std::string_view> seenSections;
  std::string_view section;
  bool inSection = false;
  for (const ProfileLine& line : lines) {
    if (line.kind == ProfileLine::kSection) {
      inSection = seenSections.insert(addKey(line.name, "")).second;
      section = line.name;
    } else if (inSection && line.kind == ProfileLine::kKeyValue) {
      m_values.emplace_back(addKey(section, line.name), line.value);
    }
  }
  auto byKey = [](const Value& a, const Value& b) { return a.first < b.first; };
  std::stable_sort(m_values.begin(), m_values.end(), byKey);
  m_values.erase(std::unique(m_values.begin(), m_values.end(),
                             [](const Value& a, const Value& b) { return a.first == b.first; }),
                 m_values.end());
}

std::optional<std::string_view> ParsedProfile::Find(std::string_view section, std::string_view key) const {
  const std::string index = IndexKey(section, TrimBlanks(key));
  auto it = std::lower_bound(m_values.begin(), m_values.end(), std::string_view(index),
                             [](const Value& value, std::string_view wanted) { return value.first < wanted; });
  if (it == m_values.end() || it->first != index) return std::nullopt;
  return it->second;
}

std::shared_ptr<const ParsedProfile> LoadParsedProfile(const std::string& path) {
  timespec lookedAt{};
  ::clock_gettime(CLOCK_REALTIME, &lookedAt);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
    ForgetParsedProfile(path);
    return nullptr;
  }
  if (!S_ISREG(st.st_mode)) {  // a device or pipe: its contents have no stamp
    std::optional<std::string> text = ReadWholeFile(path);
    return text ? Parse(std::move(*text)) : nullptr;
  }
  const FileStamp stamp = StampOf(st);
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
