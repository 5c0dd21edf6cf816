#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <nlohmann/json.hpp>
#include <random>
#include <thread>

#include "cli/CliRun.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

using Json = nlohmann::json;

class FileCommands : public ::testing::Test {
 protected:
  void SetUp() override { dir.installDataFiles(); }
  CliResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--config-dir", dir.path().string()});
    return RunCli(args);
  }
  std::string NewFile(const std::string& name, int model = 0) {
    CliResult r = Cli({"new", "--model", std::to_string(model), "-o", dir.file(name)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return dir.file(name);
  }
  TempDir dir;
#ifndef _WIN32
  void TearDown() override { close(devNull); }
  int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
#endif
};

TEST_F(FileCommands, NewWritesAProjectFileAndInfoDescribesIt) {
  const std::string one = NewFile("one.7Q", 0);
  EXPECT_EQ(dir.read("one.7Q").size(), 4144u);
  CliResult info = Cli({"info", one});
  EXPECT_EQ(info.exitCode, 0);
  EXPECT_NE(info.out.find("VLM-7Q Radio Program data v1.09"), std::string::npos);
  EXPECT_NE(info.out.find("136.00000 - 173.99500"), std::string::npos);
  EXPECT_NE(info.out.find("1 programmed"), std::string::npos);
}

TEST_F(FileCommands, RefusesBadInputWithTheContractsExitCodes) {
  const std::string existing = NewFile("keep.7Q");
  const std::string before = dir.read("keep.7Q");
  EXPECT_EQ(Cli({"new", "-o", existing}).exitCode, 2);  // never replaced by accident
  EXPECT_EQ(dir.read("keep.7Q"), before);
  EXPECT_EQ(Cli({"new", "--force", "--model", "1", "-o", existing}).exitCode, 0);
  EXPECT_NE(dir.read("keep.7Q"), before);

  EXPECT_EQ(Cli({"new", "--model", "16", "-o", dir.file("x.7Q")}).exitCode, 1);
  EXPECT_EQ(Cli({"info", dir.file("missing.7Q")}).exitCode, 2);
  EXPECT_EQ(Cli({"info", dir.path().string()}).exitCode, 2);
  dir.write("foreign.7Q", "vlm-7Q Radio Program data v1.09" + std::string(4113, '\0'));
  CliResult foreign = Cli({"dump", dir.file("foreign.7Q")});
  EXPECT_EQ(foreign.exitCode, 2);
  EXPECT_NE(foreign.err.find("not a VLM-7Q project file"), std::string::npos);
  EXPECT_TRUE(foreign.out.empty());

  EXPECT_EQ(Cli({"dump", "--format", "xml", existing}).exitCode, 1);
  EXPECT_EQ(Cli({"frobnicate"}).exitCode, 1);
  EXPECT_EQ(RunCli({}).exitCode, 1);
  EXPECT_EQ(RunCli({"--help"}).exitCode, 0);

  TempDir empty;  // a program folder without setting.ini
  CliResult noSettings = RunCli({"--config-dir", empty.path().string(), "info", existing});
  EXPECT_EQ(noSettings.exitCode, 2);
  EXPECT_NE(noSettings.err.find("setting.ini"), std::string::npos);
}

TEST_F(FileCommands, InfoAndDumpNameModelZeroByItsTextWhenItsCodeIsUnusable) {
  const std::string file = NewFile("plain.7Q");
  std::string ini = dir.read("setting.ini");
  for (const char* code : {"data0=60134Z17", ""}) {  // unusable, then missing altogether
    ini.replace(ini.find("data0="), 14, code);
    dir.write("setting.ini", ini);
    CliResult info = Cli({"info", file});
    EXPECT_NE(info.out.find("model:     0 (136-174MHz)\nlimits:    100.00000 - 520.00000"), std::string::npos)
        << info.out << info.err;
    EXPECT_EQ(Json::parse(Cli({"dump", "--format", "json", file}).out)["model"]["text"], "136-174MHz");
  }
}

#ifndef _WIN32  // kills, FIFOs and device nodes: Linux only
// SIGKILL at any moment of `new --force` leaves the old or the new file, complete. Nothing
// else stays beside it, except in the few microseconds between naming the finished file
// and renaming it over the target; the next write removes such a leftover.
TEST_F(FileCommands, KilledWritesLeaveACompleteTargetAndNoTemporaries) {
  TempDir out;
  const std::string target = out.file("p.7Q");
  auto runNew = [&](int model) {
    return SpawnProgram("qorrin-cli",
                        {"--config-dir", dir.path().string(), "new", "--force", "--model",
                         std::to_string(model), "-o", target},
                        devNull, devNull);
  };
  ASSERT_EQ(WaitExit(runNew(0)), 0);
  const std::string model0 = out.read("p.7Q");
  auto lifetime = std::chrono::steady_clock::duration::max();
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(WaitExit(runNew(2)), 0);
    lifetime = std::min(lifetime, std::chrono::steady_clock::now() - start);
  }
  const std::string model2 = out.read("p.7Q");
  ASSERT_NE(model0, model2);

  // Delays spread over a whole run, so kills land in start-up, the write and the rename.
  std::mt19937 rng(13);
  std::uniform_int_distribution<long> delay(
      0, std::chrono::duration_cast<std::chrono::microseconds>(lifetime).count());
  int killed = 0, leftBehind = 0;
  for (int round = 0; round < 200; ++round) {
    const pid_t pid = runNew(round % 2 == 0 ? 0 : 2);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
    kill(pid, SIGKILL);
    killed += WaitExit(pid) == 128 + SIGKILL ? 1 : 0;
    const std::string now = out.read("p.7Q");
    ASSERT_TRUE(now == model0 || now == model2) << "round " << round << ": " << now.size() << " bytes";
    leftBehind += out.names().size() > 1 ? 1 : 0;
  }
  EXPECT_GE(killed, 50);  // the runs were really cut short
  // A temporary with a name for the whole write is left by every tenth kill or more.
  EXPECT_LE(leftBehind, 8);
  ASSERT_EQ(WaitExit(runNew(0)), 0);
  EXPECT_EQ(out.names(), std::set<std::string>{"p.7Q"});
}

// With --force only regular files are replaced: a link to one keeps being a link.
TEST_F(FileCommands, ForceNeverReplacesAPipeOrDevice) {
  std::vector<std::pair<std::string, std::string>> nodes = {{dir.file("pipe"), "FIFO"}};
  ASSERT_EQ(mkfifo(nodes[0].first.c_str(), 0644), 0);
  // Device nodes of our own (root only), so a fault can never hit a real device.
  if (mknod(dir.file("chr").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) nodes.push_back({dir.file("chr"), "character device"});
  if (mknod(dir.file("blk").c_str(), S_IFBLK | 0600, makedev(7, 0)) == 0) nodes.push_back({dir.file("blk"), "block device"});
  for (const auto& [path, kind] : nodes) {
    for (const char* force : {"--force", "--model=0"}) {
      CliResult r = Cli({"new", force, "-o", path});
      EXPECT_EQ(r.exitCode, 2) << path;
      EXPECT_NE(r.err.find("is a " + kind), std::string::npos) << r.err;
      EXPECT_EQ(r.err.find("--force"), std::string::npos) << r.err;  // no advice that cannot help
    }
    EXPECT_NE(std::filesystem::status(path).type(), std::filesystem::file_type::regular) << path;
  }

  const std::string real = NewFile("real.7Q");
  std::filesystem::create_symlink(real, dir.file("link.7Q"));
  ASSERT_EQ(Cli({"new", "--force", "--model", "2", "-o", dir.file("link.7Q")}).exitCode, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.7Q")));
  EXPECT_EQ(Json::parse(Cli({"dump", "--format", "json", real}).out)["model"]["index"], 2);
}
#endif

// Every field under its name, as the core reads it; how odd bytes read is the core's to test,
// what a new file of each model holds CQorrinDocTest's.
TEST_F(FileCommands, DumpNamesEveryFieldAsTheCoreReadsIt) {
  std::string bytes = dir.read(NewFile("odd.7Q", 2));
  bytes[48 + 0x7C4] = 9;                         // time limit above 6: no list overrun in the text
  bytes[48 + 0x7CA] = 12;                        // priority channel
  bytes[48 + 0x7C8] = static_cast<char>(0xFF);   // FM index above 210
  bytes[48 + 0x7E2] = static_cast<char>(135);    // FM preset 3: 100.5 MHz
  // Channel 5: 146.52, offset 0.6 without a direction, tones 156 (off) / 60 inverted, step 6.
  bytes.replace(48 + 5 * 16, 16, std::string("\x00\x20\x65\x14\x9C\x00\x00\x06\x00\x3C\x23\x06\x0C\x0B\x0D\xFF", 16));
  dir.write("odd.7Q", bytes);

  CliResult r = Cli({"dump", "--format", "json", dir.file("odd.7Q")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Json json = Json::parse(r.out);
  EXPECT_EQ(json["model"], Json::parse(R"({"index": 2, "text": "136-174MHz/400-470MHz", "freqMin": "136.00000",
      "freqMax": "469.99500", "splitLow": "174.00000", "splitHigh": "400.00000"})"));
  EXPECT_EQ(json["vfoB"]["rx"], "400.00000");
  EXPECT_EQ(json["vfoB"]["number"], 121);
  EXPECT_EQ(json["options"]["txTimeLimit"], 6);
  EXPECT_EQ(json["options"]["priorityChannel"], 12);
  EXPECT_EQ(json["fm"], Json::parse(R"({"current": 210, "presets": [0, 0, 135, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]})"));
  ASSERT_EQ(json["channels"].size(), 2u);
  EXPECT_EQ(json["channels"][1], Json::parse(R"({"number": 5, "rx": "146.52000", "tx": "146.52000",
      "offset": "00.60000", "shift": 0, "rxTone": 0, "txTone": 164, "rxToneText": "", "txToneText": "D053I",
      "wide": false, "highPower": false, "step": 0, "name": "A B", "raw": "002065149C000006003C23060C0B0DFF"})"));

  // The text dump names FM frequencies in MHz, by the FM dialog's list.
  r = Cli({"dump", dir.file("odd.7Q")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("TX time limit:     180 s\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("FM radio:          108.0 MHz (index 210)\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("FM presets:        87.0 87.0 100.5 87.0 87.0"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace qorrin::test
