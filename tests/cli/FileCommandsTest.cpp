#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>

#include "cli/CliRun.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

using Json = nlohmann::json;

class FileCommands : public ::testing::Test {
 protected:
  void SetUp() override { dir.installDataFiles(); }
  CliResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--config-dir", dir.path().string()});
    return RunCli(args);
  }
  std::string NewFile(const std::string& name, int model = 0) {
    CliResult r = Cli({"new", "--model", std::to_string(model), "-o", dir.file(name)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return dir.file(name);
  }
  TempDir dir;
};

TEST_F(FileCommands, NewWritesEachModelAndInfoDescribesIt) {
  const std::string one = NewFile("one.7Q", 0);
  EXPECT_EQ(dir.read("one.7Q").size(), 4144u);
  CliResult info = Cli({"info", one});
  EXPECT_EQ(info.exitCode, 0);
  EXPECT_NE(info.out.find("VLM-7Q Radio Program data v1.09"), std::string::npos);
  EXPECT_NE(info.out.find("136.00000 - 173.99500"), std::string::npos);
  EXPECT_NE(info.out.find("1 programmed"), std::string::npos);

  const std::string two = NewFile("two.7Q", 2);
  Json json = Json::parse(Cli({"dump", "--format", "json", two}).out);
  EXPECT_EQ(json["model"]["index"], 2);
  EXPECT_EQ(json["model"]["splitLow"], "174.00000");
  EXPECT_EQ(json["model"]["splitHigh"], "400.00000");
  EXPECT_EQ(json["vfoA"]["rx"], "136.00000");
  EXPECT_EQ(json["vfoB"]["rx"], "400.00000");
  EXPECT_EQ(json["vfoB"]["number"], 121);
  EXPECT_EQ(json["options"]["txTimeLimit"], 6);
  EXPECT_EQ(json["options"]["powerSave"], true);
  ASSERT_EQ(json["channels"].size(), 1u);
  EXPECT_EQ(json["channels"][0]["raw"], "00006013000000000000C000FFFFFFFF");
  EXPECT_EQ(json["fm"]["presets"].size(), 15u);
}

TEST_F(FileCommands, RefusesBadInputWithTheContractsExitCodes) {
  const std::string existing = NewFile("keep.7Q");
  const std::string before = dir.read("keep.7Q");
  EXPECT_EQ(Cli({"new", "-o", existing}).exitCode, 2);  // never replaced by accident
  EXPECT_EQ(dir.read("keep.7Q"), before);
  EXPECT_EQ(Cli({"new", "--force", "--model", "1", "-o", existing}).exitCode, 0);
  EXPECT_NE(dir.read("keep.7Q"), before);

  EXPECT_EQ(Cli({"new", "--model", "16", "-o", dir.file("x.7Q")}).exitCode, 1);
  EXPECT_EQ(Cli({"info", dir.file("missing.7Q")}).exitCode, 2);
  EXPECT_EQ(Cli({"info", dir.path().string()}).exitCode, 2);
  dir.write("foreign.7Q", "vlm-7Q Radio Program data v1.09" + std::string(4113, '\0'));
  CliResult foreign = Cli({"dump", dir.file("foreign.7Q")});
  EXPECT_EQ(foreign.exitCode, 2);
  EXPECT_NE(foreign.err.find("not a VLM-7Q project file"), std::string::npos);
  EXPECT_TRUE(foreign.out.empty());

  EXPECT_EQ(Cli({"dump", "--format", "xml", existing}).exitCode, 1);
  EXPECT_EQ(Cli({"frobnicate"}).exitCode, 1);
  EXPECT_EQ(RunCli({}).exitCode, 1);
  EXPECT_EQ(RunCli({"--help"}).exitCode, 0);

  TempDir empty;  // a program folder without setting.ini
  CliResult noSettings = RunCli({"--config-dir", empty.path().string(), "info", existing});
  EXPECT_EQ(noSettings.exitCode, 2);
  EXPECT_NE(noSettings.err.find("setting.ini"), std::string::npos);
}

TEST_F(FileCommands, DumpAppliesTheReadRulesToStrangeBytes) {
  std::string bytes = dir.read(NewFile("odd.7Q"));
  auto at = [&](int offset) -> char& { return bytes[48 + static_cast<std::size_t>(offset)]; };
  at(0x7C2) = 12;                             // squelch above 9
  at(0x7C4) = 9;                              // time limit above 6
  at(0x7CA) = 120;                            // priority channel beyond 99
  at(0x7C6) = static_cast<char>(0xC0);        // back light bits 11
  at(0x7C8) = static_cast<char>(0xFF);        // FM index above 210
  const int ch5 = 5 * 16;                     // channel 5: 146.52, tones 156 / 60+inverted
  const char record[16] = {0x00, 0x20, 0x65, 0x14, static_cast<char>(156), 0x00, 0x00, 0x06, 0x00,
                           60, static_cast<char>(0x23), 6, 0x0C, 0x0B, 0x0D, static_cast<char>(0xFF)};
  for (int i = 0; i < 16; ++i) at(ch5 + i) = record[i];
  dir.write("odd.7Q", bytes);

  CliResult r = Cli({"dump", "--format", "json", dir.file("odd.7Q")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  Json json = Json::parse(r.out);
  EXPECT_EQ(json["options"]["squelch"], 9);
  EXPECT_EQ(json["options"]["txTimeLimit"], 6);
  EXPECT_EQ(json["options"]["priorityChannel"], 0);
  EXPECT_EQ(json["options"]["backLight"], 2);
  EXPECT_EQ(json["fm"]["current"], 210);
  ASSERT_EQ(json["channels"].size(), 2u);
  const Json& c = json["channels"][1];
  EXPECT_EQ(c["number"], 5);
  EXPECT_EQ(c["rx"], "146.52000");
  EXPECT_EQ(c["offset"], "00.60000");
  EXPECT_EQ(c["shift"], 0);  // bits 11 read as none
  EXPECT_EQ(c["tx"], "146.52000");
  EXPECT_EQ(c["rxTone"], 0);  // byte 156 reads off
  EXPECT_EQ(c["txTone"], 164);
  EXPECT_EQ(c["txToneText"], "D053I");
  EXPECT_EQ(c["step"], 0);
  EXPECT_EQ(c["name"], "A B");
  EXPECT_EQ(c["wide"], false);
  EXPECT_EQ(c["highPower"], false);
}

TEST_F(FileCommands, DumpOfRandomProjectFilesNeverFails) {
  std::mt19937 rng(7);
  const std::string header = "VLM-7Q Radio Program data";
  for (int round = 0; round < 12; ++round) {
    std::string bytes(4144, '\0');
    for (char& b : bytes) b = static_cast<char>(rng());
    bytes.replace(0, header.size(), header);
    bytes[30] = static_cast<char>(0x80 | round);  // a header byte that is not ASCII
    dir.write("rand.7Q", bytes);
    for (const char* format : {"text", "json"}) {
      CliResult r = Cli({"dump", "--format", format, dir.file("rand.7Q")});
      ASSERT_EQ(r.exitCode, 0) << r.err;
      if (std::string(format) == "json") {
        EXPECT_TRUE(Json::accept(r.out));
      }
    }
  }
}

}  // namespace
}  // namespace qorrin::test
