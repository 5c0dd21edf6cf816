// What the connection check says about the conversation on the line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/transfer/LineFindings.h"

namespace qorrin {
namespace {

const CheckTexts& English() {
  static const CheckTexts texts(std::string(QORRIN_DATA_DIR) + "/english.lang");
  return texts;
}

ModelTable::Row Row(const std::string& code, const std::string& text) {
  return {code, ParseBandCode(code), std::nullopt, text};
}

// Two ranges; only the first has a text.
const ModelTable& Models() {
  static const ModelTable models([] {
    std::array<ModelTable::Row, kMaxModels> rows;
    rows[0] = Row("60134017", "136-174MHz");
    rows[1] = Row("00400047", "");
    return rows;
  }());
  return models;
}

// Our radio, its band block read, holding these band bytes.
LineTalk Identified(std::vector<std::uint8_t> band) {
  LineTalk talk;
  talk.opened = true;
  talk.attempts = 1;
  talk.acknowledged = true;
  talk.identified = true;
  talk.ident = {'N', 'N'};
  talk.blockRead = true;
  std::copy(band.begin(), band.end(), talk.block.begin() + (kBandInfo - kBandBlockAddress));
  return talk;
}

CheckReport Report(const LineTalk& talk, const ModelTable* models = &Models()) {
  CheckReport report;
  ReportLine(talk, "COM3", models, English(), report);
  return report;
}

// Our radio's range by its text, else its code; an unknown code is shown as it is. A radio
// whose block could not be read is ours but a problem.
TEST(LineFindings, OurRadioIsNamedByItsRange) {
  const CheckReport named = Report(Identified({0x60, 0x13, 0x40, 0x17}));
  EXPECT_EQ(named.verdict, CheckVerdict::Identified);
  EXPECT_EQ(named.rangeText, "136-174MHz");
  ASSERT_EQ(named.findings.size(), 1u);
  EXPECT_EQ(named.findings[0].status, CheckStatus::Ok);
  EXPECT_EQ(named.findings[0].text, "A VLM-7Q answered on COM3: frequency range 136-174MHz.");
  EXPECT_EQ(named.findings[0].details, std::vector<std::string>{"Identification: " + ByteText({'N', 'N'})});

  const CheckReport byCode = Report(Identified({0, 0, 0, 0, 0x00, 0x40, 0x00, 0x47}));  // above 200 MHz
  EXPECT_EQ(byCode.rangeText, "00400047");
  EXPECT_EQ(byCode.findings.at(0).textKey, "IDS_CHECK_LINE_IDENTIFIED");

  for (const ModelTable* models : {&Models(), static_cast<const ModelTable*>(nullptr)}) {
    const CheckReport unknown = Report(Identified({0x60, 0x13, 0x40, 0x18, 0xAB}), models);
    EXPECT_EQ(unknown.verdict, CheckVerdict::Identified);
    EXPECT_EQ(unknown.rangeText, "");
    ASSERT_EQ(unknown.findings.size(), 1u);
    EXPECT_EQ(unknown.findings[0].status, CheckStatus::Warning);
    EXPECT_EQ(unknown.findings[0].text, "A VLM-7Q answered on COM3, but its frequency-range code 60134018AB000000 "
                                        "matches no model of setting.ini.");
  }

  LineTalk unread = Identified({0x60, 0x13, 0x40, 0x17});
  unread.blockRead = false;
  const CheckReport failed = Report(unread);
  EXPECT_EQ(failed.verdict, CheckVerdict::Identified);
  ASSERT_EQ(failed.findings.size(), 1u);
  EXPECT_EQ(failed.findings[0].textKey, "IDS_CHECK_LINE_BLOCK_FAILED");
  EXPECT_EQ(failed.findings[0].status, CheckStatus::Problem);
}

// Without our radio the line is described (an echo wins a tie with noise); a cancel says nothing.
TEST(LineFindings, WithoutOurRadioTheLineIsDescribed) {
  LineTalk closed;
  closed.openError = "Permission denied";
  EXPECT_EQ(Report(closed).findings.at(0).textKey, "IDS_CHECK_LINE_CANNOT_OPEN");

  LineTalk other;
  other.opened = true;
  other.acknowledged = true;
  const CheckReport otherRadio = Report(other);
  EXPECT_EQ(otherRadio.verdict, CheckVerdict::OtherRadio);
  EXPECT_EQ(otherRadio.findings.at(0).text, "A radio answered on COM3 but did not identify as a VLM-7Q.");
  EXPECT_EQ(otherRadio.findings.at(0).details, std::vector<std::string>{"Identification: nothing"});

  LineTalk echo;
  echo.opened = true;
  echo.attempts = 4;
  echo.echoedAttempts = 2;
  echo.noisyAttempts = 2;
  echo.radioBehindEcho = true;
  const CheckReport echoed = Report(echo);
  EXPECT_EQ(echoed.verdict, CheckVerdict::NoRadio);
  ASSERT_EQ(echoed.findings.size(), 1u);
  EXPECT_EQ(echoed.findings[0].textKey, "IDS_CHECK_LINE_ECHO");
  EXPECT_EQ(echoed.findings[0].details.size(), 2u);
  EXPECT_EQ(echoed.findings[0].details[1], "A radio answers behind the echo.");
  echo.noisyAttempts = 3;
  EXPECT_EQ(Report(echo).findings.at(0).textKey, "IDS_CHECK_LINE_NOISE");
  echo.echoedAttempts = 0;
  echo.noisyAttempts = 1;
  EXPECT_EQ(Report(echo).findings.at(0).textKey, "IDS_CHECK_LINE_NOISE");

  LineTalk silent;
  silent.opened = true;
  silent.attempts = 10;
  EXPECT_EQ(Report(silent).findings.at(0).text, "No answer on COM3: nothing came back to 10 entry commands.");
  silent.cancelled = true;
  EXPECT_TRUE(Report(silent).findings.empty());
}

}  // namespace
}  // namespace qorrin
