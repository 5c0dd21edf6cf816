// qorrin-cli backups, write --verify, diff and several radios at once, as a user runs
// them: the real programs, the radios being qorrin-sim processes on pseudo-terminals.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "cli/SimProcess.h"
#include "core/model/IndexFields.h"
#include "core/model/ProjectFile.h"
#include "core/settings/ProfileFile.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

namespace fs = std::filesystem;

// With the VHF model's band bytes, so that a write sends the configuration of a known model.
std::string Pattern(int seed) {
  std::string bytes(kImageSize, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 3 + seed * 41 + (i >> 6)) & 0xFF);
  bytes.replace(0x780, 4, "\x60\x13\x40\x17");
  return bytes;
}

std::string ProjectFile(const std::string& image) {
  std::string header(kProjectHeaderText);
  header.resize(kProjectHeaderSize, '\0');
  return header + image;
}

// The image a write of `image` puts into the radio: index fields brought up to date.
std::string AsWritten(const std::string& image) {
  std::array<std::uint8_t, kImageSize> bytes;
  std::copy(image.begin(), image.end(), bytes.begin());
  UpdateIndexFields(bytes);
  return std::string(bytes.begin(), bytes.begin() + kLinkedImageSize);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

class RadioSafetyCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir.installDataFiles();
    WriteProfileString("ports", "enumerate", "0", m_dir.file("setting.ini"));
    WriteProfileString("setup", "searchcom", "0", m_dir.file("setting.ini"));
    // This test's own data folder, so that it sees only its own backups.
    const char* previous = getenv("XDG_DATA_HOME");
    m_previousDataHome = previous ? previous : "";
    setenv("XDG_DATA_HOME", m_dir.file("data").c_str(), 1);
  }
  void TearDown() override { setenv("XDG_DATA_HOME", m_previousDataHome.c_str(), 1); }

  CliResult Cli(std::vector<std::string> args, int interruptAfterMs = -1) {
    args.insert(args.begin(), {"--config-dir", m_dir.path().string()});
    return RunProgram("qorrin-cli", args, interruptAfterMs);
  }
  fs::path Backups() const { return m_dir.path() / "data" / "qorrin" / "backups"; }
  std::vector<std::string> BackupNames() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(Backups(), ec)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir m_dir;
  std::string m_previousDataHome;
};

TEST_F(RadioSafetyCommandsTest, ReadsAndWritesLeaveBackupsThatTheListShowsAndAFullFolderStaysAt200) {
  // A full folder of old backups (a fortnight ago, one a minute).
  fs::create_directories(Backups());
  for (int i = 0; i < 200; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "2026-11-20_%02d-%02d-00_COM1_read.7Q", 8 + i / 60, i % 60);
    WriteFileBytes(Backups() / name, ProjectFile(std::string(kImageSize, '\xFF')));
  }
  m_dir.write("radio.bin", Pattern(1));
  SimProcess sim({"--image", m_dir.file("radio.bin")});
  CliResult run = Cli({"read", "--device", sim.Device(), "-o", m_dir.file("read.7Q")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  m_dir.write("send.7Q", ProjectFile(Pattern(2)));
  run = Cli({"write", m_dir.file("send.7Q"), "--device", sim.Device()});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  std::vector<std::string> names = BackupNames();
  ASSERT_EQ(names.size(), 200u);
  EXPECT_EQ(names.front(), "2026-11-20_08-02-00_COM1_read.7Q");  // the two oldest went
  const std::string port = sim.Device().substr(5);  // "pts/N" -> "pts-N"
  const std::string portName = port.substr(0, port.find('/')) + "-" + port.substr(port.find('/') + 1);
  const std::string readBackup = names[names.size() - 2], writeBackup = names.back();
  EXPECT_NE(readBackup.find("_" + portName + "_read"), std::string::npos) << readBackup;
  EXPECT_NE(writeBackup.find("_" + portName + "_write"), std::string::npos) << writeBackup;
  EXPECT_EQ(ReadFileBytes(Backups() / readBackup).substr(48, kLinkedImageSize), Pattern(1).substr(0, kLinkedImageSize));
  EXPECT_EQ(ReadFileBytes(Backups() / writeBackup).substr(48, kLinkedImageSize), AsWritten(Pattern(2)));

  run = Cli({"backups"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = SplitLines(run.out);
  ASSERT_EQ(lines.size(), 201u);  // a heading, then newest first
  EXPECT_NE(lines[1].find(writeBackup), std::string::npos);
  EXPECT_NE(lines[1].find(" write "), std::string::npos);
  EXPECT_NE(lines[1].find(portName), std::string::npos);
  EXPECT_NE(lines[2].find(" read "), std::string::npos);
  EXPECT_NE(lines[200].find("2026-11-20 08:02:00  COM1"), std::string::npos) << lines[200];
  EXPECT_NE(lines[200].find(" 0  "), std::string::npos) << lines[200];  // no channel programmed

  // A backup folder that cannot be made warns, and the transfer still succeeds.
  WriteFileBytes(m_dir.path() / "blocked", "x");
  setenv("XDG_DATA_HOME", m_dir.file("blocked").c_str(), 1);
  run = Cli({"read", "--device", sim.Device(), "-o", m_dir.file("again.7Q")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("warning: backup not saved"), std::string::npos) << run.err;
  EXPECT_TRUE(fs::exists(m_dir.file("again.7Q")));
}

TEST_F(RadioSafetyCommandsTest, VerifyCatchesTheRadioThatStoresABlockWrongly) {
  m_dir.write("send.7Q", ProjectFile(Pattern(3)));
  SimProcess liar({"--corrupt-write", "0x300"});
  CliResult run = Cli({"write", m_dir.file("send.7Q"), "--device", liar.Device(), "--verify"});
  EXPECT_EQ(run.exitCode, 5) << run.err;
  EXPECT_NE(run.err.find("differs at 0x0300 (channel 48): sent "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("verification FAILED"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2);

  SimProcess honest({});
  run = Cli({"write", m_dir.file("send.7Q"), "--device", honest.Device(), "--verify"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("verified"), std::string::npos) << run.err;

  // Without --verify the same liar goes unnoticed: verification is what catches it.
  run = Cli({"write", m_dir.file("send.7Q"), "--device", liar.Device()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
}

TEST_F(RadioSafetyCommandsTest, DiffOfFilesAndOfAFileAgainstTheRadioChangesNothing) {
  CliResult run = Cli({"new", "-o", m_dir.file("a.7Q")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::string changed = m_dir.read("a.7Q");
  changed[48 + 0x7C2] = 3;                 // squelch 5 -> 3
  changed[48 + 0x7E2] = static_cast<char>(135);  // FM preset 3 -> 100.5 MHz
  m_dir.write("b.7Q", changed);

  run = Cli({"diff", m_dir.file("a.7Q"), m_dir.file("a.7Q")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "");
  run = Cli({"diff", m_dir.file("a.7Q"), m_dir.file("b.7Q")});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(run.out, "squelch: 5 -> 3\nFM preset 3: 87M0 -> 100M5\n");

  // Trouble is 2: a missing file, a file that is not a project, wrong use.
  m_dir.write("text.7Q", "hello");
  EXPECT_EQ(Cli({"diff", m_dir.file("a.7Q"), m_dir.file("missing.7Q")}).exitCode, 2);
  EXPECT_EQ(Cli({"diff", m_dir.file("text.7Q"), m_dir.file("a.7Q")}).exitCode, 2);
  EXPECT_EQ(Cli({"diff", m_dir.file("a.7Q")}).exitCode, 2);
  EXPECT_EQ(Cli({"diff", m_dir.file("a.7Q"), m_dir.file("b.7Q"), "--device", "/dev/null"}).exitCode, 2);
  EXPECT_EQ(Cli({"diff", "--no-such-option", m_dir.file("a.7Q")}).exitCode, 2);

  // The radio holds b: the difference from a shows; the radio's memory and the files stay.
  m_dir.write("radio.7Q", changed);
  SimProcess sim({"--image", m_dir.file("radio.7Q"), "--log", m_dir.file("wire.log")});
  run = Cli({"diff", m_dir.file("a.7Q"), "--device", sim.Device()});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(run.out, "squelch: 5 -> 3\nFM preset 3: 87M0 -> 100M5\n");
  run = Cli({"diff", m_dir.file("b.7Q"), "--device", sim.Device()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_EQ(m_dir.read("radio.7Q"), changed);
  EXPECT_EQ(m_dir.read("b.7Q"), changed);
  EXPECT_EQ(m_dir.read("wire.log").find("PC>radio  57"), std::string::npos);  // no block was written

  // No radio on the port: the port's exit code.
  EXPECT_EQ(Cli({"diff", m_dir.file("a.7Q"), "--port", "9"}).exitCode, 3);
}

TEST_F(RadioSafetyCommandsTest, FourRadiosAreWrittenAtOnceAndTheOneUnpluggedHalfWayStopsNoOther) {
  m_dir.write("send.7Q", ProjectFile(Pattern(5)));
  std::vector<std::unique_ptr<SimProcess>> sims;
  for (int i = 0; i < 4; ++i) {
    const std::string image = m_dir.file("radio" + std::to_string(i) + ".bin");
    m_dir.write("radio" + std::to_string(i) + ".bin", Pattern(10 + i));
    std::vector<std::string> args = {"--image", image, "--pace", "9600"};
    if (i == 2) args.insert(args.end(), {"--unplug-after", "60"});
    sims.push_back(std::make_unique<SimProcess>(args));
    ASSERT_FALSE(sims.back()->Device().empty());
  }
  std::vector<std::string> args = {"write", m_dir.file("send.7Q")};
  for (const auto& sim : sims) args.insert(args.end(), {"--device", sim->Device()});
  const auto start = std::chrono::steady_clock::now();
  CliResult run = Cli(args);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(run.exitCode, 5) << run.err;
  EXPECT_LT(seconds, 12.0) << "one paced write takes about 3 s; four in a row would take 12";
  const std::vector<std::string> lines = SplitLines(run.err);
  ASSERT_EQ(lines.size(), 5u) << run.err;  // one result per radio and the summary
  for (int i = 0; i < 4; ++i) {
    EXPECT_NE(lines[static_cast<std::size_t>(i)].find(sims[static_cast<std::size_t>(i)]->Device()), std::string::npos);
    EXPECT_NE(lines[static_cast<std::size_t>(i)].find(i == 2 ? "writing failed" : "wrote "), std::string::npos)
        << lines[static_cast<std::size_t>(i)];
  }
  EXPECT_EQ(lines[4], "qorrin-cli: 3 of 4 radios written; failed: " + sims[2]->Device());
  for (int i = 0; i < 4; ++i) {
    if (i == 2) continue;
    sims[static_cast<std::size_t>(i)]->Stop();
    EXPECT_EQ(m_dir.read("radio" + std::to_string(i) + ".bin").substr(0, kLinkedImageSize), AsWritten(Pattern(5)));
  }
  EXPECT_EQ(BackupNames().size(), 4u);  // every write was backed up before its first block

  // Reading several radios: one output each, checked before anything is sent.
  SimProcess a({"--image", m_dir.file("radio0.bin"), "--read-only"});
  SimProcess b({"--image", m_dir.file("radio1.bin"), "--read-only"});
  EXPECT_EQ(Cli({"read", "--device", a.Device(), "--device", b.Device(), "-o", m_dir.file("a.7Q")}).exitCode, 1);
  EXPECT_EQ(Cli({"read", "--device", a.Device(), "--device", a.Device(), "-o", m_dir.file("a.7Q"), "-o",
                 m_dir.file("b.7Q")}).exitCode, 1);
  run = Cli({"read", "--device", a.Device(), "--device", b.Device(), "-o", m_dir.file("a.7Q"), "-o", m_dir.file("b.7Q")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("2 of 2 radios read"), std::string::npos);
  EXPECT_EQ(m_dir.read("a.7Q").substr(48, kLinkedImageSize), AsWritten(Pattern(5)));
  EXPECT_EQ(m_dir.read("b.7Q").substr(48, kLinkedImageSize), AsWritten(Pattern(5)));
}

}  // namespace
}  // namespace qorrin::test
