// Linked into every GoogleTest program on Windows: backups and the per-user settings copy
// that tests make go to a folder of the test run (LOCALAPPDATA, APPDATA), never into the
// user's own. Child processes (qorrin-cli) inherit the same folders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "support/TestSupport.h"

namespace {

class PrivateDataHome : public ::testing::Environment {
 public:
  void SetUp() override {
    m_dir = std::make_unique<qorrin::test::TempDir>();
    _wputenv_s(L"LOCALAPPDATA", (m_dir->path() / L"Local").c_str());
    _wputenv_s(L"APPDATA", (m_dir->path() / L"Roaming").c_str());
  }
  void TearDown() override { m_dir.reset(); }

 private:
  std::unique_ptr<qorrin::test::TempDir> m_dir;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new PrivateDataHome);

}  // namespace
