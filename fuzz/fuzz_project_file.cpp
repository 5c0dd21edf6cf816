// Feeds arbitrary bytes to the project-file loader and decodes the document the way `dump`
// does: nothing may crash, the JSON must be valid and list exactly the programmed
// channels, and a loaded project file must be stored back byte for byte.
//
// A dump of all 99 channels costs milliseconds under the sanitizers, so each input is
// dumped with two of its channels kept (chosen from the input's bytes) and the others
// marked empty, as text or as JSON (also chosen from the bytes); over many inputs every
// channel slot and every field goes through both.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/DocumentDump.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"

namespace {

void InstallSettings() {
  char name[] = "/dev/shm/qorrin-fuzz-setting-XXXXXX";
  char fallback[] = "/tmp/qorrin-fuzz-setting-XXXXXX";
  int fd = ::mkstemp(name);
  char* path = name;
  if (fd < 0) {
    fd = ::mkstemp(fallback);
    path = fallback;
  }
  if (fd < 0) std::abort();
  const std::string ini =
      "[ModelInfo]\ndata0=60134017\nFreq0=136-174MHz\ndata1=00400047\nFreq1=400-470MHz\n"
      "data2=6013401700400047\nFreq2=136-174MHz/400-470MHz\ndata3=601\nFreq3=short\n";
  if (::write(fd, ini.data(), ini.size()) != static_cast<ssize_t>(ini.size())) std::abort();
  ::close(fd);
  qorrin::g_strIniFile = path;
  qorrin::g_strLangFile = "/nonexistent.lang";
}

std::uint32_t Hash(const uint8_t* data, size_t size) {
  std::uint32_t h = 2166136261u;
  for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
  return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool installed = (InstallSettings(), true);
  (void)installed;
  qorrin::CQorrinDoc doc;
  const std::span<const std::uint8_t> bytes(data, size);
  const qorrin::LoadStatus status = doc.SerializeLoad(bytes);
  (void)qorrin::cli::InfoText(doc, "fuzz");
  if (status == qorrin::LoadStatus::Ok && size >= qorrin::kProjectFileSize) {
    const std::vector<std::uint8_t> stored = doc.SerializeStore();
    if (stored.size() != qorrin::kProjectFileSize || !std::equal(stored.begin(), stored.end(), data)) {
      std::abort();
    }
  }

  const std::uint32_t h = Hash(data, size);
  const int keep[2] = {qorrin::kFirstChannel + static_cast<int>(h % 99),
                       qorrin::kFirstChannel + static_cast<int>((h >> 8) % 99)};
  int programmed = 0;
  for (int ch = qorrin::kFirstChannel; ch <= qorrin::kLastChannel; ++ch) {
    if (ch == keep[0] || ch == keep[1]) {
      programmed += doc.IsRecordEmpty(ch) ? 0 : 1;
    } else {
      doc.m_image[*qorrin::RecordOffset(ch) + 3] = 0xFF;
    }
  }
  if ((h >> 16) & 1) {
    (void)qorrin::cli::DumpText(doc);
    return 0;
  }
  const nlohmann::ordered_json json = qorrin::cli::DumpJson(doc);
  if (!nlohmann::json::accept(json.dump())) std::abort();
  if (json["channels"].size() != static_cast<std::size_t>(programmed)) std::abort();
  for (const auto& channel : json["channels"]) {
    const int number = channel["number"].get<int>();
    if ((number != keep[0] && number != keep[1]) || channel["raw"].get<std::string>().size() != 32) {
      std::abort();
    }
  }
  return 0;
}
