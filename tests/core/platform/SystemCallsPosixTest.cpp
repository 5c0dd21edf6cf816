// Linux's side of the few calls whose system interfaces differ between the systems.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <thread>

#include "core/platform/SystemCalls.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

TEST(SystemCallsPosix, ProcessesFoldersEnvironmentAndWholeWrites) {
  // A process is there while it runs, also one we may not signal; 0 and -1 name groups
  // of processes, never one.
  EXPECT_TRUE(platform::ProcessExists(platform::CurrentProcessId()));
  EXPECT_TRUE(platform::ProcessExists(1));
  for (long long group : {0LL, -1LL}) EXPECT_FALSE(platform::ProcessExists(group)) << group;
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  EXPECT_FALSE(platform::ProcessExists(child));

  test::TempDir dir;
  EXPECT_TRUE(platform::FolderAcceptsFiles(dir.path().string()));
  EXPECT_FALSE(platform::FolderAcceptsFiles(dir.file("missing")));

  ::setenv("QORRIN_SYSTEM_CALLS_TEST", "中文", 1);
  EXPECT_EQ(platform::EnvironmentText("QORRIN_SYSTEM_CALLS_TEST"), "中文");
  ::unsetenv("QORRIN_SYSTEM_CALLS_TEST");
  EXPECT_EQ(platform::EnvironmentText("QORRIN_SYSTEM_CALLS_TEST"), "");

  // Everything reaches a pipe that is read meanwhile; a full disk is a failure.
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  std::string received;
  std::thread reader([&] {
    char buffer[4096];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) {
      received.append(buffer, static_cast<std::size_t>(n));
    }
  });
  std::string sent(300000, '\0');
  for (std::size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<char>(i * 7 + i / 251);
  EXPECT_TRUE(platform::WriteAll(ends[1], sent));
  ::close(ends[1]);
  reader.join();
  ::close(ends[0]);
  EXPECT_EQ(received, sent);
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  if (full >= 0) {
    errno = 0;
    EXPECT_FALSE(platform::WriteAll(full, "x"));
    EXPECT_EQ(errno, ENOSPC);
    ::close(full);
  }
}

}  // namespace
}  // namespace qorrin
