#pragma once
// The language files of the program folder and the choice between them: the candidates
// the language dialog lists, the file its OK picks by display name, the next file of the
// next-language command, and making a file current (g_strLangFile and [setup] language).
#include <string>
#include <vector>

namespace qorrin {

struct LanguageFile {
  std::string path;   // full path
  std::string title;  // file name without ".lang": what setting.ini stores
};

// The *.lang entries directly in `folder`, sorted by file name. Folders named *.lang are
// left out unless `includeFolders` (the next-language command does not leave them out).
std::vector<LanguageFile> ListLanguageFiles(const std::string& folder, bool includeFolders = false);

// Paths compared as the language choice compares them: without regard to ASCII case.
bool SameLanguagePath(const std::string& a, const std::string& b);

// The first candidate whose display name equals `displayName` exactly; null when none.
const LanguageFile* FindLanguageByDisplayName(const std::vector<LanguageFile>& candidates,
                                              const std::string& displayName);

// The file after the current one in `folder` (wrapping to the first; the first also when
// the current one is not there); nothing when the folder has no language file.
const LanguageFile* NextLanguageFile(const std::vector<LanguageFile>& candidates,
                                     const std::string& currentPath);

// Makes the file current: writes [setup] language = its title and sets g_strLangFile.
void UseLanguageFile(const LanguageFile& file);

}  // namespace qorrin
