#pragma once
// Texts of the main window that are more than one lookup: tool-bar tooltips, the
// save-changes question, and the help file that belongs to a language file.
#include <cstddef>
#include <string>

namespace qorrin {

// [String] key's text as LoadLangString gives it, or `fallback` when the key is missing
// (for texts that older language files do not carry yet).
std::string LoadLangStringOr(const std::string& key, const std::string& fallback);

// The first `maxChars` characters of a UTF-8 text (a character is never split; bytes
// that are not valid UTF-8 count as one character each).
std::string CutToCharacters(const std::string& text, std::size_t maxChars);

// Tooltip of a tool-bar button: IDS_TIP_<commandId> cut to 19 characters; "" for id 0.
std::string ToolTipText(int commandId);

// The save-changes question and its buttons. The question names the document by its
// title in place of the word "Item" (an untitled document's title is "Item" itself).
struct SaveChangesTexts {
  std::string question;  // "To save changes to Item?"
  std::string yes;       // "&Yes"
  std::string no;        // "&No"
  std::string cancel;    // "Cancel"
};
SaveChangesTexts LoadSaveChangesTexts(const std::string& documentTitle);

// The help file of a language file: its path up to the last dot of the file name, then
// ".html" (english.lang -> english.html).
std::string HelpFilePath(const std::string& langFile);

}  // namespace qorrin
