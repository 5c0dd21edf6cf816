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
  const std::vector<std::pair<int, std::vector<std::string>>> refused = {
      {2, {"diff", b, m_dir.file("missing.7Q")}}, {2, {"diff", b}},
      {2, {"diff", existing, b, "--device", "/dev/null"}}, {2, {"diff", "--no-such-option", b}},
      {1, {"new", "--model", "16", "-o", m_dir.file("x.7Q")}}, {1, {"dump", "--format", "xml", existing}},
      {1, {"frobnicate"}}};
  for (const auto& [exitCode, args] : refused) Expect(exitCode, args);

  Expect(0, {"new", "--force", "--model", "1", "-o", existing});
  EXPECT_NE(m_dir.read("keep.7Q"), before);
  EXPECT_EQ(RunCli({}).exitCode, 1);
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
  for (const char* force : {"--force", "--model=0"}) {
    const CliResult r = Expect(2, {"new", force, "-o", pipe}, {"is a FIFO"});
    EXPECT_EQ(r.err.find("--force"), std::string::npos) << r.err;  // no advice that cannot help
  }
  EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo);
}
#endif

// Every field under its name; how odd bytes read is the core's to test.
TEST_F(FileCommands, InfoAndDumpNameEveryField) {
  std::string bytes = m_dir.read(NewFile("odd.7Q", 2));
  bytes[48 + 0x7C8] = static_cast<char>(0xFF);   // FM index above 210
  bytes[48 + 0x7E2] = static_cast<char>(135);    // FM preset 3: 100.5 MHz
  // Channel 5: 146.52, offset 0.6 without a direction, tones 156 (off) / 60 inverted, step 6.
  bytes.replace(48 + 5 * 16, 16, std::string("\x00\x20\x65\x14\x9C\x00\x00\x06\x00\x3C\x23\x06\x0C\x0B\x0D\xFF", 16));
  m_dir.write("odd.7Q", bytes);

  const Json json = Json::parse(Expect(0, {"dump", "--format", "json", m_dir.file("odd.7Q")}).out);
  EXPECT_EQ(json["model"], Json::parse(R"({"index": 2, "text": "136-174MHz/400-470MHz", "freqMin": "136.00000",
      "freqMax": "469.99500", "splitLow": "174.00000", "splitHigh": "400.00000"})"));
  EXPECT_EQ(json["vfoB"]["rx"], "400.00000");
  EXPECT_EQ(json["vfoB"]["number"], 121);
  EXPECT_EQ(json["fm"], Json::parse(R"({"current": 210, "presets": [0, 0, 135, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]})"));
  ASSERT_EQ(json["channels"].size(), 2u);
  EXPECT_EQ(json["channels"][1], Json::parse(R"({"number": 5, "rx": "146.52000", "tx": "146.52000",
      "offset": "00.60000", "shift": 0, "rxTone": 0, "txTone": 164, "rxToneText": "", "txToneText": "D053I",
      "wide": false, "highPower": false, "step": 0, "name": "A B", "raw": "002065149C000006003C23060C0B0DFF"})"));

  // The text dump names FM frequencies in MHz, by the FM dialog's list.
  const CliResult r = Expect(0, {"dump", m_dir.file("odd.7Q")});
  EXPECT_TRUE(Holds(r.out, {"FM radio:          108.0 MHz (index 210)\n",
                            "FM presets:        87.0 87.0 100.5 87.0 87.0"}));
}

// export-csv writes to standard output or to a file, never replaced without --force.
TEST_F(FileCommands, ChannelListsAreExportedAndImported) {
  const std::string base = NewFile("base.7Q");
  const std::string expected = kFullHeader + "\r\n1,,136.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n";
  EXPECT_EQ(Expect(0, {"export-csv", base}).out, expected);
  m_dir.write("list.csv", "keep");
  Expect(2, {"export-csv", base, "-o", m_dir.file("list.csv")});
  EXPECT_EQ(m_dir.read("list.csv"), "keep");
  Expect(0, {"export-csv", base, "-o", m_dir.file("list.csv"), "--force"});
  EXPECT_EQ(m_dir.read("list.csv"), expected);
  Expect(2, {"export-csv", base, "-o", m_dir.path().string()});
  Expect(1, {"export-csv"});

  // import-csv reports on standard error and writes a new project file, or fails. Notepad's
  // "Unicode"; rows placed from --at one after another, merged with what the file holds,
  // reported by their channel; the power of a list without one chosen.
  const std::string out = m_dir.file("out.7Q");
  std::string unicodeText = "\xFF\xFE";
  for (char c : std::string("Frequency\n146\nx\n147.3331\n")) unicodeText += std::string{c, '\0'};
  m_dir.write("unicode.csv", unicodeText);
  const CliResult unicode =
      Expect(0, {"import-csv", base, m_dir.file("unicode.csv"), "-o", out, "--at", "5", "--power", "low"});
  EXPECT_TRUE(unicode.out.empty());
  EXPECT_EQ(Channels("out.7Q"), (std::vector<std::string>{"1 136.00000 136.00000 ", "5 146.00000 146.00000 ",
                                                           "6 147.33500 147.33500 "}));
  EXPECT_EQ(unicode.err,
            "line 3: refused: no readable frequency: \"x\"\n"
            "line 4 (channel 6): changed: 147.333100 MHz moved onto the channel raster: 147.33500; transmit "
            "147.333100 MHz moved onto the channel raster: 147.33500\n"
            "no Mode column: channels stored as FM (wide)\n"
            "no Power column: channels stored at low power\n"
            "2 rows imported into channels 5-6; 1 refused; 1 changed\n");
  // Replacing everything the file holds, over it.
  m_dir.write("list.csv", kSpreadsheetList);
  Expect(0, {"import-csv", out, m_dir.file("list.csv"), "-o", out, "--replace", "--force"});
  EXPECT_EQ(Channels("out.7Q"), (std::vector<std::string>{"1 145.72500 145.12500 RELA", "2 145.50000 145.50000 SIMP"}));

  m_dir.write("none.csv", "Location,Frequency,Mode\n1,146.52,AM\n2,,FM\n");
  const std::string x = m_dir.file("x.7Q");
  Expect(2, {"import-csv", base, m_dir.file("none.csv"), "-o", x}, {"no rows imported; 2 refused; 0 changed"});
  Expect(2, {"import-csv", base, m_dir.file("missing.csv"), "-o", x},
         {"missing.csv: No such file or directory"});
  // A binary file is refused in one line, none of its bytes echoed.
  m_dir.write("list.csv.gz", std::string("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x03\xE3\x02\x00", 13));
  EXPECT_EQ(Expect(2, {"import-csv", base, m_dir.file("list.csv.gz"), "-o", x}).err,
            "qorrin-cli: " + m_dir.file("list.csv.gz") + " is not a text file, so it holds no channel list\n");
  Expect(2, {"import-csv", base, m_dir.file("list.csv"), "-o", base});  // exists, no --force
  Expect(1, {"import-csv", base, m_dir.file("list.csv")});
  Expect(1, {"import-csv", base, m_dir.file("list.csv"), "-o", x, "--at", "100"});
  EXPECT_FALSE(std::filesystem::exists(x));
}

}  // namespace
}  // namespace qorrin::test
