#pragma once
// Where the program finds setting.ini and its language files, and which language file is
// current at start-up.
#include <string>

namespace qorrin {

// The folder of the running executable.
std::string ExecutableFolder();

// Where the user's own copy of setting.ini goes when the program folder's cannot be
// written: $XDG_CONFIG_HOME/qorrin or ~/.config/qorrin (Linux), %APPDATA%\Qorrin
// (Windows). Empty when there is no such folder to name.
std::string UserSettingsFolder();

// Whether the program may replace the settings file at `path`.
bool SettingsFileWritable(const std::string& path);

// The program folder: `configDir` when given, else $QORRIN_HOME, else the executable's
// folder when it holds setting.ini (build tree, portable copy), else share/qorrin beside
// the executable's folder (<exe>/../share/qorrin: an install into any prefix), else the
// data folder of the prefix the program was configured for, else the executable's folder.
std::string ResolveProgramFolder(const std::string& configDir);

// "chinese" for a zh_CN locale (LC_ALL, LC_MESSAGES, LANG in that order), else "english".
std::string DefaultLanguageName();

// Sets g_strAppDir, g_strIniFile and g_strLangFile for the given program folder.
// Fails (with a message) when the folder has no setting.ini. A setting.ini that cannot be
// written (a system-wide installation) is copied once to the user's configuration folder
// (UserSettingsFolder) and that copy is used from then on, so
// the program can still remember the port and the language.
bool InitProgramPaths(const std::string& folder, std::string* error);

}  // namespace qorrin
