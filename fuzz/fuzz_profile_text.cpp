// Feeds arbitrary bytes to the INI reader and writer as a settings or language file:
// nothing may crash, and a value written must read back the same.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/lang/LangText.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/ProfileText.h"

namespace {

std::string TempFile() {
  static std::string path = [] {
    char name[] = "/dev/shm/qorrin-fuzz-profile-XXXXXX";
    int fd = ::mkstemp(name);
    if (fd >= 0) ::close(fd);
    return std::string(name);
  }();
  return path;
}

void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = TempFile();
  WriteBytes(path, data, size);
  qorrin::g_strLangFile = path;

  (void)qorrin::SplitProfile(std::string_view(reinterpret_cast<const char*>(data), size));
  (void)qorrin::LoadLangString("IDS_OFF");
  (void)qorrin::LoadResourceText(65535);
  (void)qorrin::LoadOptionList("Step");
  (void)qorrin::ReadProfileInt("setup", "com", 1, path);
  (void)qorrin::ReadProfileString("ModelInfo", "data0", "", 32, path);

  // Take a key and a value from the input itself so odd names are written too.
  std::string key = size > 0 ? std::string(1, static_cast<char>('a' + data[0] % 26)) : "k";
  std::string value(reinterpret_cast<const char*>(data), size < 16 ? size : 16);
  for (char& c : value) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  if (qorrin::WriteProfileString("Fuzz Section", key, value, path)) {
    std::string back = qorrin::ReadProfileString("Fuzz Section", key, "<missing>", 260, path);
    if (back != value) std::abort();
  }
  return 0;
}
