// qorrin-cli ports, read, write (with --verify), diff and backups, one radio or several
// at once, as a user runs them: the real programs, the radios being qorrin-sim processes
// on pseudo-terminals.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
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
using Clock = std::chrono::steady_clock;

// An image with the VHF model's band bytes, so that a write sends the configuration of a
// known model.
std::string PatternImage(int seed) {
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

// The part of the radio that a write of `image` fills: index fields brought up to date.
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

// A program folder whose port numbers name only the test's own devices, never the
// machine's, and a data folder of the test's own, so that it sees only its own backups.
class RadioCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir.installDataFiles();
    WriteProfileString("ports", "enumerate", "0", m_dir.file("setting.ini"));
    WriteProfileString("setup", "searchcom", "0", m_dir.file("setting.ini"));
    const char* previous = getenv("XDG_DATA_HOME");
    m_previousDataHome = previous ? previous : "";
    setenv("XDG_DATA_HOME", m_dir.file("data").c_str(), 1);
  }
  void TearDown() override { setenv("XDG_DATA_HOME", m_previousDataHome.c_str(), 1); }

  // See RunProgram for interruptAfterMs.
  CliResult Cli(std::vector<std::string> args, int interruptAfterMs = -1) {
    args.insert(args.begin(), {"--config-dir", m_dir.path().string()});
    return RunProgram("qorrin-cli", args, interruptAfterMs);
  }
  void MapPort(int n, const std::string& device) {
    WriteProfileString("ports", std::to_string(n), device, m_dir.file("setting.ini"));
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

// How many backups are kept and how they are named is BackupStoreTest's; here, that
// read and write leave theirs and how `backups` lists them.
TEST_F(RadioCommandsTest, ReadKeepsTheBaseTailWriteSendsTheFileAndBothLeaveBackups) {
  fs::create_directories(Backups());
  WriteFileBytes(Backups() / "2026-11-20_08-02-00_COM1_read.7Q", ProjectFile(std::string(kImageSize, '\xFF')));
  const std::string radioImage = PatternImage(1);
  m_dir.write("radio.bin", radioImage);
  m_dir.write("base.7Q", ProjectFile(PatternImage(2)));
  SimProcess sim({"--image", m_dir.file("radio.bin")});
  ASSERT_FALSE(sim.Device().empty());
  MapPort(1, sim.Device());

  // The configured port (com=1) when neither --port nor --device is given.
  CliResult run = Cli({"read", "-o", m_dir.file("read.7Q"), "--base", m_dir.file("base.7Q")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string read = m_dir.read("read.7Q");
  ASSERT_EQ(read.size(), kProjectFileSize);
  EXPECT_EQ(read.substr(0, 48), m_dir.read("base.7Q").substr(0, 48));
  EXPECT_EQ(read.substr(48, 0x7F0), radioImage.substr(0, 0x7F0));
  EXPECT_EQ(read.substr(48 + 0x7F0), PatternImage(2).substr(0x7F0));
  EXPECT_NE(run.err.find("COM1"), std::string::npos);
  EXPECT_TRUE(run.out.empty());

  // Write a different file by device path; the radio receives it with fresh index fields.
  // Bytes after the project file's 4144 are ignored, as opening it ignores them.
  const std::string sent = PatternImage(3);
  m_dir.write("send.7Q", ProjectFile(sent) + "trailing bytes of some editor");
  run = Cli({"write", m_dir.file("send.7Q"), "--device", sim.Device()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2);  // the note and the result
  EXPECT_NE(run.err.find("only the first 4144"), std::string::npos) << run.err;

  std::vector<std::string> names = BackupNames();
  ASSERT_EQ(names.size(), 3u);
  const std::string readBackup = names[1], writeBackup = names[2];
  EXPECT_NE(readBackup.find("_COM1_read"), std::string::npos) << readBackup;
  EXPECT_NE(writeBackup.find("_pts-"), std::string::npos) << writeBackup;  // named by its device
  EXPECT_NE(writeBackup.find("_write"), std::string::npos) << writeBackup;
  EXPECT_EQ(ReadFileBytes(Backups() / readBackup).substr(48, kLinkedImageSize), radioImage.substr(0, kLinkedImageSize));
  EXPECT_EQ(ReadFileBytes(Backups() / writeBackup).substr(48, kLinkedImageSize), AsWritten(sent));
  run = Cli({"backups"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = SplitLines(run.out);
  ASSERT_EQ(lines.size(), 4u);  // a heading, then newest first
  EXPECT_NE(lines[1].find(writeBackup), std::string::npos);
  EXPECT_NE(lines[1].find(" write "), std::string::npos);
  EXPECT_NE(lines[2].find(" read "), std::string::npos);
  EXPECT_NE(lines[3].find("2026-11-20 08:02:00  COM1"), std::string::npos) << lines[3];
  EXPECT_NE(lines[3].find(" 0  "), std::string::npos) << lines[3];  // no channel programmed

  // A backup folder that cannot be made warns, and the transfer still succeeds.
  WriteFileBytes(m_dir.path() / "blocked", "x");
  setenv("XDG_DATA_HOME", m_dir.file("blocked").c_str(), 1);
  run = Cli({"read", "--device", sim.Device(), "-o", m_dir.file("again.7Q")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("warning: backup not saved"), std::string::npos) << run.err;
  EXPECT_TRUE(fs::exists(m_dir.file("again.7Q")));

  EXPECT_EQ(sim.Stop(), 0);
  const std::string stored = m_dir.read("radio.bin");
  EXPECT_EQ(stored.substr(0, 0x7F0), AsWritten(sent));
  EXPECT_EQ(stored.substr(0x7F0), radioImage.substr(0x7F0));  // never sent
}

// A write that fails on the radio exits 5 too (FourRadiosAreWrittenAtOnce... below).
TEST_F(RadioCommandsTest, EachFailureHasItsExitCodeAndNothingIsSaved) {
  m_dir.write("truncated.7Q", ProjectFile(PatternImage(1)).substr(0, 1000));
  CliResult run = Cli({"write", m_dir.file("truncated.7Q"), "--port", "1"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("truncated.7Q"), std::string::npos);
  // A missing --base is a file error, worded as info words it.
  run = Cli({"read", "--port", "4", "-o", m_dir.file("out.7Q"), "--base", m_dir.file("missing.7Q")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, Cli({"info", m_dir.file("missing.7Q")}).err);
  // An existing project is never replaced by a read unless asked to, and that is found
  // out before the radio is called.
  run = Cli({"read", "--port", "4", "-o", m_dir.file("truncated.7Q")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("--force"), std::string::npos);

  run = Cli({"read", "--port", "4", "-o", m_dir.file("out.7Q")});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_NE(run.err.find("COM4"), std::string::npos);
  SimProcess stranger({"--ident", "XYZ"});
  EXPECT_EQ(Cli({"read", "--device", stranger.Device(), "-o", m_dir.file("out.7Q")}).exitCode, 4);
  SimProcess broken({"--short-block", "0x300"});
  run = Cli({"read", "--device", broken.Device(), "-o", m_dir.file("out.7Q")});
  EXPECT_EQ(run.exitCode, 5);
  EXPECT_NE(run.err.find("reading failed"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(m_dir.file("out.7Q")));

  // An image of no known frequency range (all zeros) is not sent unless forced; the
  // radio keeps what it held.
  m_dir.write("radio.bin", PatternImage(7));
  m_dir.write("zero.7Q", ProjectFile(std::string(kImageSize, '\0')));
  SimProcess sim({"--image", m_dir.file("radio.bin"), "--log", m_dir.file("wire.log")});
  run = Cli({"write", m_dir.file("zero.7Q"), "--device", sim.Device()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("matches no model"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("--force"), std::string::npos) << run.err;
  EXPECT_EQ(m_dir.read("wire.log").find("PC>radio"), std::string::npos);
  // Forced, and verified: a radio that stores it faithfully passes.
  run = Cli({"write", m_dir.file("zero.7Q"), "--device", sim.Device(), "--force", "--verify"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("verified"), std::string::npos) << run.err;
  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_EQ(m_dir.read("radio.bin").substr(0x780, 8), std::string(8, '\0'));
}

TEST_F(RadioCommandsTest, CtrlCStopsTheTransferAndExits130AndPortsListsTheDevices) {
  SimProcess sim({"--pace", "9600", "--log", m_dir.file("wire.log")});
  const auto start = Clock::now();
  CliResult run = Cli({"read", "--device", sim.Device(), "-o", m_dir.file("out.7Q")}, 1200);
  EXPECT_EQ(run.exitCode, 130);
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 3.5);  // a full read takes 4 s
  EXPECT_NE(run.err.find("interrupted"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(m_dir.file("out.7Q")));
  const std::string log = m_dir.read("wire.log");
  EXPECT_EQ(log.find("PC>radio  62"), std::string::npos);  // no end command after Ctrl+C

  // `ports` lists the numbered devices with the configured one marked.
  MapPort(1, sim.Device());
  run = Cli({"ports"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("COM1"), std::string::npos);
  EXPECT_NE(run.out.find(sim.Device()), std::string::npos);
  EXPECT_NE(run.out.find("[configured]"), std::string::npos);
}

// A radio that verifies cleanly: the forced write in EachFailureHasItsExitCode...
TEST_F(RadioCommandsTest, VerifyCatchesTheRadioThatStoresABlockWrongly) {
  m_dir.write("send.7Q", ProjectFile(PatternImage(3)));
  SimProcess liar({"--corrupt-write", "0x300"});
  CliResult run = Cli({"write", m_dir.file("send.7Q"), "--device", liar.Device(), "--verify"});
  EXPECT_EQ(run.exitCode, 5) << run.err;
  EXPECT_NE(run.err.find("differs at 0x0300 (channel 48): sent "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("verification FAILED"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2);
}

TEST_F(RadioCommandsTest, DiffOfFilesAndOfAFileAgainstTheRadioChangesNothing) {
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

  // The radio holds b: the difference from a shows; the radio's memory stays.
  m_dir.write("radio.7Q", changed);
  SimProcess sim({"--image", m_dir.file("radio.7Q"), "--log", m_dir.file("wire.log")});
  run = Cli({"diff", m_dir.file("a.7Q"), "--device", sim.Device()});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(run.out, "squelch: 5 -> 3\nFM preset 3: 87M0 -> 100M5\n");
  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_EQ(m_dir.read("radio.7Q"), changed);
  EXPECT_EQ(m_dir.read("wire.log").find("PC>radio  57"), std::string::npos);  // no block was written

  // No radio on the port: the port's exit code.
  EXPECT_EQ(Cli({"diff", m_dir.file("a.7Q"), "--port", "9"}).exitCode, 3);
}

TEST_F(RadioCommandsTest, FourRadiosAreWrittenAtOnceAndTheOneUnpluggedHalfWayStopsNoOther) {
  m_dir.write("send.7Q", ProjectFile(PatternImage(5)));
  std::vector<std::unique_ptr<SimProcess>> sims;
  for (int i = 0; i < 4; ++i) {
    const std::string image = m_dir.file("radio" + std::to_string(i) + ".bin");
    m_dir.write("radio" + std::to_string(i) + ".bin", PatternImage(10 + i));
    std::vector<std::string> args = {"--image", image, "--pace", "9600"};
    if (i == 2) args.insert(args.end(), {"--unplug-after", "60"});
    sims.push_back(std::make_unique<SimProcess>(args));
    ASSERT_FALSE(sims.back()->Device().empty());
  }
  std::vector<std::string> args = {"write", m_dir.file("send.7Q")};
  for (const auto& sim : sims) args.insert(args.end(), {"--device", sim->Device()});
  const auto start = Clock::now();
  CliResult run = Cli(args);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
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
    EXPECT_EQ(m_dir.read("radio" + std::to_string(i) + ".bin").substr(0, kLinkedImageSize), AsWritten(PatternImage(5)));
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
  EXPECT_EQ(m_dir.read("a.7Q").substr(48, kLinkedImageSize), AsWritten(PatternImage(5)));
  EXPECT_EQ(m_dir.read("b.7Q").substr(48, kLinkedImageSize), AsWritten(PatternImage(5)));
}

}  // namespace
}  // namespace qorrin::test
