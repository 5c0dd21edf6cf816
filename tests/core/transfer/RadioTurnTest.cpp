// A radio's whole turn at the station against the scripted radio on a memory port.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/backup/BackupStore.h"
#include "core/link/MemoryRadio.h"
#include "core/link/ProtocolSteps.h"
#include "core/transfer/RadioTurn.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

using test::MemoryRadio;
using test::Writes;

ModelTable::Row ModelRow(const std::string& code, const std::string& text) {
  return {code, ParseBandCode(code), ParseBandCode(code), text};
}

// Three ranges, the last without a text of its own; a plan of the first.
struct TurnBench {
  test::TempDir dir;
  TurnPlan plan;
  TransferRun::Image before{};  // what a radio of the plan's range holds before its turn
  std::vector<std::pair<PortActivity, int>> shown;
  std::shared_ptr<MemoryLinkPort> port;  // the last turn's

  TurnBench() {
    std::array<ModelTable::Row, kMaxModels> rows;
    rows[0] = ModelRow("60134017", "136-174MHz");
    rows[1] = ModelRow("00400047", "400-470MHz");
    rows[2] = ModelRow("00400048", "");
    plan.models = std::make_shared<const ModelTable>(std::move(rows));
    plan.settingsPath = dir.file("setting.ini");
    plan.backupFolder = dir.file("backups");
    before = MemoryRadio().memory;
    plan.models->WriteModelBandInfo(before, 0);
    plan.image = before;
    plan.image[0x123] ^= 0xFF;
    plan.image[0x456] ^= 0xFF;
    plan.model = 0;
  }
  MemoryRadio Radio(const TransferRun::Image& image, int model = 0) const {
    MemoryRadio radio;
    radio.memory = image;
    plan.models->WriteModelBandInfo(radio.memory, model);
    return radio;
  }
  // The acknowledged entry attempt, then the turn, cancelled before it runs (cancelAt 0) or
  // once the radio took block cancelAt; every session the radio acknowledged ended once.
  StationRadio Turn(MemoryRadio& radio, int cancelAt = -1) {
    port = radio.Port();
    EXPECT_EQ(port->Open("/dev/memory", link::kBaudRate), 1);
    EXPECT_EQ(link::SendEntryCommand(*port), link::kAck);
    shown.clear();
    RadioTurn turn(plan, port, "/dev/memory", "COM9",
                   [this](PortActivity activity, int percent) { shown.emplace_back(activity, percent); });
    if (cancelAt == 0) turn.Cancel();
    if (cancelAt > 0) {
      radio.onBlockWritten = [&turn, cancelAt](int address) {
        if (address == cancelAt) turn.Cancel();
      };
    }
    const StationRadio result = turn.Run();
    EXPECT_EQ(Writes(*port, {link::kEndCommand}), Writes(*port, {link::kEntryCommand[0], 'P'}));
    return result;
  }
};

// Backed up, written, read back, each stage shown from its start to 100% (each change
// once), fingerprinted before and after; without verification, said unverified.
TEST(RadioTurn, ARadioIsBackedUpWrittenAndVerified) {
  TurnBench bench;
  MemoryRadio radio = bench.Radio(bench.before);
  const StationRadio result = bench.Turn(radio);
  EXPECT_EQ(result.result, RadioResult::Programmed);
  EXPECT_EQ(result.detail, "");
  EXPECT_EQ(result.outcome.end, TransferEnd::Verified);
  EXPECT_TRUE(std::equal(radio.memory.begin(), radio.memory.begin() + kLinkedImageSize, bench.plan.image.begin()));
  EXPECT_EQ(result.shaBefore, ImageFingerprint(bench.before));
  EXPECT_EQ(result.shaAfter, ImageFingerprint(bench.plan.image));
  EXPECT_NE(result.shaBefore, result.shaAfter);
  EXPECT_EQ(result.port, "COM9");
  EXPECT_EQ(result.device, "/dev/memory");
  const std::vector<BackupEntry> backups = ListBackups(bench.plan.backupFolder);
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(backups[0].strPath, result.backupFile);
  EXPECT_EQ(backups[0].strPort, "COM9");
  EXPECT_EQ(Writes(*bench.port, {link::kEntryCommand[0], 'P'}), 3);  // the attempt, the write, the read-back

  std::vector<PortActivity> stages;
  for (const auto& [activity, percent] : bench.shown) {
    if (stages.empty() || stages.back() != activity) {
      stages.push_back(activity);
      EXPECT_LE(percent, 0) << "a stage begins from none of its blocks";
    }
  }
  EXPECT_EQ(stages, (std::vector<PortActivity>{PortActivity::Reading, PortActivity::Writing, PortActivity::Verifying}));
  EXPECT_EQ(std::adjacent_find(bench.shown.begin(), bench.shown.end()), bench.shown.end()) << "each change told once";
  for (const PortActivity stage : stages) {
    std::vector<int> percents;
    for (const auto& [activity, percent] : bench.shown) {
      if (activity == stage) percents.push_back(percent);
    }
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_GT(percents.size(), 50u) << "the percent climbs block by block";
    EXPECT_EQ(percents.back(), 100);
  }

  bench.plan.verify = false;
  MemoryRadio unverified = bench.Radio(bench.before);
  const StationRadio written = bench.Turn(unverified);
  EXPECT_EQ(written.result, RadioResult::Programmed);
  EXPECT_EQ(written.detail, "not verified");
  EXPECT_EQ(written.shaAfter, "");
}

// Nothing is written into a radio that holds the plan, is of another range (named by its
// text, number or as none), does not identify, or whose backup cannot be kept.
TEST(RadioTurn, RadiosThatMustNotBeWrittenAreLeftAsTheyWere) {
  TurnBench bench;
  struct Case {
    const char* name;
    MemoryRadio radio;
    RadioResult result;
    const char* detail;
  };
  MemoryRadio noRange = bench.Radio(bench.before);
  std::fill_n(noRange.memory.begin() + kBandInfo, kBandInfoSize, 0x00);
  MemoryRadio stranger = bench.Radio(bench.before);
  stranger.ident = {'X', 'Y', 'Z'};
  Case cases[] = {
      {"holds the plan", bench.Radio(bench.plan.image), RadioResult::AlreadyProgrammed, ""},
      {"another range", bench.Radio(bench.before, 1), RadioResult::WrongModel,
       "its frequency range (400-470MHz) is not the plan's (136-174MHz); nothing written"},
      {"a range without text", bench.Radio(bench.before, 2), RadioResult::WrongModel,
       "its frequency range (model 2) is not the plan's (136-174MHz); nothing written"},
      {"no known range", noRange, RadioResult::WrongModel,
       "its frequency range (none of setting.ini's) is not the plan's (136-174MHz); nothing written"},
      {"not ours", stranger, RadioResult::WrongModel, "the radio did not identify as a VLM-7Q"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto held = c.radio.memory;
    const StationRadio result = bench.Turn(c.radio);
    EXPECT_EQ(result.result, c.result);
    EXPECT_EQ(result.detail, c.detail);
    EXPECT_EQ(Writes(*bench.port, {link::kDataFrameTag}), 0);
    EXPECT_EQ(c.radio.memory, held);
    EXPECT_EQ(result.shaBefore.empty(), result.backupFile.empty());
    EXPECT_EQ(result.shaAfter, "");
    }

  // A backup folder that cannot be made: what the radio held would be lost for good.
  bench.dir.write("not-a-folder", "");
  bench.plan.backupFolder = bench.dir.file("not-a-folder/backups");
  MemoryRadio radio = bench.Radio(bench.before);
  const StationRadio result = bench.Turn(radio);
  EXPECT_EQ(result.result, RadioResult::BackupFailed);
  EXPECT_NE(result.detail.find("; nothing written"), std::string::npos) << result.detail;
  EXPECT_EQ(result.backupFile, "");
  EXPECT_EQ(Writes(*bench.port, {link::kDataFrameTag}), 0);
}

// Writes not held or not read back, broken off by the radio or a cancel, failed or cancelled
// backups: each has its result and words, and no session is left open.
TEST(RadioTurn, TurnsBrokenOffOrNotVerifiedLeaveNoSessionOpen) {
  TurnBench bench;
  MemoryRadio stuck = bench.Radio(bench.before);
  stuck.stuckAt = 0x123;
  StationRadio result = bench.Turn(stuck);
  EXPECT_EQ(result.result, RadioResult::VerifyFailed);
  EXPECT_EQ(result.outcome.end, TransferEnd::NotVerified);
  EXPECT_EQ(result.detail.rfind("1 byte(s) differ from the plan, the first at 0x123 (", 0), 0u) << result.detail;
  EXPECT_EQ(result.shaAfter, ImageFingerprint(stuck.memory));

  MemoryRadio forgetful = bench.Radio(bench.before);  // stops identifying once written
  forgetful.onBlockWritten = [&forgetful](int address) {
    if (address == link::kTransferBytes - link::kBlockSize) forgetful.ident = {'?'};
  };
  result = bench.Turn(forgetful);
  EXPECT_EQ(result.result, RadioResult::VerifyFailed);
  EXPECT_EQ(result.detail, "written, but it could not be read back: the radio did not identify as a VLM-7Q");
  EXPECT_EQ(result.shaAfter, "");

  MemoryRadio silent = bench.Radio(bench.before);  // its backup read breaks off
  silent.badBlock = 0x20;
  silent.badTries = -1;
  result = bench.Turn(silent);
  EXPECT_EQ(result.result, RadioResult::ReadFailed);
  EXPECT_EQ(result.detail, "it stopped answering while its backup was read (at 25%); nothing written");
  EXPECT_EQ(result.backupFile, "");

  MemoryRadio cancelled = bench.Radio(bench.before);
  result = bench.Turn(cancelled, 0);
  EXPECT_EQ(result.result, RadioResult::Cancelled);
  EXPECT_EQ(result.detail, "stopped before its backup was read; nothing written");
  EXPECT_EQ(cancelled.memory, bench.Radio(bench.before).memory);

  MemoryRadio halfway = bench.Radio(bench.before);
  result = bench.Turn(halfway, 0x200);
  EXPECT_EQ(result.result, RadioResult::Cancelled);
  EXPECT_EQ(result.detail, "stopped at 25% of the write: its memory is partly written");
  EXPECT_EQ(halfway.memory[0x123], bench.plan.image[0x123]);
  EXPECT_EQ(halfway.memory[0x456], bench.before[0x456]);
}

}  // namespace
}  // namespace qorrin
