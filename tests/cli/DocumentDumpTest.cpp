// The option lines of both dumps, each field on its own, for three documents: every field
// takes more than one value, and no two fields read alike in all three, so a mix-up shows.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/DocumentDump.h"
#include "core/model/CQorrinDoc.h"
#include "support/DocumentBytes.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

// The lines of the text dump from the first option line to the priority channel.
std::vector<std::string> OptionLines(const std::string& dump) {
  std::vector<std::string> lines;
  std::istringstream in(dump.substr(dump.find("\n\n") + 2));
  for (std::string line; std::getline(in, line) && !line.empty();) lines.push_back(line);
  return lines;
}

TEST(DocumentDump, EveryOptionFieldHasItsOwnLineAndKey) {
  TempDir dir;
  dir.installDataFiles();
  CQorrinDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  // The text dump's option lines are these labels, in this order, then each case's values.
  const std::vector<std::string> labels = {
      "squelch level:     ", "VOX level:         ", "TX time limit:     ", "channel flag:      ",
      "busy lockout:      ", "key beep:          ", "channel display:   ", "power save:        ",
      "scan mode:         ", "priority scan:     ", "back light:        ", "priority channel:  "};
  struct Options {
    std::uint8_t squelch, vox, timeLimit, flags1, flags2, priority;
    std::vector<std::string> values;
    const char* json;
  };
  const Options cases[] = {
      // channel flag, key beep, power save; back light 2; priority channel 12
      {3, 7, 4, 0x89, 0x80, 12, {"3", "7", "120 s", "1", "off", "on", "0", "on", "0", "off", "2", "12"},
       R"({"squelch": 3, "vox": 7, "txTimeLimit": 4, "channelFlag": 1, "channelDisplay": 0, "scanMode": 0, "backLight": 2,
           "busyLockout": false, "keyBeep": true, "powerSave": true, "priorityScan": false, "priorityChannel": 12})"},
      // busy lock-out, key beep, channel display; back light 1
      {9, 0, 0, 0x1A, 0x40, 0, {"9", "0", "off", "0", "on", "on", "1", "off", "0", "off", "1", "off"},
       R"({"squelch": 9, "vox": 0, "txTimeLimit": 0, "channelFlag": 0, "channelDisplay": 1, "scanMode": 0, "backLight": 1,
           "busyLockout": true, "keyBeep": true, "powerSave": false, "priorityScan": false, "priorityChannel": 0})"},
      // busy lock-out, channel display; scan mode, priority scan; priority channel 99
      {0, 9, 6, 0x12, 0x18, 99, {"0", "9", "180 s", "0", "on", "off", "1", "off", "1", "on", "0", "99"},
       R"({"squelch": 0, "vox": 9, "txTimeLimit": 6, "channelFlag": 0, "channelDisplay": 1, "scanMode": 1, "backLight": 0,
           "busyLockout": true, "keyBeep": false, "powerSave": false, "priorityScan": true, "priorityChannel": 99})"},
  };
  for (const Options& c : cases) {
    Poke(doc, [&](ImageSpan image, const BandLimits&) {
      image[kOptSquelch] = c.squelch;
      image[kOptVox] = c.vox;
      image[kOptTxTimeLimit] = c.timeLimit;
      image[kOptFlags1] = c.flags1;
      image[kOptFlags2] = c.flags2;
      image[kOptPriorityChannel] = c.priority;
    });
    std::vector<std::string> text;
    for (std::size_t i = 0; i < labels.size(); ++i) text.push_back(labels[i] + c.values[i]);
    EXPECT_EQ(OptionLines(cli::DumpText(doc)), text);
    EXPECT_EQ(cli::DumpJson(doc)["options"].dump(), nlohmann::ordered_json::parse(c.json).dump());
  }
}

}  // namespace
}  // namespace qorrin::test
