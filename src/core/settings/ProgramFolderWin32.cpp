// The program folder's Windows side: the executable's own folder (a portable copy runs
// from anywhere, a USB stick included), %APPDATA%\Qorrin for the user's copy of
// setting.ini when that folder cannot be written (Program Files), the language from the
// user's locale.
#include <windows.h>

#include <filesystem>

#include "core/platform/SystemCalls.h"
#include "core/platform/Utf8Path.h"
#include "core/platform/WideText.h"
#include "core/settings/ProgramFolder.h"

namespace fs = std::filesystem;

namespace qorrin {

std::string ExecutableFolder() {
  std::wstring exe(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
    if (length == 0) {
      std::error_code ec;
      return platform::PathUtf8(fs::current_path(ec));
    }
    if (length < exe.size()) {
      exe.resize(length);
      break;
    }
    exe.resize(exe.size() * 2);  // a long path: try again with more room
  }
  return platform::PathUtf8(fs::path(exe).parent_path());
}

std::string UserSettingsFolder() {
  const std::string appData = platform::EnvironmentText("APPDATA");
  if (appData.empty()) return {};
  return platform::PathUtf8(platform::Utf8Path(appData) / "Qorrin");
}

// The file must not be read-only, and its folder must take a new file: the atomic write
// replaces the file through a temporary beside it. Asking the access rights would not
// do, as Program Files grants them to administrators only through elevation.
bool SettingsFileWritable(const std::string& path) {
  const fs::path file = platform::Utf8Path(path);
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  const fs::path probe = file.parent_path() / (L".qorrin-write-test-" + std::to_wstring(::GetCurrentProcessId()));
  const HANDLE handle = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(handle);
  return true;
}

// The locale 2052 (Chinese, PRC) picks chinese, any other english. LANG still counts when
// it is set (a shell from the Linux world), as it does on Linux.
std::string DefaultLanguageName() {
  const std::string lang = platform::EnvironmentText("LANG");
  if (!lang.empty()) return lang.rfind("zh_CN", 0) == 0 ? "chinese" : "english";
  constexpr LCID kChinesePrc = 2052;  // MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT)
  return ::GetUserDefaultLCID() == kChinesePrc ? "chinese" : "english";
}

}  // namespace qorrin
