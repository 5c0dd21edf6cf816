#include "core/settings/ProfileCache.h"

#include <sys/stat.h>
#include <time.h>

#include <atomic>
#include <mutex>
#include <unordered_map>

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

// Names match without regard to ASCII letter case; the section's length goes first so
// that no section and key pair can spell another.
std::string IndexKey(std::string_view section, std::string_view key) {
  std::string index = std::to_string(section.size());
  index += ':';
  index += section;
  index += key;
  for (char& c : index) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
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
  // The same rules as FindProfileKey: a section name counts at its first appearance only,
  // and the first key of a name in it wins.
  std::unordered_map<std::string, bool> seenSections;
  std::string_view section;
  bool inSection = false;
  for (const ProfileLine& line : SplitProfile(m_text)) {
    if (line.kind == ProfileLine::kSection) {
      inSection = seenSections.emplace(IndexKey(line.name, ""), true).second;
      section = line.name;
    } else if (inSection && line.kind == ProfileLine::kKeyValue) {
      m_values.emplace(IndexKey(section, line.name), line.value);
    }
  }
}

std::optional<std::string_view> ParsedProfile::Find(std::string_view section, std::string_view key) const {
  auto it = m_values.find(IndexKey(section, TrimBlanks(key)));
  if (it == m_values.end()) return std::nullopt;
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
