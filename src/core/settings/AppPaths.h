#pragma once
// The three process-wide paths: the program folder, its setting.ini and the current
// language file. Set at start-up (and by the language choice); read at each use so that
// a change takes effect at the next lookup. Used from the user-interface thread only;
// the transfer worker gets its own copy of the settings path.
#include <string>

namespace qorrin {

extern std::string g_strAppDir;    // program folder, no trailing separator
extern std::string g_strIniFile;   // full path of setting.ini
extern std::string g_strLangFile;  // full path of the current *.lang file

}  // namespace qorrin
