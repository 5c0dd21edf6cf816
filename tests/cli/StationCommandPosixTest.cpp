// qorrin-cli station against qorrin-sim's plugged-in radios: their lines, the tally, the exit
// code, Ctrl+C, and a log that keeps every line through a kill.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "cli/CliRun.h"
#include "core/settings/ProfileFile.h"

namespace qorrin::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class StationCommandTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    WriteProfileString("ports", "enumerate", "0", m_dir.file("setting.ini"));
    fs::create_directories(m_dir.path() / "links");
    ASSERT_EQ(Cli({"new", "-o", Plan()}).exitCode, 0);
  }
  std::string Plan() const { return m_dir.file("site.7Q"); }
  std::string Links() const { return m_dir.file("links"); }
  std::string Log() const { return m_dir.file("site-station.csv"); }
  // Radios plugged in one after another, the plan's file their starting point.
  std::unique_ptr<ChildProgram> Plug(std::vector<std::string> args) {
    args.insert(args.begin(), {"--image", Plan(), "--read-only", "--hotplug", Links(), "--gap", "100"});
    return std::make_unique<ChildProgram>("qorrin-sim", args);
  }
};

TEST_F(StationCommandTest, EachRadioHasItsLineTheTallyEndsAndAFailureSetsTheExitCode) {
  // Nothing plugged in: Ctrl+C ends the wait, and no radio failed.
  CliResult idle = Cli({"station", Plan(), "--watch", Links()}, 500);
  EXPECT_EQ(idle.exitCode, 0) << idle.err;
  EXPECT_NE(idle.err.find("0 programmed, 0 already programmed, 0 failed"), std::string::npos) << idle.err;

  auto sim = Plug({"--radios", "3", "--plan-radio", "2", "--other-range-radio", "3"});
  // A radio of another model sets the exit code `write` gives it.
  const CliResult result = Expect(4, {"station", Plan(), "--watch", Links(), "--count", "3"});
  const std::vector<std::string> lines = Lines(result.err);
  ASSERT_EQ(lines.size(), 5u) << result.err;
  EXPECT_NE(lines[1].find("SIM0001-if00-port0 (cable SIM0001)  programmed  "), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("(cable SIM0002)  already programmed  "), std::string::npos) << lines[2];
  EXPECT_NE(lines[3].find("(cable SIM0003)  FAILED: wrong model (its frequency range (400-470MHz)"),
            std::string::npos) << lines[3];
  EXPECT_EQ(lines[4], "qorrin-cli: 1 programmed, 1 already programmed, 1 failed; log: " + Log());
  EXPECT_EQ(Lines(m_dir.read("site-station.csv")).size(), 4u);
  EXPECT_EQ(result.out, "");
}

TEST_F(StationCommandTest, TheLogKeepsEveryLineThroughAKill) {
  auto sim = Plug({"--radios", "4", "--plan-radio", "0"});
  {
    ChildProgram station("qorrin-cli",
                         {"--config-dir", m_dir.path().string(), "station", Plan(), "--watch", Links()});
    const auto giveUp = Clock::now() + std::chrono::seconds(120);
    while (Lines(m_dir.read("site-station.csv")).size() < 3 && Clock::now() < giveUp) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(station.Stop(SIGKILL), 128 + SIGKILL);
  }
  const std::string killed = m_dir.read("site-station.csv");
  const std::vector<std::string> lines = Lines(killed);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(killed.back(), '\n');  // no line cut short
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 8) << lines[i];
    EXPECT_NE(lines[i].find(",programmed,"), std::string::npos) << lines[i];
  }
}

}  // namespace
}  // namespace qorrin::test
