// Feeds arbitrary bytes to the project-file loader and decodes everything the way `dump`
// does: nothing may crash, the JSON must be valid, and a loaded project file must be
// stored back byte for byte.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

#include "cli/DocumentDump.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"

namespace {

void InstallSettings() {
  char name[] = "/tmp/qorrin-fuzz-setting-XXXXXX";
  int fd = ::mkstemp(name);
  if (fd < 0) std::abort();
  const std::string ini =
      "[ModelInfo]\ndata0=60134017\nFreq0=136-174MHz\ndata1=00400047\nFreq1=400-470MHz\n"
      "data2=6013401700400047\nFreq2=136-174MHz/400-470MHz\ndata3=601\nFreq3=short\n";
  if (::write(fd, ini.data(), ini.size()) != static_cast<ssize_t>(ini.size())) std::abort();
  ::close(fd);
  qorrin::g_strIniFile = name;
  qorrin::g_strLangFile = "/nonexistent.lang";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool installed = (InstallSettings(), true);
  (void)installed;
  qorrin::CQorrinDoc doc;
  const std::span<const std::uint8_t> bytes(data, size);
  qorrin::LoadStatus status = doc.SerializeLoad(bytes);
  const std::string text = qorrin::cli::DumpText(doc);
  const std::string json = qorrin::cli::DumpJson(doc).dump();
  if (!nlohmann::json::accept(json)) std::abort();
  (void)qorrin::cli::InfoText(doc, "fuzz");
  if (status == qorrin::LoadStatus::Ok && size >= qorrin::kProjectFileSize) {
    const std::vector<std::uint8_t> stored = doc.SerializeStore();
    if (stored.size() != qorrin::kProjectFileSize ||
        !std::equal(stored.begin(), stored.end(), data)) {
      std::abort();
    }
  }
  return 0;
}
