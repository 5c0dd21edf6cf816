// Feeds arbitrary bytes to the INI reader and writer as a settings or language file:
// nothing may crash, the reader's key table must agree with the line parser, and a value
// written must read back the same.
//
// Each check parses the whole file at least twice, which is most of an input's cost under
// the sanitizers, so the input's bytes choose one of them: the lookups against the line
// parser, or a write and its read-back. Any mutation chooses afresh, so over many inputs
// both see every kind of file.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzFiles.h"
#include "core/lang/LangText.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileCache.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/ProfileText.h"

namespace {

std::string TempFile() {
  static const std::string path = qorrin::fuzz::ScratchFile("profile");
  return path;
}

// A hash of all the input's bytes, eight at a time.
std::uint64_t Hash(const uint8_t* data, size_t size) {
  std::uint64_t h = 1469598103934665603ull;
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + i, 8);
    h = (h ^ word) * 1099511628211ull;
  }
  for (; i < size; ++i) h = (h ^ data[i]) * 1099511628211ull;
  return h ^ (h >> 32);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = TempFile();
  const qorrin::fuzz::ScratchInput input(path, data, size);
  qorrin::g_strLangFile = path;

  if ((Hash(data, size) & 1) == 0) {
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

  // The reader's table of keys finds what a walk over the lines finds, for a section and
  // key spelled by the input (with other letter case and blanks) and for fixed ones.
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<qorrin::ProfileLine> lines = qorrin::SplitProfile(text);
  const std::shared_ptr<const qorrin::ParsedProfile> parsed = qorrin::LoadParsedProfile(path);
  if (!parsed || parsed->Text() != text) std::abort();
  std::string_view lastSection = "setup";
  std::string_view lastKey = "com";
  for (const qorrin::ProfileLine& line : lines) {
    if (line.kind == qorrin::ProfileLine::kSection) lastSection = line.name;
    if (line.kind == qorrin::ProfileLine::kKeyValue) lastKey = line.name;
  }
  std::string section(lastSection);
  const std::string name = " " + std::string(lastKey) + "\t";
  for (char& c : section) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  for (const auto& [s, k] : {std::pair<std::string, std::string>{section, name}, {"ModelInfo", "data0"}, {"", ""}}) {
    const std::optional<std::size_t> at = qorrin::FindProfileKey(lines, s, k);
    const std::optional<std::string_view> found = parsed->Find(s, k);
    if (at.has_value() != found.has_value() || (at && lines[*at].value != *found)) std::abort();
  }
  (void)qorrin::LoadLangString("IDS_OFF");
  (void)qorrin::LoadResourceText(65535);
  (void)qorrin::LoadOptionList("Step");
  (void)qorrin::ReadProfileInt("setup", "com", 1, path);
  (void)qorrin::ReadProfileString("ModelInfo", "data0", "", 32, path);
  return 0;
}
