#include "core/lang/ShellTexts.h"

#include "core/lang/LanguageKeys.h"

#include <filesystem>

#include "core/lang/LangText.h"
#include "core/platform/Utf8Path.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"

namespace qorrin {

namespace {

constexpr std::size_t kToolTipChars = 19;
constexpr char kDocumentPlaceholder[] = "Item";

// Length of the UTF-8 sequence that starts with `lead`, or 1 for a stray byte.
std::size_t SequenceLength(const std::string& text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
  if (at + length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

}  // namespace

std::string LoadLangStringOr(const std::string& key, const std::string& fallback) {
  // A default that no language file can hold tells a missing key from one that reads
  // "Not Found" on purpose.
  static const std::string kMissing("\x01missing\x01");
  if (ReadProfileString("String", key, kMissing, 16, g_strLangFile) == kMissing) return fallback;
  return LoadLangString(key);
}

std::string CutToCharacters(const std::string& text, std::size_t maxChars) {
  std::size_t at = 0;
  for (std::size_t chars = 0; at < text.size() && chars < maxChars; ++chars) {
    at += SequenceLength(text, at);
  }
  return text.substr(0, at);
}

std::string ToolTipText(int commandId) {
  if (commandId == 0) return {};
  return CutToCharacters(LoadLangString(ToolTipKey(commandId)), kToolTipChars);
}

SaveChangesTexts LoadSaveChangesTexts(const std::string& documentTitle) {
  SaveChangesTexts texts{LoadLangStringOr("IDS_SAVE_CHANGES", "To save changes to Item?"),
                         LoadLangStringOr("IDS_YES", "&Yes"), LoadLangStringOr("IDS_NO", "&No"),
                         LoadLangStringOr("IDS_CANCEL", "Cancel")};
  const std::size_t at = texts.question.find(kDocumentPlaceholder);
  if (at != std::string::npos && documentTitle != kDocumentPlaceholder) {
    texts.question.replace(at, sizeof kDocumentPlaceholder - 1, documentTitle);
  }
  return texts;
}

std::string HelpFilePath(const std::string& langFile) {
  std::filesystem::path path = platform::Utf8Path(langFile);
  path.replace_extension(".html");
  return platform::PathUtf8(path);
}

}  // namespace qorrin
