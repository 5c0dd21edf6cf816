// The connection check against the simulated radio's faults on pseudo-terminals: an echoing
// cable, noise, another model and silence, each told by what comes back.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/link/ProtocolFrames.h"
#include "core/model/ModelInfo.h"
#include "core/settings/AppPaths.h"
#include "core/transfer/ConnectionCheck.h"
#include "link/LinkTestSupport.h"

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

// The check of a simulated radio's device, with the settings of installDataFiles.
CheckReport Check(const sim::SimRadio& radio) {
  const CheckRequest request{.device = radio.DevicePath(), .settingsPath = g_strIniFile,
                             .langFile = g_strLangFile, .models = ModelTable::Load()};
  CSerialPort serial;
  CheckReport report = CheckConnection(serial, request);
  EXPECT_FALSE(serial.IsOpen());
  return report;
}

const CheckFinding& Last(const CheckReport& report) {
  static const CheckFinding none;
  return report.findings.empty() ? none : report.findings.back();
}

// What comes back tells the cause: our own bytes, garbage, another model's reply, nothing.
TEST(ConnectionCheckOverPty, EchoNoiseAnotherModelAndSilenceAreToldApart) {
  TempDir dir;
  dir.installDataFiles();
  auto echo = StartRadio([](sim::SimFaults& f) { f.echo = true; }, VhfRadio());
  const CheckReport echoed = Check(*echo);
  EXPECT_EQ(echoed.verdict, CheckVerdict::NoRadio);
  EXPECT_EQ(Last(echoed).textKey, "IDS_CHECK_LINE_ECHO");
  EXPECT_EQ(Last(echoed).details, (std::vector<std::string>{"Received: 05 50 52 4F 47 52 41 4D 06  .PROGRAM.",
                                                            "A radio answers behind the echo."}));
  // The radio behind the echo took the entry command, so it is sent back to work.
  const auto echoSent = BytesFromPc(*echo, 3 * kEntry.size() + 1);
  ASSERT_FALSE(echoSent.empty());
  EXPECT_EQ(echoSent.back(), link::kEndCommand);

  auto garbled = StartRadio([](sim::SimFaults& f) { f.wrongSpeed = true; }, VhfRadio());
  const CheckReport noise = Check(*garbled);
  EXPECT_EQ(noise.verdict, CheckVerdict::NoRadio);
  EXPECT_EQ(Last(noise).textKey, "IDS_CHECK_LINE_NOISE");
  ASSERT_EQ(Last(noise).details.size(), 1u);
  EXPECT_TRUE(Last(noise).details[0].starts_with("Received: ")) << Last(noise).details[0];

  auto other = StartRadio(
      [](sim::SimFaults& f) { f.ident.assign(std::begin(sim::kOtherModelIdent), std::end(sim::kOtherModelIdent)); },
      VhfRadio());
  const CheckReport another = Check(*other);
  EXPECT_EQ(another.verdict, CheckVerdict::OtherRadio);
  EXPECT_EQ(Last(another).textKey, "IDS_CHECK_LINE_OTHER_RADIO");
  EXPECT_EQ(Last(another).details, std::vector<std::string>{"Identification: 4B 54 2D 38 30 30 01 20  KT-800.."});
  std::vector<std::uint8_t> expected = kEntry;
  expected.insert(expected.end(), {0x02, 0x62});
  EXPECT_EQ(BytesFromPc(*other, expected.size()), expected);

  auto silent = StartRadio([](sim::SimFaults& f) { f.silent = true; }, VhfRadio());
  const CheckReport nothing = Check(*silent);
  EXPECT_EQ(nothing.verdict, CheckVerdict::NoRadio);
  EXPECT_EQ(Last(nothing).text, "No answer on " + silent->DevicePath() + ": nothing came back to 10 entry commands.");
  EXPECT_EQ(BytesFromPc(*silent, 80).size(), 80u);  // ten entry commands, no end: nobody took one
}

}  // namespace
}  // namespace qorrin::test
