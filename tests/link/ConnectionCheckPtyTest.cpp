// The connection check against simulated radios on pseudo-terminals: what it finds on the
// line, that it never writes and always ends a radio that answered, and that it tells a
// missing device and one held by another process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/link/ProtocolFrames.h"
#include "core/model/ModelInfo.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"
#include "core/transfer/ConnectionCheck.h"
#include "link/LinkTestSupport.h"

extern char** environ;

namespace qorrin::test {
namespace {

const std::vector<std::uint8_t> kEntry(link::kEntryCommand.begin(), link::kEntryCommand.end());

// A radio of the VHF model (band code 60134017 of the shipped setting.ini).
sim::RadioImage VhfRadio() {
  sim::RadioImage image = PatternImage(3);
  const std::uint8_t band[] = {0x60, 0x13, 0x40, 0x17, 0xFF, 0xFF, 0xFF, 0xFF};
  std::copy(std::begin(band), std::end(band), image.begin() + 0x780);
  return image;
}

sim::SimFaults Faults(void (*set)(sim::SimFaults&)) {
  sim::SimFaults faults;
  set(faults);
  return faults;
}

class ConnectionCheckOverPty : public ::testing::Test {
 protected:
  void SetUp() override { m_dir.installDataFiles(); }

  CheckReport Check(const std::string& device, int port = 0) {
    CheckRequest request;
    request.device = device;
    request.port = port;
    request.settingsPath = g_strIniFile;
    request.langFile = g_strLangFile;
    request.models = ModelTable::Load();
    CSerialPort serial;
    CheckReport report = CheckConnection(serial, request);
    EXPECT_FALSE(serial.IsOpen());
    return report;
  }

  TempDir m_dir;
};

std::vector<std::string> Keys(const CheckReport& report) {
  std::vector<std::string> keys;
  for (const auto& finding : report.findings) keys.push_back(finding.textKey);
  return keys;
}

const CheckFinding& Last(const CheckReport& report) {
  static const CheckFinding none;
  return report.findings.empty() ? none : report.findings.back();
}

// Entry, identification, the one block with the band code, end: nothing else goes out,
// the radio's memory stays as it was, and the range is the model's.
TEST_F(ConnectionCheckOverPty, WorkingRadioIsIdentifiedWithItsRangeAndLeftAsItWas) {
  auto radio = StartRadio({}, VhfRadio(), 9600);
  const auto start = Clock::now();
  const CheckReport report = Check(radio->DevicePath());
  const double ms = MillisSince(start);
  EXPECT_LT(ms, 5000);
  EXPECT_EQ(report.verdict, CheckVerdict::Identified);
  EXPECT_EQ(report.rangeText, "136-174MHz");
  EXPECT_EQ(Keys(report).front(), "IDS_CHECK_DEVICE_OK");
  EXPECT_EQ(Last(report).text, "A VLM-7Q answered on " + radio->DevicePath() + ": frequency range 136-174MHz.");
  EXPECT_EQ(Last(report).details, std::vector<std::string>{"Identification: 56 4C 4D 37 51 4E 4E  VLM7QNN"});
  for (const auto& finding : report.findings) EXPECT_EQ(finding.status, CheckStatus::Ok) << finding.textKey;
  std::vector<std::uint8_t> expected = kEntry;
  expected.insert(expected.end(), {0x02, 0x06, 0x52, 0x07, 0x80, 0x10, 0x06, 0x62});
  EXPECT_EQ(BytesFromPc(*radio, expected.size()), expected);
  EXPECT_EQ(radio->Image(), VhfRadio());

  // A range that setting.ini does not know: still our radio, with the code to add.
  auto unknown = StartRadio({}, PatternImage(3));
  const CheckReport strange = Check(unknown->DevicePath());
  EXPECT_EQ(strange.verdict, CheckVerdict::Identified);
  EXPECT_EQ(Last(strange).textKey, "IDS_CHECK_LINE_UNKNOWN_RANGE");
  EXPECT_EQ(Last(strange).status, CheckStatus::Warning);
  const sim::RadioImage image = PatternImage(3);
  std::string code;
  for (int i = 0x780; i < 0x788; ++i) {
    char two[3];
    std::snprintf(two, sizeof two, "%02X", image[static_cast<std::size_t>(i)]);
    code += two;
  }
  EXPECT_NE(Last(strange).text.find("code " + code + " matches"), std::string::npos) << Last(strange).text;

  // A block that never comes whole: identified, but the line loses bytes; still ended.
  auto lossy = StartRadio(Faults([](sim::SimFaults& f) { f.shortReplies = {{0x780}}; }), VhfRadio());
  const CheckReport lost = Check(lossy->DevicePath());
  EXPECT_EQ(lost.verdict, CheckVerdict::Identified);
  EXPECT_EQ(Last(lost).textKey, "IDS_CHECK_LINE_BLOCK_FAILED");
  const auto lossySent = BytesFromPc(*lossy, kEntry.size() + 2 + 3 * 4 + 1);
  ASSERT_FALSE(lossySent.empty());
  EXPECT_EQ(lossySent.back(), link::kEndCommand);
}

// What comes back tells the cause: our own bytes, garbage, another model's reply, nothing.
TEST_F(ConnectionCheckOverPty, EchoNoiseAnotherModelAndSilenceAreToldApart) {
  auto echo = StartRadio(Faults([](sim::SimFaults& f) { f.echo = true; }), VhfRadio());
  const CheckReport echoed = Check(echo->DevicePath());
  EXPECT_EQ(echoed.verdict, CheckVerdict::NoRadio);
  EXPECT_EQ(Last(echoed).textKey, "IDS_CHECK_LINE_ECHO");
  EXPECT_EQ(Last(echoed).details, (std::vector<std::string>{"Received: 05 50 52 4F 47 52 41 4D 06  .PROGRAM.",
                                                            "A radio answers behind the echo."}));
  // The radio behind the echo took the entry command, so it is sent back to work.
  const auto echoSent = BytesFromPc(*echo, 3 * kEntry.size() + 1);
  ASSERT_FALSE(echoSent.empty());
  EXPECT_EQ(echoSent.back(), link::kEndCommand);

  auto garbled = StartRadio(Faults([](sim::SimFaults& f) { f.wrongSpeed = true; }), VhfRadio());
  const CheckReport noise = Check(garbled->DevicePath());
  EXPECT_EQ(noise.verdict, CheckVerdict::NoRadio);
  EXPECT_EQ(Last(noise).textKey, "IDS_CHECK_LINE_NOISE");
  ASSERT_EQ(Last(noise).details.size(), 1u);
  EXPECT_TRUE(Last(noise).details[0].starts_with("Received: ")) << Last(noise).details[0];

  auto other = StartRadio(Faults([](sim::SimFaults& f) {
                            f.ident.assign(std::begin(sim::kOtherModelIdent), std::end(sim::kOtherModelIdent));
                          }),
                          VhfRadio());
  const CheckReport another = Check(other->DevicePath());
  EXPECT_EQ(another.verdict, CheckVerdict::OtherRadio);
  EXPECT_EQ(Last(another).textKey, "IDS_CHECK_LINE_OTHER_RADIO");
  EXPECT_EQ(Last(another).details, std::vector<std::string>{"Identification: 4B 54 2D 38 30 30 01 20  KT-800.."});
  std::vector<std::uint8_t> expected = kEntry;
  expected.insert(expected.end(), {0x02, 0x62});
  EXPECT_EQ(BytesFromPc(*other, expected.size()), expected);

  auto silent = StartRadio(Faults([](sim::SimFaults& f) { f.silent = true; }), VhfRadio());
  const CheckReport nothing = Check(silent->DevicePath());
  EXPECT_EQ(nothing.verdict, CheckVerdict::NoRadio);
  EXPECT_EQ(Last(nothing).text, "No answer on " + silent->DevicePath() + ": nothing came back to 10 entry commands.");
  EXPECT_EQ(BytesFromPc(*silent, 80).size(), 80u);  // ten entry commands, no end: nobody took one
}

// A missing device stops the check; a port number names its device; a device another
// process holds is named with that process, and one this process holds (as a program we
// cannot name would) is found by its lock. No byte reaches a held radio.
TEST_F(ConnectionCheckOverPty, MissingAndHeldDevicesStopBeforeTheLine) {
  const CheckReport missing = Check(m_dir.file("ttyUSB7"));
  EXPECT_EQ(Keys(missing).front(), "IDS_CHECK_DEVICE_MISSING");
  EXPECT_EQ(missing.verdict, CheckVerdict::NoRadio);
  for (const auto& key : Keys(missing)) EXPECT_EQ(key.find("IDS_CHECK_LINE"), std::string::npos) << key;

  // A file where the device should be (made by writing to a missing device as root).
  m_dir.write("ttyUSB8", "AT\r\n");
  const CheckReport notSerial = Check(m_dir.file("ttyUSB8"));
  EXPECT_EQ(Last(notSerial).textKey, "IDS_CHECK_LINE_CANNOT_OPEN");
  EXPECT_NE(Last(notSerial).text.find("not a serial device"), std::string::npos) << Last(notSerial).text;

  auto radio = StartRadio({}, VhfRadio());
  WriteProfileString("ports", "enumerate", "0", g_strIniFile);
  WriteProfileString("ports", "2", radio->DevicePath(), g_strIniFile);
  EXPECT_EQ(Keys(Check("", 1)), std::vector<std::string>{"IDS_CHECK_PORT_UNNAMED"});
  EXPECT_EQ(Check("", 2).verdict, CheckVerdict::Identified);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 3, radio->DevicePath().c_str(), O_RDWR | O_NOCTTY, 0);
  char sleepName[] = "sleep";
  char seconds[] = "30";
  char* argv[] = {sleepName, seconds, nullptr};
  pid_t holder = -1;
  ASSERT_EQ(posix_spawnp(&holder, "sleep", &actions, nullptr, argv, environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  // Until the child has the device open.
  const std::string fd = "/proc/" + std::to_string(holder) + "/fd/3";
  for (int tries = 0; tries < 250; ++tries) {
    std::error_code ec;
    if (std::filesystem::read_symlink(fd, ec) == radio->DevicePath()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const long heardBefore = static_cast<long>(BytesFromPc(*radio, 16).size());  // the check by port number
  const CheckReport held = Check(radio->DevicePath());
  kill(holder, SIGTERM);
  waitpid(holder, nullptr, 0);
  ASSERT_TRUE(held.Has("IDS_CHECK_HELD_OTHER"));
  const auto finding = std::find_if(held.findings.begin(), held.findings.end(),
                                    [](const CheckFinding& f) { return f.textKey == "IDS_CHECK_HELD_OTHER"; });
  EXPECT_EQ(finding->text, "The program sleep (process " + std::to_string(holder) + ") has " + radio->DevicePath() +
                               " open.");
  EXPECT_FALSE(held.Has("IDS_CHECK_LINE_IDENTIFIED"));
  EXPECT_EQ(radio->BytesReceived(), heardBefore);

  CSerialPort ours;
  ASSERT_TRUE(ours.Open(radio->DevicePath(), 9600));
  const CheckReport locked = Check(radio->DevicePath());
  EXPECT_TRUE(locked.Has("IDS_CHECK_HELD_UNKNOWN"));
  EXPECT_FALSE(locked.Has("IDS_CHECK_LINE_IDENTIFIED"));
  EXPECT_EQ(radio->BytesReceived(), heardBefore);
}

}  // namespace
}  // namespace qorrin::test
