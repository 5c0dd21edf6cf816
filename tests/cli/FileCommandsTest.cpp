// The file commands as scripts run them. What files hold and CSV rules are the core's tests'.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <nlohmann/json.hpp>
#include <thread>

#include "cli/CliRun.h"
#include "core/interchange/ListSamples.h"
#include "core/platform/Utf8Path.h"

namespace qorrin::test {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

class FileCommands : public CliTest {
 protected:
  std::string NewFile(const std::string& name, int model = 0) {
    Expect(0, {"new", "--model", std::to_string(model), "-o", m_dir.file(name)});
    return m_dir.file(name);
  }
  // "number rx tx name" of every programmed channel of a project file.
  std::vector<std::string> Channels(const std::string& name) {
    std::vector<std::string> channels;
    const Json dump = Json::parse(Cli({"dump", "--format", "json", m_dir.file(name)}).out);
    for (const Json& c : dump["channels"]) {
      channels.push_back(std::to_string(c["number"].get<int>()) + " " + c["rx"].get<std::string>() + " " +
                         c["tx"].get<std::string>() + " " + c["name"].get<std::string>());
    }
    return channels;
  }
};

// Names outside ASCII: on Windows, UTF-16 command line to wide file calls to UTF-8 output.
TEST_F(FileCommands, NewWritesAProjectFileAndInfoDescribesItUnderNamesInAnyScript) {
  const fs::path folder = m_dir.path() / platform::Utf8Path("对讲机 程序");
  fs::create_directories(folder);
  for (const auto& entry : fs::directory_iterator(m_dir.path())) {
    if (entry.is_regular_file()) fs::copy_file(entry.path(), folder / entry.path().filename());
  }
  const std::string config = platform::PathUtf8(folder);
  const std::string project = platform::PathUtf8(folder / platform::Utf8Path("频道 表.7Q"));
  CliResult made = RunCli({"--config-dir", config, "new", "--model", "0", "-o", project});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  EXPECT_NE(made.err.find(project), std::string::npos) << made.err;  // printed back intact
  EXPECT_EQ(fs::file_size(platform::Utf8Path(project)), 4144u);

  CliResult info = RunCli({"--config-dir", config, "info", project});
  EXPECT_EQ(info.exitCode, 0) << info.err;
  EXPECT_TRUE(
      Holds(info.out, {project, "VLM-7Q Radio Program data v1.09", "136.00000 - 173.99500", "1 programmed"}));
  CliResult missing = RunCli({"--config-dir", config, "info", config + "/没有.7Q"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("没有.7Q"), std::string::npos) << missing.err;
}

TEST_F(FileCommands, RefusesBadInputWithTheContractsExitCodes) {
  const std::string existing = NewFile("keep.7Q"), before = m_dir.read("keep.7Q");
  Expect(2, {"new", "-o", existing});  // never replaced by accident
  EXPECT_EQ(m_dir.read("keep.7Q"), before);

  // diff: 0 equal, 1 different (a line per difference, worded as DocumentDiffTest checks), 2 trouble.
  std::string changed = before;
  changed[48 + 0x7C2] = 3;  // squelch 5 -> 3
  m_dir.write("b.7Q", changed);
  const std::string b = m_dir.file("b.7Q");
  EXPECT_EQ(Expect(0, {"diff", existing, existing}).out, "");
  EXPECT_EQ(Expect(1, {"diff", existing, b}).out, "squelch: 5 -> 3\n");
  Expect(2, {"diff", b, m_dir.file("missing.7Q")});
  Expect(1, {"new", "--model", "16", "-o", m_dir.file("x.7Q")});
  Expect(1, {"frobnicate"});

  Expect(0, {"new", "--force", "--model", "1", "-o", existing});
  EXPECT_NE(m_dir.read("keep.7Q"), before);
  EXPECT_EQ(RunCli({"--help"}).exitCode, 0);

  TempDir empty;  // a program folder without setting.ini
  const CliResult run = RunCli({"--config-dir", empty.path().string(), "info", existing});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("setting.ini"), std::string::npos);
}

#ifndef _WIN32  // kills and FIFOs: Linux only
// SIGKILL at any moment of `new --force` leaves the old or the new file, complete.
TEST_F(FileCommands, KilledWritesLeaveACompleteTarget) {
  TempDir out;
  const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
  auto runNew = [&](int model) {
    return SpawnProgram("qorrin-cli", {"--config-dir", m_dir.path().string(), "new", "--force", "--model",
                                       std::to_string(model), "-o", out.file("p.7Q")}, devNull, devNull);
  };
  ASSERT_EQ(WaitExit(runNew(0)), 0);
  const std::string model0 = out.read("p.7Q");
  auto lifetime = std::chrono::steady_clock::duration::max();
  for (int run = 0; run < 3; ++run) {  // the shortest of three, for a busy machine's sake
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(WaitExit(runNew(2)), 0);
    lifetime = std::min(lifetime, std::chrono::steady_clock::now() - start);
  }
  const std::string model2 = out.read("p.7Q");
  ASSERT_NE(model0, model2);
  int killed = 0;
  for (int round = 0; round < 200; ++round) {  // kills spread over a run: start-up, write, rename
    const pid_t pid = runNew(round % 2 == 0 ? 0 : 2);
    std::this_thread::sleep_for(lifetime * (round * 37 % 200) / 200);
    kill(pid, SIGKILL);
    killed += WaitExit(pid) == 128 + SIGKILL ? 1 : 0;
    const std::string now = out.read("p.7Q");
    ASSERT_TRUE(now == model0 || now == model2) << "round " << round << ": " << now.size() << " bytes";
  }
  EXPECT_GE(killed, 50);     // the runs were really cut short
  close(devNull);
}

// With --force or without, only regular files are replaced (other kinds: AtomicFileTest).
TEST_F(FileCommands, ForceNeverReplacesAPipe) {
  const std::string pipe = m_dir.file("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  const CliResult r = Expect(2, {"new", "--force", "-o", pipe}, {"is a FIFO"});
  EXPECT_EQ(r.err.find("--force"), std::string::npos) << r.err;  // no advice that cannot help
  EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo);
}
#endif

// Both dump formats come out; what each field reads as is ImageFieldsTest's.
TEST_F(FileCommands, DumpWritesTextAndJson) {
  const std::string file = NewFile("p.7Q", 2);
  const Json json = Json::parse(Expect(0, {"dump", "--format", "json", file}).out);
  EXPECT_EQ(json["model"]["text"], "136-174MHz/400-470MHz");
  EXPECT_EQ(json["options"]["squelch"], 5);
  ASSERT_EQ(json["channels"].size(), 1u);
  EXPECT_EQ(json["channels"][0]["rx"], "136.00000");
  EXPECT_TRUE(Holds(Expect(0, {"dump", file}).out, {"squelch level:     5\n", "FM presets:"}));
}

// export-csv writes to standard output or to a file, never replaced without --force.
// import-csv reports on standard error and writes a new project file, or fails with 2 and
// writes nothing. The rows' rules and the report's wording: ChannelImportTest, ChannelListReadTest.
TEST_F(FileCommands, ChannelListsAreExportedAndImported) {
  const std::string base = NewFile("base.7Q");
  const std::string expected = kFullHeader + "\r\n1,,136.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n";
  EXPECT_EQ(Expect(0, {"export-csv", base}).out, expected);
  m_dir.write("list.csv", "keep");
  Expect(2, {"export-csv", base, "-o", m_dir.file("list.csv")});
  EXPECT_EQ(m_dir.read("list.csv"), "keep");
  Expect(0, {"export-csv", base, "-o", m_dir.file("list.csv"), "--force"});
  EXPECT_EQ(m_dir.read("list.csv"), expected);

  const std::string out = m_dir.file("out.7Q");
  m_dir.write("list.csv", "Frequency\n146\nx\n");
  const CliResult run = Expect(0, {"import-csv", base, m_dir.file("list.csv"), "-o", out, "--at", "5", "--power", "low"},
                               {"line 3: refused", "1 row imported into channel 5; 1 refused; 0 changed\n"});
  EXPECT_TRUE(run.out.empty());
  EXPECT_EQ(Channels("out.7Q"), (std::vector<std::string>{"1 136.00000 136.00000 ", "5 146.00000 146.00000 "}));
  // Replacing everything the file holds, over it.
  m_dir.write("list.csv", kSpreadsheetList);
  Expect(0, {"import-csv", out, m_dir.file("list.csv"), "-o", out, "--replace", "--force"});
  EXPECT_EQ(Channels("out.7Q"), (std::vector<std::string>{"1 145.72500 145.12500 RELA", "2 145.50000 145.50000 SIMP"}));

  m_dir.write("none.csv", "Location,Frequency,Mode\n1,146.52,AM\n");
  Expect(2, {"import-csv", base, m_dir.file("none.csv"), "-o", m_dir.file("x.7Q")}, {"no rows imported"});
  EXPECT_FALSE(fs::exists(m_dir.file("x.7Q")));
}

}  // namespace
}  // namespace qorrin::test
