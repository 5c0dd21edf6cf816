// Feeds arbitrary bytes to the project-file loader and decodes the document the way `info`
// and `dump` do: nothing may crash, a loaded project file must be stored back byte for
// byte, `info` must count the programmed channels, and the JSON must print (every text
// UTF-8) and list exactly the programmed channels.
//
// Every input is loaded and stored; its bytes then choose what else it goes
// through, so that each input costs little and over many inputs every path is taken:
// `info` for one input in four, a JSON dump for one in sixteen (building and printing
// the JSON costs several times the rest), a text dump for the others. A dump
// of all 99 channels costs milliseconds under the sanitizers, so a dump keeps two of the
// channels (chosen from the input's bytes) and marks the others empty; over many inputs
// every channel slot and every field goes through both kinds of dump.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// What an input goes through, from a hash of all its bytes: any mutation picks afresh, so
// the mix of paths stays as planned however the corpus grows. Eight bytes per step.
std::uint32_t Selector(const uint8_t* data, size_t size) {
  std::uint64_t h = 1469598103934665603ull;
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + i, 8);
    h = (h ^ word) * 1099511628211ull;
  }
  for (; i < size; ++i) h = (h ^ data[i]) * 1099511628211ull;
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool installed = (InstallSettings(), true);
  (void)installed;
  qorrin::CQorrinDoc doc;
  const std::span<const std::uint8_t> bytes(data, size);
  const qorrin::LoadStatus status = doc.SerializeLoad(bytes);
  if (status == qorrin::LoadStatus::Ok && size >= qorrin::kProjectFileSize) {
    const std::vector<std::uint8_t> stored = doc.SerializeStore();
    if (stored.size() != qorrin::kProjectFileSize || !std::equal(stored.begin(), stored.end(), data)) {
      std::abort();
    }
  }

  const std::uint32_t h = Selector(data, size);
  if (((h >> 20) & 3) == 0) {
    const std::string info = qorrin::cli::InfoText(doc, "fuzz");
    const std::string count = "channels:  " + std::to_string(qorrin::ProgrammedChannelCount(doc.Image())) + " programmed\n";
    if (info.size() < count.size() || info.compare(info.size() - count.size(), count.size(), count) != 0) {
      std::abort();
    }
    return 0;
  }

  const int keep[2] = {qorrin::kFirstChannel + static_cast<int>(h % 99),
                       qorrin::kFirstChannel + static_cast<int>((h >> 8) % 99)};
  int programmed = 0;
  for (int ch = qorrin::kFirstChannel; ch <= qorrin::kLastChannel; ++ch) {
    if (ch == keep[0] || ch == keep[1]) {
      programmed += qorrin::IsRecordEmpty(doc.Image(), ch) ? 0 : 1;
    } else {
      doc.EditImage(qorrin::ImageChange::Bookkeeping, [ch](qorrin::ImageSpan image, const qorrin::BandLimits&) {
        image[*qorrin::RecordOffset(ch) + 3] = 0xFF;
        return true;
      });
    }
  }
  if (((h >> 16) & 15) != 0) {
    (void)qorrin::cli::DumpText(doc);
    return 0;
  }
  // Printing checks that every text is UTF-8 (the library throws otherwise); what it
  // prints from a tree of values is JSON by construction.
  const nlohmann::ordered_json json = qorrin::cli::DumpJson(doc);
  try {
    (void)json.dump();
  } catch (const nlohmann::json::exception& e) {
    std::fprintf(stderr, "JSON cannot be printed: %s\n", e.what());
    std::abort();
  }
  if (json["channels"].size() != static_cast<std::size_t>(programmed)) std::abort();
  for (const auto& channel : json["channels"]) {
    const int number = channel["number"].get<int>();
    if ((number != keep[0] && number != keep[1]) || channel["raw"].get<std::string>().size() != 32) {
      std::abort();
    }
  }
  return 0;
}
