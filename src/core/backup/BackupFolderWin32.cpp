// Where backups go on Windows: the user's local (not roaming) application data, since
// backups belong to this machine's radios and may grow to hundreds of files.
#include "core/backup/BackupStore.h"

#include "core/platform/SystemCalls.h"
#include "core/platform/Utf8Path.h"

namespace qorrin {

std::string BackupFolder() {
  const std::string local = platform::EnvironmentText("LOCALAPPDATA");
  if (local.empty()) return {};
  return platform::PathUtf8(platform::Utf8Path(local) / "Qorrin" / "backups");
}

}  // namespace qorrin
