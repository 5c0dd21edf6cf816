#pragma once
// Helpers shared by the test programs: a private temporary folder holding copies of the
// shipped data files, so no test touches the user's or the source tree's settings.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace qorrin::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::string file(const std::string& name) const { return (m_path / name).string(); }

  // Copies setting.ini and the *.lang files of data/ into the folder and points the
  // process-wide paths (g_strAppDir, g_strIniFile, g_strLangFile = english.lang) at them.
  void installDataFiles();

  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
  std::set<std::string> names() const;  // of the entries in the folder

 private:
  std::filesystem::path m_path;
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace qorrin::test
