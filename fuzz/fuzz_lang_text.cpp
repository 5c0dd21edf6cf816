// Feeds arbitrary bytes to the text lookups as the current language file: [String] texts
// with their escapes and the 999-byte cut, [Resource] texts, option lists, headings and
// the display name. Besides not crashing, each lookup must agree with the raw value the
// INI reader finds: a missing [String] key reads "Not Found", a present one is its value
// cut to 999 bytes (never inside a UTF-8 character) with "\n" and "\t" turned into line
// feed and tab; an option list stops at its first missing or empty item.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzFiles.h"
#include "core/lang/LangText.h"
#include "core/lang/LanguageKeys.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"

namespace {

std::string TempFile() {
  static const std::string path = qorrin::fuzz::ScratchFile("lang");
  return path;
}

std::string Unescape(std::string text) {
  for (const auto& [from, to] : {std::pair<const char*, const char*>{"\\n", "\n"}, {"\\t", "\t"}}) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1)) {
      text.replace(at, 2, to);
    }
  }
  return text;
}

// A key name taken from the input, so that keys the input spells are looked up too.
std::string KeyFrom(const uint8_t* data, size_t size) {
  std::string key;
  for (size_t i = 0; i < size && key.size() < 12; ++i) {
    if (data[i] == '=') {
      for (size_t j = i; j-- > 0 && data[j] != '\n' && key.size() < 12;) key.insert(key.begin(), static_cast<char>(data[j]));
      break;
    }
  }
  return key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = TempFile();
  const qorrin::fuzz::ScratchInput input(path, data, size);
  qorrin::g_strLangFile = path;

  for (const std::string& key : {std::string("IDS_OFF"), KeyFrom(data, size)}) {
    const std::string text = qorrin::LoadLangString(key);
    // A key is missing when two different defaults both come back: the file may well hold
    // either of them as a value.
    const std::string raw = qorrin::ReadProfileString("String", key, "\x01missing", 1000, path);
    const bool missing = raw == "\x01missing" &&
                         qorrin::ReadProfileString("String", key, "\x02missing", 1000, path) == "\x02missing";
    if (text != (missing ? "Not Found" : Unescape(raw))) std::abort();
    if (missing) continue;
    if (raw.size() > 999) std::abort();
    const std::string whole = qorrin::ReadProfileString("String", key, "", 1 << 20, path);
    if (whole.compare(0, raw.size(), raw) != 0) std::abort();
    if (raw.size() < whole.size()) {
      // Cut only when longer than 999 bytes, and before a character's lead byte: at most
      // three continuation bytes back, or at 999 when no lead byte is that near.
      auto continuation = [&](std::size_t i) { return (static_cast<unsigned char>(whole[i]) & 0xC0) == 0x80; };
      if (whole.size() <= 999 || raw.size() < 996) std::abort();
      for (std::size_t i = raw.size() + 1; i <= 999; ++i) {
        if (!continuation(i)) std::abort();
      }
      if (raw.size() < 999 && continuation(raw.size())) std::abort();
      if (raw.size() == 999 && continuation(999) && !(continuation(996) && continuation(997) && continuation(998))) {
        std::abort();
      }
    }
  }

  const std::vector<std::string> steps = qorrin::LoadOptionList("Step");
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (steps[i].empty() || steps[i] != qorrin::ReadProfileString("Step", std::to_string(i), "", 30, path)) std::abort();
  }
  if (steps.size() < 256 && !qorrin::ReadProfileString("Step", std::to_string(steps.size()), "", 30, path).empty()) {
    std::abort();
  }
  (void)qorrin::LoadResourceText(static_cast<int>(size));
  (void)qorrin::LoadHeadings("ChText", "IDS_ChText", qorrin::kChannelHeadingCount);
  (void)qorrin::LoadHeadings("RadiogramText", "IDS_RadiogramText", qorrin::kRadiogramHeadingCount);
  const std::string display = qorrin::LoadLanguageDisplayName(path);
  if (display.size() > 99) std::abort();
  return 0;
}
