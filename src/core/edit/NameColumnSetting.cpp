#include "core/edit/NameColumnSetting.h"

#include <string>

#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"

namespace qorrin {

NameColumnMode ReadNameColumnMode() {
  const std::string value = ReadProfileString("setup", "name", "1", 8, g_strIniFile);
  if (value.empty()) return NameColumnMode::Unfilled;
  if (value[0] == '1') return NameColumnMode::Shown;
  if (value[0] == '0') return NameColumnMode::Off;
  return NameColumnMode::Unfilled;
}

}  // namespace qorrin
