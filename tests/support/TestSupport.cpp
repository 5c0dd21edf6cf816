#include "support/TestSupport.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/settings/AppPaths.h"

namespace fs = std::filesystem;

namespace qorrin::test {

TempDir::TempDir() {
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("qorrin-test-" + std::to_string(rd()));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      m_path = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(m_path, ec);
}

void TempDir::installDataFiles() {
  for (const auto& entry : fs::directory_iterator(QORRIN_DATA_DIR)) {
    if (entry.is_regular_file()) {
      fs::copy_file(entry.path(), m_path / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
    }
  }
  g_strAppDir = m_path.string();
  g_strIniFile = file("setting.ini");
  g_strLangFile = file("english.lang");
}

void TempDir::write(const std::string& name, const std::string& bytes) const {
  WriteFileBytes(m_path / name, bytes);
}

std::string TempDir::read(const std::string& name) const { return ReadFileBytes(m_path / name); }

std::set<std::string> TempDir::names() const {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(m_path)) names.insert(entry.path().filename().string());
  return names;
}

std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace qorrin::test
