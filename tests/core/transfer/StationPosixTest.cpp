// The station's own decisions, on pseudo-terminals whose far end does no more than
// acknowledge entry commands: when a radio has its turn and when it does not, what the
// stops do, which port a line reached under two names belongs to, a device that will not
// open, a port whose device changes.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/transfer/StationPtyFixture.h"

namespace qorrin::test {
namespace {

// A station that cannot do its work does not start, and says why: nothing to watch, a
// plan of no known range, a backup folder or log that cannot be made.
TEST(Station, StartRefusesWhatCannotRun) {
  PtyStationBench bench;
  const StationSettings good = bench.Settings({});
  auto refusal = [&](const StationSettings& settings) {
    Station station(settings, bench.recorder);
    std::string error;
    EXPECT_FALSE(station.Start(&error));
    return error;
  };
  StationSettings nothing = good;
  nothing.sources.clear();
  EXPECT_EQ(refusal(nothing), "no port to watch");
  StationSettings unknown = good;
  std::fill_n(unknown.plan.begin() + kBandInfo, kBandInfoSize, 0x00);
  EXPECT_EQ(refusal(unknown), "the plan's frequency range matches no model in setting.ini");
  bench.dir.write("file", "");
  StationSettings noBackups = good;
  noBackups.backupFolder = bench.dir.file("file/backups");
  EXPECT_EQ(refusal(noBackups).rfind("cannot create the backup folder " + noBackups.backupFolder, 0), 0u);
  StationSettings noLog = good;
  noLog.logPath = bench.dir.file("file/station.csv");
  noLog.backupFolder = bench.dir.file("backups");
  EXPECT_NE(refusal(noLog).find(noLog.logPath), std::string::npos);
  EXPECT_TRUE(bench.recorder.Radios().empty());
}

// A radio left on its cable has one turn: its later answers only get the end command,
// until it misses enough attempts to count as gone, and the next radio to answer has its
// turn. Taking the last radio stops the station without cancelling that radio's turn; each
// is logged and counted. A line reached through two links is one port's only. Every entry
// command the station sent was followed by an end command.
TEST(Station, ARadioLeftOnItsCableHasOneTurnAndTheLastFinishesIts) {
  PtyStationBench bench;
  ASSERT_FALSE(bench.answerer.Device().empty());
  StationSettings settings = bench.Settings({"cable-a", "cable-b"});
  settings.count = 2;
  settings.missesUntilGone = 1;
  bench.answerer.answers = {true, true, false, true};  // a turn, the same radio, gone, the next
  bench.answerer.Start();
  Station station(settings, bench.recorder);
  ASSERT_TRUE(bench.RunsToItsEnd(station)) << "the station did not end after its two radios";
  const std::vector<StationRadio> radios = bench.recorder.Radios();
  ASSERT_EQ(radios.size(), 2u);
  for (const StationRadio& radio : radios) {
    EXPECT_EQ(radio.result, RadioResult::WrongModel);
    EXPECT_EQ(radio.detail, "the radio did not identify as a VLM-7Q");
  }
  const StationTally tally = station.Tally();
  EXPECT_EQ(tally.failed, 2);
  EXPECT_EQ(tally.programmed + tally.alreadyProgrammed, 0);
  const std::string log = bench.dir.read("station.csv");
  EXPECT_EQ(log.rfind(StationLog::Heading(), 0), 0u);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3) << log;
  EXPECT_NE(log.find(",wrong model,"), std::string::npos) << log;

  const std::set<int> rows = bench.recorder.RowsWithDevice();
  ASSERT_EQ(rows.size(), 1u);
  using A = PortActivity;
  EXPECT_EQ(bench.recorder.Activities(*rows.begin()),
            (std::vector<A>{A::NoDevice, A::Waiting, A::Reading, A::RadioDone, A::Waiting, A::Reading, A::RadioDone}));
  EXPECT_EQ(bench.answerer.Entries(), 4);
  EXPECT_EQ(bench.answerer.Ends(), 4);
}

// A radio that answers the attempt made just before a stop gets no turn, only the end
// command. A device is tried as soon as it is there, not an attempt period later.
TEST(Station, NoTurnBeginsAfterAStop) {
  PtyStationBench bench;
  ASSERT_FALSE(bench.answerer.Device().empty());
  std::atomic<Station*> running{nullptr};
  bench.answerer.beforeAck = [&running] {
    if (Station* station = running.load()) station->Stop(Station::StopMode::AfterRadiosUnderWay);
  };
  bench.answerer.Start();
  StationSettings settings = bench.Settings({"cable"});
  settings.attemptPeriodMs = 60000;  // the first attempt is made at once all the same
  Station station(settings, bench.recorder);
  running = &station;
  ASSERT_TRUE(bench.RunsToItsEnd(station));
  EXPECT_TRUE(bench.recorder.Radios().empty());
  EXPECT_EQ(station.Tally().Radios(), 0);
  EXPECT_EQ(bench.answerer.Acks(), 1);
  EXPECT_EQ(bench.answerer.Ends(), 1);
}

// A second stop cancels the turn under way; its radio is still ended.
TEST(Station, AHardStopCancelsTheTurnUnderWay) {
  PtyStationBench bench;
  ASSERT_FALSE(bench.answerer.Device().empty());
  std::atomic<Station*> running{nullptr};
  bench.answerer.ours = true;
  bench.answerer.onConfirm = [&running] {
    if (Station* station = running.load()) station->Stop(Station::StopMode::CancelTransfers);
  };
  bench.answerer.Start();
  Station station(bench.Settings({"cable"}), bench.recorder);
  running = &station;
  ASSERT_TRUE(bench.RunsToItsEnd(station));
  const std::vector<StationRadio> radios = bench.recorder.Radios();
  ASSERT_EQ(radios.size(), 1u);
  EXPECT_EQ(radios[0].result, RadioResult::Cancelled);
  EXPECT_EQ(radios[0].detail, "stopped while its backup was read; nothing written");
  EXPECT_EQ(bench.answerer.Ends(), bench.answerer.Entries());
}

// A second link to a line that a port already has makes a port of its own, which never
// gets the line. A device that will not open is shown so, with the reason, and not tried.
TEST(Station, ALineThatGainsASecondNameStaysWithItsPortAndALockedOneIsNotTried) {
  PtyStationBench bench;
  LockedLine locked;
  ASSERT_FALSE(locked.Device().empty());
  StationSettings settings = bench.Settings({});
  std::filesystem::create_symlink(locked.Device(), bench.dir.path() / "links" / "a");
  Station station(settings, bench.recorder);
  std::string error;
  ASSERT_TRUE(station.Start(&error)) << error;
  const std::string first = bench.dir.file("links/a");
  ASSERT_EQ(bench.recorder.DevicesUntil(0, first).back(), first);
  std::filesystem::create_symlink(locked.Device(), bench.dir.path() / "links" / "b");
  bench.recorder.DevicesUntil(1, "");
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // time to take the line, were it to
  station.Stop(Station::StopMode::CancelTransfers);
  station.Wait();
  EXPECT_EQ(bench.recorder.Devices(1), std::vector<std::string>{""});
  EXPECT_EQ(bench.recorder.Devices(0).back(), first);
  EXPECT_EQ(bench.recorder.Activities(0), (std::vector<PortActivity>{PortActivity::NoDevice, PortActivity::CannotOpen}));
  EXPECT_NE(bench.recorder.Problem(0), "");
}

// A port number whose entry in the settings comes to name another device while the
// station runs is taken straight to that device.
TEST(Station, APortNumberFollowsItsEntryToAnotherDevice) {
  PtyStationBench bench;
  LockedLine one, other;  // never opened: the port waits for a change
  StationSettings settings = bench.Settings({});
  std::filesystem::create_symlink(one.Device(), bench.dir.path() / "links" / "a");
  std::filesystem::create_symlink(other.Device(), bench.dir.path() / "links" / "bb");
  const std::string first = bench.dir.file("links/a");
  const std::string second = bench.dir.file("links/bb");
  settings.settingsPath = bench.dir.file("ports.ini");
  bench.dir.write("ports.ini", "[ports]\nenumerate=0\n3=" + first + "\n");
  settings.sources = {{StationSource::Kind::Port, 3, ""}};
  Station station(settings, bench.recorder);
  std::string error;
  ASSERT_TRUE(station.Start(&error)) << error;
  ASSERT_EQ(bench.recorder.DevicesUntil(0, first).back(), first);
  bench.dir.write("ports.ini", "[ports]\nenumerate=0\n3=" + second + "\n");
  bench.dir.write("links/wake", "");  // the station looks again when its folders change
  const std::vector<std::string> shown = bench.recorder.DevicesUntil(0, second);
  station.Stop(Station::StopMode::CancelTransfers);
  station.Wait();
  EXPECT_EQ(shown, (std::vector<std::string>{"", first, second}));
}

}  // namespace
}  // namespace qorrin::test
