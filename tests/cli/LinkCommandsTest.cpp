// qorrin-cli ports, read and write as a user runs them: the real programs, the radio
// being qorrin-sim on a pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "core/model/IndexFields.h"
#include "core/model/ProjectFile.h"
#include "cli/CliRun.h"
#include "cli/SimProcess.h"
#include "core/settings/ProfileFile.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

using Clock = std::chrono::steady_clock;

// Runs qorrin-cli with the test's program folder; see RunProgram for interruptAfterMs.
CliResult RunCli(const TempDir& dir, std::vector<std::string> args, int interruptAfterMs = -1) {
  args.insert(args.begin(), {"--config-dir", dir.path().string()});
  return RunProgram("qorrin-cli", args, interruptAfterMs);
}

// An image's worth of bytes carries the VHF model's band bytes, so that a write sends
// the configuration of a known model.
std::string Pattern(std::size_t size, int seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 5 + seed * 17 + (i >> 7)) & 0xFF);
  if (size == kImageSize) bytes.replace(0x780, 4, "\x60\x13\x40\x17");
  return bytes;
}

std::string ProjectFile(const std::string& image) {
  std::string header(kProjectHeaderText);
  header.resize(kProjectHeaderSize, '\0');
  return header + image;
}

class LinkCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir.installDataFiles();
    // Port numbers name only the test's own devices, never the machine's.
    WriteProfileString("ports", "enumerate", "0", m_dir.file("setting.ini"));
    WriteProfileString("setup", "searchcom", "0", m_dir.file("setting.ini"));
  }
  void MapPort(int n, const std::string& device) {
    WriteProfileString("ports", std::to_string(n), device, m_dir.file("setting.ini"));
  }
  TempDir m_dir;
};

TEST_F(LinkCommandsTest, ReadKeepsTheBaseTailAndWriteSendsTheFileWithIndexFields) {
  const std::string radioImage = Pattern(4096, 1);
  m_dir.write("radio.bin", radioImage);
  m_dir.write("base.7Q", ProjectFile(Pattern(4096, 2)));
  SimProcess sim({"--image", m_dir.file("radio.bin")});
  ASSERT_FALSE(sim.Device().empty());
  MapPort(1, sim.Device());

  // The configured port (com=1) when neither --port nor --device is given.
  CliResult run = RunCli(m_dir, {"read", "-o", m_dir.file("read.7Q"), "--base", m_dir.file("base.7Q")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string read = m_dir.read("read.7Q");
  ASSERT_EQ(read.size(), kProjectFileSize);
  EXPECT_EQ(read.substr(0, 48), m_dir.read("base.7Q").substr(0, 48));
  EXPECT_EQ(read.substr(48, 0x7F0), radioImage.substr(0, 0x7F0));
  EXPECT_EQ(read.substr(48 + 0x7F0), Pattern(4096, 2).substr(0x7F0));
  EXPECT_NE(run.err.find("COM1"), std::string::npos);
  EXPECT_TRUE(run.out.empty());

  // Write a different file by device path; the radio receives it with fresh index fields.
  // Bytes after the project file's 4144 are ignored, as opening it ignores them.
  const std::string sent = Pattern(4096, 3);
  m_dir.write("send.7Q", ProjectFile(sent) + "trailing bytes of some editor");
  run = RunCli(m_dir, {"write", m_dir.file("send.7Q"), "--device", sim.Device()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2);  // the note and the result
  EXPECT_NE(run.err.find("only the first 4144"), std::string::npos) << run.err;
  EXPECT_EQ(sim.Stop(), 0);
  std::array<std::uint8_t, kImageSize> expected;
  std::copy(sent.begin(), sent.end(), expected.begin());
  UpdateIndexFields(expected);
  const std::string stored = m_dir.read("radio.bin");
  EXPECT_EQ(stored.substr(0, 0x7F0), std::string(expected.begin(), expected.begin() + 0x7F0));
  EXPECT_EQ(stored.substr(0x7F0), radioImage.substr(0x7F0));  // never sent
}

TEST_F(LinkCommandsTest, EachFailureHasItsExitCodeAndNothingIsSaved) {
  m_dir.write("truncated.7Q", ProjectFile(Pattern(4096, 1)).substr(0, 1000));
  EXPECT_EQ(RunCli(m_dir, {"write", m_dir.file("missing.7Q"), "--port", "1"}).exitCode, 2);
  CliResult run = RunCli(m_dir, {"write", m_dir.file("truncated.7Q"), "--port", "1"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("truncated.7Q"), std::string::npos);

  // A missing or folder --base is a file error, worded as info words it.
  for (const std::string& base : {m_dir.file("missing.7Q"), m_dir.path().string()}) {
    run = RunCli(m_dir, {"read", "--port", "4", "-o", m_dir.file("out.7Q"), "--base", base});
    EXPECT_EQ(run.exitCode, 2) << base;
    EXPECT_EQ(run.err, RunCli(m_dir, {"info", base}).err);
  }

  run = RunCli(m_dir, {"read", "--port", "4", "-o", m_dir.file("out.7Q")});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_NE(run.err.find("COM4"), std::string::npos);

  SimProcess stranger({"--ident", "XYZ"});
  EXPECT_EQ(RunCli(m_dir, {"read", "--device", stranger.Device(), "-o", m_dir.file("out.7Q")}).exitCode, 4);

  SimProcess broken({"--short-block", "0x300"});
  run = RunCli(m_dir, {"read", "--device", broken.Device(), "-o", m_dir.file("out.7Q")});
  EXPECT_EQ(run.exitCode, 5);
  EXPECT_NE(run.err.find("reading failed"), std::string::npos);

  SimProcess deaf({"--drop-write-ack", "0x10"});
  m_dir.write("send.7Q", ProjectFile(Pattern(4096, 1)));
  EXPECT_EQ(RunCli(m_dir, {"write", m_dir.file("send.7Q"), "--device", deaf.Device()}).exitCode, 5);
  EXPECT_FALSE(std::filesystem::exists(m_dir.file("out.7Q")));

  // An image of no known frequency range (all zeros) is not sent unless forced; the
  // radio keeps what it held.
  m_dir.write("radio.bin", Pattern(4096, 7));
  {
    SimProcess sim({"--image", m_dir.file("radio.bin")});
    m_dir.write("zero.7Q", ProjectFile(std::string(kImageSize, '\0')));
    run = RunCli(m_dir, {"write", m_dir.file("zero.7Q"), "--device", sim.Device()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("matches no model"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--force"), std::string::npos) << run.err;
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_EQ(m_dir.read("radio.bin"), Pattern(4096, 7));
  }
  {
    SimProcess sim({"--image", m_dir.file("radio.bin")});
    EXPECT_EQ(RunCli(m_dir, {"write", m_dir.file("zero.7Q"), "--device", sim.Device(), "--force"}).exitCode, 0);
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_EQ(m_dir.read("radio.bin").substr(0x780, 8), std::string(8, '\0'));
  }

  // An existing project is never replaced by a read unless asked to.
  SimProcess healthy({});
  run = RunCli(m_dir, {"read", "--device", healthy.Device(), "-o", m_dir.file("send.7Q")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("--force"), std::string::npos);
  EXPECT_EQ(m_dir.read("send.7Q"), ProjectFile(Pattern(4096, 1)));
}

TEST_F(LinkCommandsTest, CtrlCStopsTheTransferAndExits130AndPortsListsTheDevices) {
  SimProcess sim({"--pace", "9600", "--log", m_dir.file("wire.log")});
  const auto start = Clock::now();
  CliResult run = RunCli(m_dir, {"read", "--device", sim.Device(), "-o", m_dir.file("out.7Q")}, 1200);
  EXPECT_EQ(run.exitCode, 130);
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 3.5);  // a full read takes 4 s
  EXPECT_NE(run.err.find("interrupted"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(m_dir.file("out.7Q")));
  const std::string log = m_dir.read("wire.log");
  EXPECT_EQ(log.find("PC>radio  62"), std::string::npos);  // no end command after Ctrl+C

  // `ports` lists the numbered devices with the configured one marked.
  MapPort(1, sim.Device());
  run = RunCli(m_dir, {"ports"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("COM1"), std::string::npos);
  EXPECT_NE(run.out.find(sim.Device()), std::string::npos);
  EXPECT_NE(run.out.find("[configured]"), std::string::npos);
}

}  // namespace
}  // namespace qorrin::test
