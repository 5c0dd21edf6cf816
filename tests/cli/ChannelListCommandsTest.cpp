#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/CliRun.h"
#include "core/interchange/ListSamples.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

using Json = nlohmann::json;

class ChannelListCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.installDataFiles();
    ASSERT_EQ(Cli({"new", "-o", dir.file("base.7Q")}).exitCode, 0);
  }
  CliResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--config-dir", dir.path().string()});
    return RunCli(args);
  }
  // "number rx tx name" of every programmed channel of a project file.
  std::vector<std::string> Channels(const std::string& name) {
    std::vector<std::string> channels;
    const Json dump = Json::parse(Cli({"dump", "--format", "json", dir.file(name)}).out);
    for (const Json& c : dump["channels"]) {
      channels.push_back(std::to_string(c["number"].get<int>()) + " " + c["rx"].get<std::string>() + " " +
                         c["tx"].get<std::string>() + " " + c["name"].get<std::string>());
    }
    return channels;
  }
  TempDir dir;
};

TEST_F(ChannelListCommands, ExportGoesToStandardOutputOrAFileNeverReplacedWithoutForce) {
  const std::string expected = kFullHeader + "\r\n1,,136.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n";
  const CliResult out = Cli({"export-csv", dir.file("base.7Q")});
  EXPECT_EQ(out.exitCode, 0);
  EXPECT_EQ(out.out, expected);

  EXPECT_EQ(Cli({"export-csv", dir.file("base.7Q"), "-o", dir.file("list.csv")}).exitCode, 0);
  EXPECT_EQ(dir.read("list.csv"), expected);
  dir.write("list.csv", "keep");
  EXPECT_EQ(Cli({"export-csv", dir.file("base.7Q"), "-o", dir.file("list.csv")}).exitCode, 2);
  EXPECT_EQ(dir.read("list.csv"), "keep");
  EXPECT_EQ(Cli({"export-csv", dir.file("base.7Q"), "-o", dir.file("list.csv"), "--force"}).exitCode, 0);
  EXPECT_EQ(dir.read("list.csv"), expected);

  EXPECT_EQ(Cli({"export-csv", dir.file("missing.7Q")}).exitCode, 2);
  EXPECT_EQ(Cli({"export-csv", dir.file("base.7Q"), "-o", dir.path().string()}).exitCode, 2);
  EXPECT_EQ(Cli({"export-csv"}).exitCode, 1);
}

TEST_F(ChannelListCommands, ImportReportsOnStandardErrorAndWritesTheNewProjectFile) {
  dir.write("refusals.csv", kRefusalList);
  const CliResult done = Cli({"import-csv", dir.file("base.7Q"), dir.file("refusals.csv"), "-o", dir.file("out.7Q")});
  EXPECT_EQ(done.exitCode, 0) << done.err;
  EXPECT_TRUE(done.out.empty());
  EXPECT_NE(done.err.find("line 4 (Location 12): refused: 52.525000 MHz is outside 136.000-174.000 MHz\n"),
            std::string::npos) << done.err;
  EXPECT_NE(done.err.find("\n1 row imported into channel 1; 17 refused; 0 changed\n"), std::string::npos);
  EXPECT_EQ(Channels("out.7Q"), (std::vector<std::string>{"1 146.52000 146.52000 OK"}));

  // From channel 98, merged with what the file holds; then replacing everything.
  dir.write("spreadsheet.csv", kSpreadsheetList);
  EXPECT_EQ(Cli({"import-csv", dir.file("base.7Q"), dir.file("spreadsheet.csv"), "-o", dir.file("at.7Q"), "--at", "98"})
                .exitCode, 0);
  EXPECT_EQ(Channels("at.7Q"), (std::vector<std::string>{"1 136.00000 136.00000 ", "98 145.72500 145.12500 RELA",
                                                         "99 145.50000 145.50000 SIMP"}));
  EXPECT_EQ(Cli({"import-csv", dir.file("at.7Q"), dir.file("spreadsheet.csv"), "-o", dir.file("at.7Q"), "--replace",
                 "--force"}).exitCode, 0);
  EXPECT_EQ(Channels("at.7Q"), (std::vector<std::string>{"1 145.72500 145.12500 RELA", "2 145.50000 145.50000 SIMP"}));
}

TEST_F(ChannelListCommands, ImportExitCodes) {
  const std::string base = dir.file("base.7Q");
  dir.write("none.csv", "Location,Frequency,Mode\n1,146.52,AM\n2,,FM\n");
  const CliResult none = Cli({"import-csv", base, dir.file("none.csv"), "-o", dir.file("x.7Q")});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_NE(none.err.find("no rows imported; 2 refused; 0 changed"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.7Q")));

  EXPECT_EQ(Cli({"import-csv", base, dir.file("missing.csv"), "-o", dir.file("x.7Q")}).exitCode, 2);
  dir.write("ok.csv", "146.52\n");
  EXPECT_EQ(Cli({"import-csv", dir.file("missing.7Q"), dir.file("ok.csv"), "-o", dir.file("x.7Q")}).exitCode, 2);
  EXPECT_EQ(Cli({"import-csv", base, dir.file("ok.csv"), "-o", base}).exitCode, 2);  // exists, no --force
  EXPECT_EQ(Cli({"import-csv", base, dir.file("ok.csv")}).exitCode, 1);
  EXPECT_EQ(Cli({"import-csv", base, dir.file("ok.csv"), "-o", dir.file("x.7Q"), "--at", "100"}).exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.7Q")));
}

}  // namespace
}  // namespace qorrin::test
