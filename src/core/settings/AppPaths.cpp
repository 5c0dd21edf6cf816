#include "core/settings/AppPaths.h"

namespace qorrin {

std::string g_strAppDir;
std::string g_strIniFile;
std::string g_strLangFile;

}  // namespace qorrin
