// The append-only file under a file-size limit that falls inside a line.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <string>

#include "core/transfer/AppendFile.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

// This process's file-size limit lowered while it lives, going past it an error, not a signal.
struct FileSizeLimit {
  explicit FileSizeLimit(rlim_t bytes) : oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit lowered = old;
    lowered.rlim_cur = bytes;
    set = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
  }
  void (*oldHandler)(int);
  rlimit old{};
  bool set = false;
};

TEST(AppendFile, AWriteCutShortByTheFileSizeLimitIsAFailure) {
  test::TempDir dir;
  const std::string path = dir.file("log.csv");
  AppendFile file;
  std::string error;
  EXPECT_FALSE(file.Open(dir.file("missing/log.csv"), &error));
  EXPECT_EQ(error.rfind("cannot open " + dir.file("missing/log.csv") + ": ", 0), 0u) << error;
  ASSERT_TRUE(file.Open(path, &error)) << error;
  EXPECT_TRUE(file.WasEmpty());
  ASSERT_TRUE(file.Append("heading\n", &error)) << error;
  {
    const FileSizeLimit limit(12);
    ASSERT_TRUE(limit.set);
    EXPECT_FALSE(file.Append("first line\n", &error));
  }
  EXPECT_EQ(error, "cannot write " + path + ": File too large");
  EXPECT_EQ(dir.read("log.csv"), "heading\nfirs");

  AppendFile again;
  ASSERT_TRUE(again.Open(path, &error)) << error;
  EXPECT_FALSE(again.WasEmpty());
  EXPECT_TRUE(again.Append("t line\n", &error)) << error;
  EXPECT_EQ(dir.read("log.csv"), "heading\nfirst line\n");
}

}  // namespace
}  // namespace qorrin
