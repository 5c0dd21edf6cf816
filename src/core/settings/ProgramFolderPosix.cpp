// The program folder's Linux side: the executable found through /proc, the XDG
// configuration folder for the user's copy of setting.ini, the language from the locale.
#include <unistd.h>

#include <filesystem>

#include "core/platform/SystemCalls.h"
#include "core/settings/ProgramFolder.h"

namespace fs = std::filesystem;

namespace qorrin {

std::string ExecutableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path(ec).string();
  return exe.parent_path().string();
}

std::string UserSettingsFolder() {
  std::string xdg = platform::EnvironmentText("XDG_CONFIG_HOME");
  if (!xdg.empty()) return (fs::path(xdg) / "qorrin").string();
  std::string home = platform::EnvironmentText("HOME");
  if (home.empty()) return {};
  return (fs::path(home) / ".config" / "qorrin").string();
}

bool SettingsFileWritable(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

std::string DefaultLanguageName() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    std::string value = platform::EnvironmentText(name);
    if (value.empty()) continue;
    return value.rfind("zh_CN", 0) == 0 ? "chinese" : "english";
  }
  return "english";
}

}  // namespace qorrin
