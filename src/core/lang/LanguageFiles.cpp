#include "core/lang/LanguageFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/lang/LangText.h"
#include "core/platform/Utf8Path.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/TextCase.h"

namespace qorrin {

namespace fs = std::filesystem;

std::vector<LanguageFile> ListLanguageFiles(const std::string& folder, bool includeFolders) {
  std::vector<LanguageFile> files;
  std::error_code ec;
  for (fs::directory_iterator it(platform::Utf8Path(folder), ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& path = it->path();
    if (path.extension() != ".lang" || path.stem().empty()) continue;
    std::error_code typeError;
    if (!includeFolders && it->is_directory(typeError)) continue;
    files.push_back({platform::PathUtf8(path), platform::PathUtf8(path.stem())});
  }
  std::sort(files.begin(), files.end(), [](const LanguageFile& a, const LanguageFile& b) {
    return platform::Utf8Path(a.path).filename() < platform::Utf8Path(b.path).filename();
  });
  return files;
}

bool SameLanguagePath(const std::string& a, const std::string& b) { return EqualNoCase(a, b); }

const LanguageFile* FindLanguageByDisplayName(const std::vector<LanguageFile>& candidates,
                                              const std::string& displayName) {
  for (const LanguageFile& file : candidates) {
    if (LoadLanguageDisplayName(file.path) == displayName) return &file;
  }
  return nullptr;
}

const LanguageFile* NextLanguageFile(const std::vector<LanguageFile>& candidates,
                                     const std::string& currentPath) {
  if (candidates.empty()) return nullptr;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (SameLanguagePath(candidates[i].path, currentPath)) {
      return i + 1 < candidates.size() ? &candidates[i + 1] : &candidates.front();
    }
  }
  return &candidates.front();
}

void UseLanguageFile(const LanguageFile& file) {
  WriteProfileString("setup", "language", file.title, g_strIniFile);
  g_strLangFile = file.path;
}

}  // namespace qorrin
