// qorrin-cli check against qorrin-sim processes: one line per finding with its fix, the
// radio named among every serial device, and the exit codes 0, 4 and 3.
#include <gtest/gtest.h>

#include <string>

#include "cli/CliRun.h"
#include "core/settings/ProfileFile.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

constexpr auto npos = std::string::npos;

class CheckCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir.installDataFiles();
    WriteProfileString("ports", "enumerate", "0", m_dir.file("setting.ini"));
    // The window's language is not the command line's.
    WriteProfileString("setup", "language", "chinese", m_dir.file("setting.ini"));
  }
  CliResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--config-dir", m_dir.path().string()});
    return RunProgram("qorrin-cli", args);
  }
  void Port(int n, const std::string& device) { WriteProfileString("ports", std::to_string(n), device, m_dir.file("setting.ini")); }

  TempDir m_dir;
};

TEST_F(CheckCommandTest, EachDeviceIsCheckedAndTheRadioNamedWithTheExitCodeOfWhatAnswered) {
  std::string image(4096, '\xFF');
  image.replace(0x780, 4, "\x60\x13\x40\x17");
  m_dir.write("radio.bin", image);
  SimProcess radio({"--image", m_dir.file("radio.bin"), "--read-only"});
  SimProcess other({"--other-model"});
  ASSERT_FALSE(radio.Device().empty());
  ASSERT_FALSE(other.Device().empty());
  const std::string missing = m_dir.file("ttyUSB9");
  Port(1, missing);
  Port(2, other.Device());
  Port(3, radio.Device());

  // Every device: each with its findings, then which one has the radio.
  CliResult run = Cli({"check"});
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("COM1 (" + missing + ")\n  [problem]  The device " + missing +
                         " does not exist. Fix: Plug the programming cable in"),
            npos)
      << run.out;
  EXPECT_NE(run.out.find("COM3 (" + radio.Device() + ")\n  [ok]       The device " + radio.Device() + " is there.\n"),
            npos)
      << run.out;
  EXPECT_NE(run.err.find("the radio is on COM3 (" + radio.Device() + "), 136-174MHz"), npos) << run.err;
  EXPECT_NE(run.err.find("another radio answered on COM2"), npos) << run.err;
  // The simulator holds its own pseudo-terminal: that is the device, not a program in the way.
  EXPECT_EQ(run.out.find("has " + radio.Device() + " open"), npos) << run.out;

  run = Cli({"check", "--port", "2"});
  EXPECT_EQ(run.exitCode, 4);
  EXPECT_EQ(run.out.find("COM3"), npos);

  run = Cli({"check", "--device", missing});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(Cli({"check", "--port", "1", "--device", missing}).exitCode, 1);
}

}  // namespace
}  // namespace qorrin::test
