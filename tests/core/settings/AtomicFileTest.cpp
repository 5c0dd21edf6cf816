#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "core/settings/AtomicFile.h"
#include "core/settings/ProfileFile.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

namespace fs = std::filesystem;

TEST(AtomicFile, ClearsOnlyTheLeftoversOfDeadWriters) {
  test::TempDir dir;
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  const std::string dead = ".setting.ini.tmp" + std::to_string(child);
  const std::string locked = dead + "-1";  // a writer in another PID namespace, alive
  std::set<std::string> names = {"setting.ini", dead + "-0", locked, dead + "-x", dead,
                                 ".setting.ini.tmp" + std::to_string(getppid()) + "-0",
                                 ".other.ini.tmp" + std::to_string(child) + "-0"};
  for (const std::string& name : names) dir.write(name, "partial");
  const int lockFd = open(dir.file(locked).c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_EQ(flock(lockFd, LOCK_EX), 0);

  ASSERT_TRUE(WriteProfileString("setup", "com", "3", dir.file("setting.ini")));  // same code
  names.erase(dead + "-0");
  EXPECT_EQ(dir.names(), names);
  close(lockFd);
  ASSERT_TRUE(WriteFileAtomically(dir.file("setting.ini"), "x"));
  EXPECT_EQ(dir.names().count(locked), 0u);
}

TEST(AtomicFile, ReplacesOnlyRegularFilesAndFollowsLinks) {
  test::TempDir dir;
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  dir.file("sock").copy(addr.sun_path, sizeof addr.sun_path - 1);
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
  fs::create_symlink("pipe", dir.file("to-pipe"));
  for (const char* name : {"sock", "to-pipe"}) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(dir.file(name), "bytes", &error));
    EXPECT_NE(error.find(name[0] == 's' ? "a socket" : "a FIFO"), std::string::npos) << error;
  }
  EXPECT_EQ(fs::status(dir.file("sock")).type(), fs::file_type::socket);
  EXPECT_EQ(fs::status(dir.file("pipe")).type(), fs::file_type::fifo);
  close(sock);

  // Through a link: the file is replaced and keeps its mode, the link stays.
  dir.write("real", "old");
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(dir.file("real"), mode);
  fs::create_symlink("real", dir.file("link"));
  ASSERT_TRUE(WriteFileAtomically(dir.file("link"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir.file("link")));
  EXPECT_EQ(dir.read("real"), "new");
  EXPECT_EQ(fs::status(dir.file("real")).permissions() & fs::perms::all, mode);
  EXPECT_EQ(dir.names(), (std::set<std::string>{"sock", "pipe", "to-pipe", "real", "link"}));
}

}  // namespace
}  // namespace qorrin
