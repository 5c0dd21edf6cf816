#include "core/backup/BackupStore.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <tuple>

#include "core/model/CQorrinDoc.h"
#include "core/model/ProjectFile.h"
#include "core/platform/SystemCalls.h"
#include "core/platform/Utf8Path.h"
#include "core/settings/AtomicFile.h"

namespace qorrin {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kExtension = ".7Q";
constexpr std::size_t kStampLength = 19;  // "2026-12-06_14-05-33"

// Threads of one process choose names and trim one at a time; other processes are kept
// apart by claiming each name with a create that fails when the name exists.
std::mutex g_folderMutex;

std::string StampText(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  const std::tm local = platform::LocalTime(seconds);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
  return text;
}

bool IsStamp(std::string_view text) {
  static constexpr std::string_view kShape = "dddd-dd-dd_dd-dd-dd";
  if (text.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
    if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return false;
  }
  return true;
}

// What a backup's file name says; false for any other file.
struct ParsedName {
  std::string stamp, port, direction;
  int sequence = 1;
};

bool ParseName(const std::string& name, ParsedName* parsed) {
  if (name.size() <= kStampLength + kExtension.size() || !name.ends_with(kExtension)) return false;
  const std::string_view stem(name.data(), name.size() - kExtension.size());
  if (!IsStamp(stem.substr(0, kStampLength)) || stem[kStampLength] != '_') return false;
  const std::string_view rest = stem.substr(kStampLength + 1);
  const std::size_t split = rest.rfind('_');
  if (split == std::string_view::npos || split == 0) return false;
  std::string_view direction = rest.substr(split + 1);
  int sequence = 1;
  if (const std::size_t dash = direction.find('-'); dash != std::string_view::npos) {
    const std::string digits(direction.substr(dash + 1));
    if (digits.empty() || digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
      return false;
    }
    sequence = std::atoi(digits.c_str());
    direction = direction.substr(0, dash);
  }
  if (direction != "read" && direction != "write") return false;
  parsed->stamp = std::string(stem.substr(0, kStampLength));
  parsed->port = std::string(rest.substr(0, split));
  parsed->direction = std::string(direction);
  parsed->sequence = sequence;
  return true;
}

struct Found {
  fs::path path;
  ParsedName name;
  fs::file_time_type modified;
};

// Oldest first: by the time in the name, then by when the file was written, then by the
// number that made the name unique.
bool Older(const Found& a, const Found& b) {
  return std::tie(a.name.stamp, a.modified, a.name.sequence, a.path) <
         std::tie(b.name.stamp, b.modified, b.name.sequence, b.path);
}

std::vector<Found> FindBackups(const std::string& folder) {
  std::vector<Found> found;
  std::error_code ec;
  fs::directory_iterator it(platform::Utf8Path(folder), ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code entryError;
    if (!it->is_regular_file(entryError)) continue;
    Found item;
    if (!ParseName(platform::PathUtf8(it->path().filename()), &item.name)) continue;
    item.path = it->path();
    item.modified = it->last_write_time(entryError);
    found.push_back(std::move(item));
  }
  std::sort(found.begin(), found.end(), Older);
  return found;
}

int TrimLocked(const std::string& folder, int keep) {
  std::vector<Found> found = FindBackups(folder);
  int removed = 0;
  const std::size_t limit = static_cast<std::size_t>(std::max(0, keep));
  for (std::size_t i = 0; found.size() - i > limit; ++i) {
    std::error_code ec;
    if (fs::remove(found[i].path, ec)) ++removed;
  }
  return removed;
}

// Claims a free name by creating it empty; the atomic write then replaces it.
bool ClaimName(const fs::path& folder, const std::string& base, fs::path* claimed, std::string* error) {
  for (int sequence = 1; sequence < 1000; ++sequence) {
    const std::string name = base + (sequence == 1 ? "" : "-" + std::to_string(sequence)) + std::string(kExtension);
    const fs::path path = folder / platform::Utf8Path(name);
    const int failure = platform::CreateNewFile(platform::PathUtf8(path));
    if (failure == 0) {
      *claimed = path;
      return true;
    }
    if (failure != EEXIST) {
      *error = "cannot create " + platform::PathUtf8(path) + ": " + std::strerror(failure);
      return false;
    }
  }
  *error = "too many backups named " + base + " in " + platform::PathUtf8(folder);
  return false;
}

}  // namespace

std::string BackupPortName(const std::string& portLabel) {
  std::string_view text = portLabel;
  // A stable name under /dev/serial, or a link elsewhere (a simulator's, a udev rule's),
  // is known by its own name; other devices by their path below /dev ("pts-5").
  const bool stable = text.starts_with("/dev/serial/");
  if (text.starts_with("/dev/") && !stable) {
    text.remove_prefix(5);
  } else if (const std::size_t slash = text.find_last_of('/'); slash != std::string_view::npos) {
    text.remove_prefix(slash + 1);
  }
  std::string name;
  for (char c : text) {
    const bool keep = std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '-';
    name += keep ? c : '-';
  }
  return name.empty() ? std::string("port") : name;
}

BackupResult SaveBackup(ConstImageSpan image, const std::string& portLabel, BackupDirection direction,
                        const std::string& folder, std::chrono::system_clock::time_point when, int keep) {
  BackupResult result;
  try {
    if (folder.empty()) {
      result.strError = "there is no home folder to keep backups in";
      return result;
    }
    std::error_code ec;
    fs::create_directories(platform::Utf8Path(folder), ec);
    if (ec) {
      result.strError = "cannot create the backup folder " + folder + ": " + ec.message();
      return result;
    }
    std::string bytes(kProjectHeaderText);
    bytes.resize(kProjectHeaderSize, '\0');
    bytes.append(reinterpret_cast<const char*>(image.data()), image.size());

    const std::string base = StampText(when) + "_" + BackupPortName(portLabel) + "_" +
                             (direction == BackupDirection::Read ? "read" : "write");
    std::lock_guard lock(g_folderMutex);
    fs::path path;
    if (!ClaimName(platform::Utf8Path(folder), base, &path, &result.strError)) return result;
    std::string error;
    if (!WriteFileAtomically(platform::PathUtf8(path), bytes, &error)) {
      fs::remove(path, ec);  // never leave an empty claim behind
      result.strError = error;
      return result;
    }
    result.bOk = true;
    result.strPath = platform::PathUtf8(path);
    TrimLocked(folder, keep);
  } catch (const std::exception& e) {
    result.bOk = false;
    result.strError = std::string("backup failed: ") + e.what();
  }
  return result;
}

std::vector<BackupEntry> ListBackups(const std::string& folder) {
  std::vector<BackupEntry> entries;
  if (folder.empty()) return entries;
  std::vector<Found> found = FindBackups(folder);
  for (auto it = found.rbegin(); it != found.rend(); ++it) {
    BackupEntry entry;
    entry.strPath = platform::PathUtf8(it->path);
    entry.strFileName = platform::PathUtf8(it->path.filename());
    std::string date = it->name.stamp;
    date[10] = ' ';
    date[13] = ':';
    date[16] = ':';
    entry.strDate = date;
    entry.strPort = it->name.port;
    entry.strDirection = it->name.direction;
    const FileReadResult head = ReadFileHead(entry.strPath);
    if (head.bOk && head.bytes.size() == kProjectFileSize && HasProjectHeaderId(head.bytes)) {
      entry.nProgrammedChannels =
          ProgrammedChannelCount(ConstImageSpan(head.bytes.data() + kProjectHeaderSize, kImageSize));
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

int TrimBackups(const std::string& folder, int keep) {
  std::lock_guard lock(g_folderMutex);
  return TrimLocked(folder, keep);
}

}  // namespace qorrin
