// qorrin-cli check against qorrin-sim processes: one line per finding with its fix, the
// radio named among every serial device, and the exit codes 0, 4 and 3.
#include <gtest/gtest.h>

#include <string>

#include "cli/CliRun.h"
#include "core/settings/ProfileFile.h"

namespace qorrin::test {
namespace {

constexpr auto npos = std::string::npos;

class CheckCommandTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    WriteProfileString("ports", "enumerate", "0", m_dir.file("setting.ini"));
    // The window's language is not the command line's.
    WriteProfileString("setup", "language", "chinese", m_dir.file("setting.ini"));
  }
  void Port(int n, const std::string& device) { WriteProfileString("ports", std::to_string(n), device, m_dir.file("setting.ini")); }
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
  const std::string device = radio.Device();
  CliResult run = Expect(0, {"check"},
                         {"the radio is on COM3 (" + device + "), 136-174MHz", "another radio answered on COM2"});
  // Each with its findings (worded as LineFindingsTest and CheckSystemPosixTest check).
  EXPECT_TRUE(Holds(run.out, {"COM1 (" + missing + ")\n  [problem]  ", "COM3 (" + device + ")\n  [ok]       "}));
  // The simulator holds its own pseudo-terminal: that is the device, not a program in the way.
  EXPECT_EQ(run.out.find("has " + device + " open"), npos) << run.out;

  EXPECT_EQ(Expect(4, {"check", "--port", "2"}).out.find("COM3"), npos);
  Expect(3, {"check", "--device", missing});
  EXPECT_EQ(Cli({"check", "--port", "1", "--device", missing}).exitCode, 1);
}

}  // namespace
}  // namespace qorrin::test
