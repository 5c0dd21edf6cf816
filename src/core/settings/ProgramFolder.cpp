#include "core/settings/ProgramFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"

namespace fs = std::filesystem;

namespace qorrin {

namespace {

constexpr std::size_t kLanguageBuffer = 260;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

fs::path UserConfigFolder() {
  std::string xdg = Env("XDG_CONFIG_HOME");
  if (!xdg.empty()) return fs::path(xdg) / "qorrin";
  std::string home = Env("HOME");
  if (home.empty()) return {};
  return fs::path(home) / ".config" / "qorrin";
}

// The settings file to use for a program folder: the folder's own when it can be
// written, else the user's copy of it.
std::string WritableSettingsFile(const fs::path& shipped) {
  if (::access(shipped.c_str(), W_OK) == 0) return shipped.string();
  fs::path folder = UserConfigFolder();
  if (folder.empty()) return shipped.string();
  fs::path copy = folder / "setting.ini";
  std::error_code ec;
  if (!fs::exists(copy, ec)) {
    fs::create_directories(folder, ec);
    fs::copy_file(shipped, copy, ec);
    if (ec) return shipped.string();
  }
  return copy.string();
}

}  // namespace

std::string ExecutableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path(ec).string();
  return exe.parent_path().string();
}

std::string ResolveProgramFolder(const std::string& configDir) {
  if (!configDir.empty()) return configDir;
  std::string home = Env("QORRIN_HOME");
  if (!home.empty()) return home;
  std::string exeFolder = ExecutableFolder();
  std::error_code ec;
  if (fs::exists(fs::path(exeFolder) / "setting.ini", ec)) return exeFolder;
  // An installed program finds its folder beside its bin/ first, so that an install into
  // any prefix, or an unpacked package, works wherever it lies; then where it was
  // configured to be installed.
  const fs::path beside = (fs::path(exeFolder) / ".." / "share" / "qorrin").lexically_normal();
  if (fs::exists(beside / "setting.ini", ec)) return beside.string();
#ifdef QORRIN_SHARE_DIR
  if (fs::exists(fs::path(QORRIN_SHARE_DIR) / "setting.ini", ec)) return QORRIN_SHARE_DIR;
#endif
  return exeFolder;
}

std::string DefaultLanguageName() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    std::string value = Env(name);
    if (value.empty()) continue;
    return value.rfind("zh_CN", 0) == 0 ? "chinese" : "english";
  }
  return "english";
}

bool InitProgramPaths(const std::string& folder, std::string* error) {
  fs::path dir = fs::path(folder);
  std::string text = dir.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  g_strAppDir = text;
  fs::path shipped = fs::path(g_strAppDir) / "setting.ini";
  std::error_code ec;
  if (!fs::is_regular_file(shipped, ec)) {
    if (error) *error = "Can not find the file setting.ini! (looked in " + g_strAppDir + ")";
    return false;
  }
  g_strIniFile = WritableSettingsFile(shipped);
  std::string language = ReadProfileString("setup", "language", "", kLanguageBuffer, g_strIniFile);
  if (language.empty()) language = DefaultLanguageName();
  g_strLangFile = (fs::path(g_strAppDir) / (language + ".lang")).string();
  return true;
}

}  // namespace qorrin
