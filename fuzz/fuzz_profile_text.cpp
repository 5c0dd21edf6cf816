// Feeds arbitrary bytes to the INI reader and writer as a settings or language file:
// nothing may crash, the reader's key table must agree with the line parser, and a value
// written must read back the same.
//
// Each check parses the whole text twice, which is most of an input's cost under the
// sanitizers, so a hash of the input's bytes chooses one of the checks on memory: the key
// table against the line parser, or a value stored into the text and found again in the
// new text's table. What the files add (writing, the atomic replace, the cache's stamps,
// lookups by path) hardly depends on the bytes and costs more than the parsing, so one
// input in eight also goes through the files: a write and its read-back, or the lookups
// of the language texts. Any mutation chooses afresh, so over many inputs every check
// sees every kind of file.
//
// Inputs are kept to 1 KB unless -max_len says otherwise: a settings file is about that
// size, the parser works line by line, and larger inputs only cost time (the language
// target keeps longer ones for its 999-byte cut).
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

// The reader's table of keys finds what a walk over the lines finds, for a section and
// key spelled by the text (with other letter case and blanks) and for fixed ones.
void CheckKeyTable(std::string_view text) {
  const std::vector<qorrin::ProfileLine> lines = qorrin::SplitProfile(text);
  const qorrin::ParsedProfile parsed{std::string(text)};
  if (parsed.Text() != text) std::abort();
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
    const std::optional<std::string_view> found = parsed.Find(s, k);
    if (at.has_value() != found.has_value() || (at && lines[*at].value != *found)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qorrin::fuzz::DefaultFlag(argc, argv, "-max_len=", "1024");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // Take a key and a value from the input itself so odd names and values are written too.
  const std::string key = size > 0 ? std::string(1, static_cast<char>('a' + data[0] % 26)) : "k";
  std::string value(text.substr(0, 16));
  for (char& c : value) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  const std::uint64_t h = Hash(data, size);
  if ((h & 8) == 0) {
    CheckKeyTable(text);
  } else {
    const qorrin::ParsedProfile written{qorrin::WithProfileValue(std::string(text), "Fuzz Section", key, value)};
    const std::optional<std::string_view> stored = written.Find("Fuzz Section", key);
    if (!stored || *stored != value) std::abort();
  }

  if ((h & 7) != 0) return 0;
  const std::string path = TempFile();
  const qorrin::fuzz::ScratchInput input(path, data, size);
  if ((h & 16) == 0) {
    if (qorrin::WriteProfileString("Fuzz Section", key, value, path)) {
      if (qorrin::ReadProfileString("Fuzz Section", key, "<missing>", 260, path) != value) std::abort();
    }
    return 0;
  }
  const std::shared_ptr<const qorrin::ParsedProfile> parsed = qorrin::LoadParsedProfile(path);
  if (!parsed || parsed->Text() != text) std::abort();
  qorrin::g_strLangFile = path;
  (void)qorrin::LoadLangString("IDS_OFF");
  (void)qorrin::LoadResourceText(65535);
  (void)qorrin::LoadOptionList("Step");
  (void)qorrin::ReadProfileInt("setup", "com", 1, path);
  (void)qorrin::ReadProfileString("ModelInfo", "data0", "", 32, path);
  return 0;
}
