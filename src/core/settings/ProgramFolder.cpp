#include "core/settings/ProgramFolder.h"

#include <filesystem>

#include "core/platform/SystemCalls.h"
#include "core/platform/Utf8Path.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"

namespace fs = std::filesystem;

namespace qorrin {

namespace {

constexpr std::size_t kLanguageBuffer = 260;

// The settings file to use for a program folder: the folder's own when it can be
// written, else the user's copy of it.
std::string WritableSettingsFile(const fs::path& shipped) {
  if (SettingsFileWritable(platform::PathUtf8(shipped))) return platform::PathUtf8(shipped);
  const std::string userFolder = UserSettingsFolder();
  if (userFolder.empty()) return platform::PathUtf8(shipped);
  const fs::path folder = platform::Utf8Path(userFolder);
  fs::path copy = folder / "setting.ini";
  std::error_code ec;
  if (!fs::exists(copy, ec)) {
    fs::create_directories(folder, ec);
    fs::copy_file(shipped, copy, ec);
    if (ec) return platform::PathUtf8(shipped);
    // The copy is the user's own to change, whatever protected the shipped file (on
    // Windows the read-only attribute travels with a copy).
    fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add, ec);
  }
  return platform::PathUtf8(copy);
}

}  // namespace

std::string ResolveProgramFolder(const std::string& configDir) {
  if (!configDir.empty()) return configDir;
  std::string home = platform::EnvironmentText("QORRIN_HOME");
  if (!home.empty()) return home;
  std::string exeFolder = ExecutableFolder();
  std::error_code ec;
  if (fs::exists(platform::Utf8Path(exeFolder) / "setting.ini", ec)) return exeFolder;
  // An installed program finds its folder beside its bin/ first, so that an install into
  // any prefix, or an unpacked package, works wherever it lies; then where it was
  // configured to be installed.
  const fs::path beside = (platform::Utf8Path(exeFolder) / ".." / "share" / "qorrin").lexically_normal();
  if (fs::exists(beside / "setting.ini", ec)) return platform::PathUtf8(beside);
#if defined(QORRIN_SHARE_DIR) && !defined(_WIN32)
  if (fs::exists(fs::path(QORRIN_SHARE_DIR) / "setting.ini", ec)) return QORRIN_SHARE_DIR;
#endif
  return exeFolder;
}

bool InitProgramPaths(const std::string& folder, std::string* error) {
  std::string text = folder;
  while (text.size() > 1 && (text.back() == '/' || text.back() == fs::path::preferred_separator)) text.pop_back();
  g_strAppDir = text;
  fs::path shipped = platform::Utf8Path(g_strAppDir) / "setting.ini";
  std::error_code ec;
  if (!fs::is_regular_file(shipped, ec)) {
    if (error) *error = "Can not find the file setting.ini! (looked in " + g_strAppDir + ")";
    return false;
  }
  g_strIniFile = WritableSettingsFile(shipped);
  std::string language = ReadProfileString("setup", "language", "", kLanguageBuffer, g_strIniFile);
  if (language.empty()) language = DefaultLanguageName();
  g_strLangFile = platform::PathUtf8(platform::Utf8Path(g_strAppDir) / platform::Utf8Path(language + ".lang"));
  return true;
}

}  // namespace qorrin
