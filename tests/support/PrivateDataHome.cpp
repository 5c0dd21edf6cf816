// Linked into every GoogleTest program: automatic backups that tests make go to a folder of
// the test run, never into the user's data folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "support/TestSupport.h"

namespace {

class PrivateDataHome : public ::testing::Environment {
 public:
  void SetUp() override {
    m_dir = std::make_unique<qorrin::test::TempDir>();
    setenv("XDG_DATA_HOME", m_dir->path().c_str(), 1);
  }
  void TearDown() override { m_dir.reset(); }

 private:
  std::unique_ptr<qorrin::test::TempDir> m_dir;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new PrivateDataHome);

}  // namespace
