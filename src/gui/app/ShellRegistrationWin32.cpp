// ".7Q" in the current user's classes (HKEY_CURRENT_USER\Software\Classes), as the
// document's type: the identifier "7Q", the name "Radio Data Files", the program's icon
// and an open command that passes the file as "%1". No print commands are offered. An
// extension the user has given to another type is left alone; our own type always names
// this executable, so a moved program folder is followed at its next start.
#include <windows.h>
#include <shlobj.h>

#include <cwchar>
#include <string>

#include "gui/app/ShellRegistration.h"

namespace qorrin::gui {
namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";
constexpr wchar_t kExtension[] = L".7Q";
constexpr wchar_t kTypeId[] = L"7Q";
constexpr wchar_t kTypeName[] = L"Radio Data Files";

std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// The default value of a key under the user's classes; empty when there is none.
std::wstring DefaultValue(const std::wstring& key) {
  const std::wstring full = kClasses + key;
  DWORD bytes = 0;
  if (::RegGetValueW(HKEY_CURRENT_USER, full.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS ||
      bytes < sizeof(wchar_t)) {
    return {};
  }
  std::wstring value(bytes / sizeof(wchar_t), L'\0');
  if (::RegGetValueW(HKEY_CURRENT_USER, full.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  value.resize(wcsnlen(value.c_str(), value.size()));
  return value;
}

// Sets the default value when it differs; true when something was written.
bool SetDefaultValue(const std::wstring& key, const std::wstring& value) {
  if (DefaultValue(key) == value) return false;
  const std::wstring full = kClasses + key;
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return ::RegSetKeyValueW(HKEY_CURRENT_USER, full.c_str(), nullptr, REG_SZ, value.c_str(), bytes) == ERROR_SUCCESS;
}

}  // namespace

void RegisterProjectFileType() {
  const std::wstring exe = ExecutablePath();
  if (exe.empty()) return;
  const std::wstring type = kTypeId;
  bool changed = SetDefaultValue(type, kTypeName);
  changed |= SetDefaultValue(type + L"\\DefaultIcon", exe + L",0");
  changed |= SetDefaultValue(type + L"\\shell\\open\\command", L"\"" + exe + L"\" \"%1\"");
  const std::wstring current = DefaultValue(kExtension);
  if (current.empty() || current == type) changed |= SetDefaultValue(kExtension, type);
  // Explorer caches icons and commands: tell it that an association changed.
  if (changed) ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

}  // namespace qorrin::gui
