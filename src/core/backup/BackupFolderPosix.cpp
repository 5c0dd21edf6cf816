// Where backups go on Linux: the XDG data folder.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/backup/BackupStore.h"

namespace qorrin {
namespace {

namespace fs = std::filesystem;

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return {};
}

}  // namespace

std::string BackupFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  fs::path base;
  if (data != nullptr && data[0] == '/') {
    base = data;
  } else {
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    base = fs::path(home) / ".local" / "share";
  }
  return (base / "qorrin" / "backups").string();
}

}  // namespace qorrin
