// qorrin-cli's radio commands against qorrin-sim processes: that each command reaches the
// link (whose blocks, retries and backups the link and core tests own) and reports the outcome.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "cli/CliRun.h"
#include "core/model/IndexFields.h"
#include "core/model/ProjectFile.h"
#include "core/settings/ProfileFile.h"

namespace qorrin::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr auto npos = std::string::npos;

// An image with the VHF model's band bytes, so that a write sends a known model.
std::string PatternImage(int seed) {
  std::string bytes(kImageSize, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 3 + seed * 41 + (i >> 6)) & 0xFF);
  return bytes.replace(0x780, 4, "\x60\x13\x40\x17");
}

std::string ProjectFile(const std::string& image) {
  std::string header(kProjectHeaderText);
  header.resize(kProjectHeaderSize, '\0');
  return header + image;
}

// What a write of `image` leaves in the radio: the linked part, index fields brought up to date.
std::string AsWritten(const std::string& image) {
  std::array<std::uint8_t, kImageSize> bytes;
  std::copy(image.begin(), image.end(), bytes.begin());
  UpdateIndexFields(bytes);
  return std::string(bytes.begin(), bytes.begin() + kLinkedImageSize);
}

// Port numbers name only the test's own devices; backups go to a data folder of its own.
class RadioCommandsTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    WriteProfileString("ports", "enumerate", "0", m_dir.file("setting.ini"));
    WriteProfileString("setup", "searchcom", "0", m_dir.file("setting.ini"));
    m_previousDataHome = getenv("XDG_DATA_HOME");  // always set (PrivateDataHome)
    setenv("XDG_DATA_HOME", m_dir.file("data").c_str(), 1);
  }
  void TearDown() override { setenv("XDG_DATA_HOME", m_previousDataHome.c_str(), 1); }
  fs::path Backups() const { return m_dir.path() / "data" / "qorrin" / "backups"; }

  std::string m_previousDataHome;
};

// ports, read, a verified write, diff with the radio and backups, all on one radio.
TEST_F(RadioCommandsTest, ReadKeepsTheBaseTailWriteSendsAndVerifiesAndBothLeaveBackups) {
  fs::create_directories(Backups());
  WriteFileBytes(Backups() / "2026-11-20_08-02-00_COM1_read.7Q", ProjectFile(std::string(kImageSize, '\xFF')));
  const std::string radioImage = PatternImage(1), sent = PatternImage(3);
  m_dir.write("radio.bin", radioImage);
  m_dir.write("base.7Q", ProjectFile(PatternImage(2)));
  m_dir.write("zero.7Q", ProjectFile(std::string(kImageSize, '\0')));
  // Bytes after the project file's 4144 are ignored, as opening it ignores them.
  m_dir.write("send.7Q", ProjectFile(sent) + "trailing bytes of some editor");
  SimProcess sim({"--image", m_dir.file("radio.bin"), "--log", m_dir.file("wire.log")});
  ASSERT_FALSE(sim.Device().empty());
  WriteProfileString("ports", "1", sim.Device(), m_dir.file("setting.ini"));
  // The numbered devices, the configured one marked.
  EXPECT_TRUE(Holds(Expect(0, {"ports"}).out, {"COM1   " + sim.Device(), "[configured]"}));

  // An image of no known model (all zeros) is not sent unless forced (as in the next test).
  Expect(2, {"write", m_dir.file("zero.7Q")}, {"matches no model", "--force"});
  EXPECT_EQ(m_dir.read("wire.log").find("PC>radio"), npos);

  // The configured port (com=1) when neither --port nor --device is given.
  CliResult run = Expect(0, {"read", "-o", m_dir.file("read.7Q"), "--base", m_dir.file("base.7Q")}, {"COM1"});
  const std::string read = m_dir.read("read.7Q");
  ASSERT_EQ(read.size(), kProjectFileSize);
  EXPECT_EQ(read.substr(0, 48), m_dir.read("base.7Q").substr(0, 48));
  EXPECT_EQ(read.substr(48, 0x7F0), radioImage.substr(0, 0x7F0));
  EXPECT_EQ(read.substr(48 + 0x7F0), PatternImage(2).substr(0x7F0));
  EXPECT_TRUE(run.out.empty());

  // By device path; the radio receives the file with fresh index fields.
  run = Expect(0, {"write", m_dir.file("send.7Q"), "--device", sim.Device(), "--verify"},
               {"only the first 4144", "verified"});
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2);  // the note and the result
  // diff with the radio reports what differs and writes nothing (the radio keeps `sent`).
  run = Expect(1, {"diff", m_dir.file("base.7Q"), "--device", sim.Device()});
  EXPECT_NE(run.out.find("\nVFO A RX: "), npos) << run.out;

  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(Backups())) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 5u);  // the old one, the read, the write, its read-back and diff's read
  EXPECT_NE(names[1].find("_COM1_read"), npos) << names[1];
  EXPECT_TRUE(Holds(names[2], {"_pts-", "_write"}));  // named by its device
  const std::vector<std::string> lines = Lines(Expect(0, {"backups"}).out);
  ASSERT_EQ(lines.size(), names.size() + 1);  // a heading, then newest first
  EXPECT_TRUE(Holds(lines.back(), {"2026-11-20 08:02:00  COM1", " 0  "}));  // 0 channels programmed

  EXPECT_EQ(sim.Stop(), 0);
  const std::string stored = m_dir.read("radio.bin");
  EXPECT_EQ(stored.substr(0, 0x7F0), AsWritten(sent));
  EXPECT_EQ(stored.substr(0x7F0), radioImage.substr(0x7F0));  // never sent
}

TEST_F(RadioCommandsTest, EachFailureHasItsExitCodeAndNothingIsSaved) {
  const std::string out = m_dir.file("out.7Q"), zero = m_dir.file("zero.7Q");
  m_dir.write("zero.7Q", ProjectFile(std::string(kImageSize, '\0')));
  // A missing --base is a file error, named with the system's reason, before any radio.
  EXPECT_EQ(Expect(2, {"read", "--port", "4", "-o", out, "--base", m_dir.file("missing.7Q")}).err,
            "qorrin-cli: cannot open " + m_dir.file("missing.7Q") + ": No such file or directory\n");
  SimProcess stranger({"--ident", "XYZ"});
  const std::vector<std::tuple<std::vector<std::string>, int, std::string>> failures = {
      // An existing project is replaced only with --force, found out before calling the radio.
      {{"read", "--port", "4", "-o", zero}, 2, "--force"},
      // A port whose device is not there says so, as the window does.
      {{"read", "--port", "4", "-o", out}, 3,
       "\nqorrin-cli: the device of COM4 does not exist: check that the programming cable is plugged in\n"},
      {{"read", "--device", stranger.Device(), "-o", out}, 4, stranger.Device()}};
  for (const auto& [args, exitCode, says] : failures) Expect(exitCode, args, {says});

  // Forced past the model check, a write to a radio storing a block wrongly fails to verify.
  SimProcess liar({"--corrupt-write", "0x300"});
  CliResult run = Expect(5, {"write", zero, "--device", liar.Device(), "--force", "--verify"},
                         {"differs at 0x0300 (channel 48): sent ", "verification FAILED"});
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2);

  SimProcess slow({"--pace", "9600", "--log", m_dir.file("wire.log")});
  const auto start = Clock::now();
  run = Cli({"read", "--device", slow.Device(), "-o", out}, 1200);  // Ctrl+C
  EXPECT_EQ(run.exitCode, 130);
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 3.5);  // a full read takes 4 s
  EXPECT_NE(run.err.find("interrupted"), npos);
  EXPECT_FALSE(fs::exists(out));  // after any of the failures
  EXPECT_EQ(m_dir.read("wire.log").find("PC>radio  62"), npos);  // no end command after Ctrl+C
}

TEST_F(RadioCommandsTest, FourRadiosAreWrittenAtOnceAndTheOneUnpluggedHalfWayStopsNoOther) {
  m_dir.write("send.7Q", ProjectFile(PatternImage(5)));
  std::vector<std::unique_ptr<SimProcess>> sims;
  std::vector<std::string> args = {"write", m_dir.file("send.7Q")};
  for (int i = 0; i < 4; ++i) {
    m_dir.write("radio" + std::to_string(i) + ".7Q", ProjectFile(PatternImage(10 + i)));  // the sim keeps a header
    std::vector<std::string> simArgs = {"--image", m_dir.file("radio" + std::to_string(i) + ".7Q"), "--pace", "9600"};
    if (i == 2) simArgs.insert(simArgs.end(), {"--unplug-after", "60"});
    sims.push_back(std::make_unique<SimProcess>(simArgs));
    ASSERT_FALSE(sims.back()->Device().empty());
    args.insert(args.end(), {"--device", sims.back()->Device()});
  }
  const auto start = Clock::now();
  CliResult run = Expect(5, args);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_LT(seconds, 12.0) << "one paced write takes about 3 s; four in a row would take 12";
  const std::vector<std::string> lines = Lines(run.err);
  ASSERT_EQ(lines.size(), 5u) << run.err;  // one result per radio and the summary
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_TRUE(Holds(lines[i], {sims[i]->Device(), i == 2 ? "writing failed" : "wrote "}));
  }
  EXPECT_EQ(lines[4], "qorrin-cli: 3 of 4 radios written; failed: " + sims[2]->Device());

  // Two read at once; a backup folder that cannot be made only warns.
  WriteFileBytes(m_dir.path() / "blocked", "x");
  setenv("XDG_DATA_HOME", m_dir.file("blocked").c_str(), 1);
  Expect(0, {"read", "--device", sims[0]->Device(), "--device", sims[1]->Device(), "-o", m_dir.file("a.7Q"), "-o",
             m_dir.file("b.7Q")}, {"2 of 2 radios read", "warning: backup not saved"});
  EXPECT_EQ(m_dir.read("b.7Q").substr(48, kLinkedImageSize), AsWritten(PatternImage(5)));
}

}  // namespace
}  // namespace qorrin::test
