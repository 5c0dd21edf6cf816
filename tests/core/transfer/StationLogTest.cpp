// The station's log, as a spreadsheet reads it back, and where it and the backups go by default.
#include <gtest/gtest.h>

#include <utility>

#include "core/transfer/StationLog.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

StationRadio LoggedRadio(RadioResult result, std::string detail) {
  StationRadio radio;
  radio.when = std::chrono::system_clock::from_time_t(0);
  radio.port = "/dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0";
  radio.cable = "A50285BI";
  radio.result = result;
  radio.shaBefore = std::string(64, 'a');
  radio.backupFile = "/home/tech/site-station-backups/x_read.7Q";
  radio.seconds = 12.34;
  radio.detail = std::move(detail);
  return radio;
}

TEST(StationLogTest, LinesAreAppendedAfterOneHeadingAndQuotedWhereNeeded) {
  test::TempDir dir;
  const std::string path = dir.file("site-station.csv");
  // Two runs: the second continues the file.
  for (const StationRadio& radio : {LoggedRadio(RadioResult::Programmed, ""),
                                    LoggedRadio(RadioResult::VerifyFailed, "3 byte(s) differ, \"VFO A\"")}) {
    StationLog log;
    std::string error;
    ASSERT_TRUE(log.Open(path, &error)) << error;
    ASSERT_TRUE(log.Append(radio, &error)) << error;
  }
  const std::string text = dir.read("site-station.csv");
  const std::string fields = ",/dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0,A50285BI,";
  const std::string tail = "," + std::string(64, 'a') + ",,/home/tech/site-station-backups/x_read.7Q,12.3,";
  const std::string time = test::ReadFileBytes(path).substr(StationLog::Heading().size(), 19);
  EXPECT_EQ(text, StationLog::Heading() + time + fields + "programmed" + tail + "\n" + time + fields + "verify failed" +
                      tail + "\"3 byte(s) differ, \"\"VFO A\"\"\"\n");
  EXPECT_EQ(StationLog::Heading(), "time,port,cable,result,sha256_before,sha256_after,backup,seconds,detail\n");

  StationLog nowhere;
  std::string error;
  EXPECT_FALSE(nowhere.Open(dir.file("missing-folder/log.csv"), &error));
  EXPECT_NE(error.find("missing-folder/log.csv"), std::string::npos) << error;
}

// Only a field a spreadsheet would misread is quoted (separator, quote, line break, outer space).
TEST(StationLogTest, FieldsAreQuotedOnlyWhereASpreadsheetWouldMisreadThem) {
  const std::pair<std::string, std::string> details[] = {
      {"not verified", "not verified"},   {" leading", "\" leading\""},  {"trailing ", "\"trailing \""},
      {"two\nlines", "\"two\nlines\""}, {"cr\r", "\"cr\r\""},           {"", ""},
  };
  for (const auto& [detail, field] : details) {
    const std::string line = StationLog::Line(LoggedRadio(RadioResult::Programmed, detail));
    EXPECT_EQ(line.substr(line.rfind(",12.3,") + 6), field + "\n") << detail;
  }
}

TEST(StationLogTest, EveryResultHasItsWordAndTheDefaultPlacesAreBesideThePlan) {
  EXPECT_STREQ(RadioResultText(RadioResult::AlreadyProgrammed), "already programmed");
  EXPECT_STREQ(RadioResultText(RadioResult::WrongModel), "wrong model");
  EXPECT_STREQ(RadioResultText(RadioResult::UnpluggedDuringWrite), "unplugged during the write");
  EXPECT_TRUE(HoldsPlan(RadioResult::AlreadyProgrammed));
  EXPECT_FALSE(HoldsPlan(RadioResult::VerifyFailed));
  EXPECT_EQ(DefaultStationLogPath("/home/tech/site.7Q"), "/home/tech/site-station.csv");
  EXPECT_EQ(StationBackupFolder("/home/tech/site-station.csv"), "/home/tech/site-station-backups");
  EXPECT_EQ(DefaultStationLogPath("plan.7Q"), "plan-station.csv");
}

}  // namespace
}  // namespace qorrin
