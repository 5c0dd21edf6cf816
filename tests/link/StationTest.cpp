// The production-line station against simulated radios on pseudo-terminals: cables that
// come and go, a cable whose radio is swapped, a radio pulled during its write. Several
// cables at once are the station dialog's test; stops and refusals the core's.
#include <gtest/gtest.h>

#include <thread>

#include "link/LinkTestSupport.h"
#include "link/StationTestSupport.h"

namespace qorrin::test {
namespace {

using Results = std::vector<RadioResult>;

Results ResultsOf(const std::vector<StationRadio>& radios) {
  Results results;
  for (const StationRadio& radio : radios) results.push_back(radio.result);
  return results;
}

TEST(StationTest, FiveRadiosPluggedInOneAfterAnotherAreBackedUpWrittenOnceAndVerified) {
  StationBench bench;
  const std::vector<sim::RadioImage> fleet = bench.Fleet(5, 2);  // the second holds the plan
  sim::RadioSchedule schedule({fleet, 0, 100, 0});
  StationRecorder recorder;
  Station station(bench.Settings(), recorder);
  std::string error;
  ASSERT_TRUE(station.Start(&error)) << error;
  std::thread plugging([&] { EXPECT_TRUE(schedule.RunHotplug(bench.Links(), &error)) << error; });
  plugging.join();  // each radio goes once the station is done with it
  station.Stop(Station::StopMode::AfterRadiosUnderWay);
  station.Wait();
  EXPECT_TRUE(recorder.WaitForEnd());

  const std::vector<StationRadio> radios = recorder.Radios();
  const std::vector<sim::ScheduledRadio> plugged = schedule.Radios();
  ASSERT_EQ(plugged.size(), 5u);
  ASSERT_EQ(radios.size(), 5u);
  EXPECT_EQ(ResultsOf(radios), (Results{RadioResult::Programmed, RadioResult::AlreadyProgrammed, RadioResult::Programmed,
                                        RadioResult::Programmed, RadioResult::Programmed}));
  // Each radio on the device and cable it came on, holding the plan; what a turn backs up,
  // writes and reads back is the turn's own test (RadioTurnTest).
  for (std::size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE("radio " + std::to_string(i + 1));
    EXPECT_EQ(radios[i].port, plugged[i].device);
    EXPECT_EQ(radios[i].cable, "SIM000" + std::to_string(i + 1));
    EXPECT_TRUE(SameLinkedBytes(plugged[i].image, bench.plan));
    EXPECT_EQ(WriteSessions(plugged[i].sessions), i == 1 ? 0 : 1);
  }
  EXPECT_EQ(bench.LogLines().size(), 5u);
  EXPECT_EQ(station.Tally().programmed, 4);
  EXPECT_EQ(station.Tally().alreadyProgrammed, 1);
}

TEST(StationTest, ARadioPulledDuringItsWriteIsLoggedAndProgrammedInFullWhenItComesBack) {
  StationBench bench;
  const std::vector<sim::RadioImage> fleet = bench.Fleet(2, 0);
  sim::RadioSchedule schedule({fleet, 0, 300, 1});
  StationRecorder recorder;
  Station station(bench.Settings(), recorder);
  std::string error;
  ASSERT_TRUE(station.Start(&error)) << error;
  std::thread plugging([&] { EXPECT_TRUE(schedule.RunHotplug(bench.Links(), &error)) << error; });
  plugging.join();
  station.Stop(Station::StopMode::AfterRadiosUnderWay);
  station.Wait();

  const std::vector<sim::ScheduledRadio> plugged = schedule.Radios();
  const std::vector<StationRadio> radios = recorder.Radios();
  ASSERT_EQ(plugged.size(), 3u);
  ASSERT_EQ(radios.size(), 3u);
  EXPECT_TRUE(plugged[0].pulled);
  EXPECT_EQ(ResultsOf(radios),
            (Results{RadioResult::UnpluggedDuringWrite, RadioResult::Programmed, RadioResult::Programmed}));
  EXPECT_NE(radios[0].detail.find("partly written"), std::string::npos) << radios[0].detail;
  // It came back half written; that is what its second backup holds, and the whole plan
  // went in after it.
  const sim::RadioImage& halfWritten = plugged[0].image;
  EXPECT_FALSE(SameLinkedBytes(halfWritten, bench.plan));
  EXPECT_FALSE(SameLinkedBytes(halfWritten, fleet[0]));
  EXPECT_EQ(ReadFileBytes(radios[1].backupFile).substr(kProjectHeaderSize, kLinkedImageSize),
            std::string(halfWritten.begin(), halfWritten.begin() + kLinkedImageSize));
  EXPECT_TRUE(SameLinkedBytes(plugged[1].image, bench.plan));
  EXPECT_EQ(WriteSessions(plugged[1].sessions), 1);
  const std::vector<std::string> lines = bench.LogLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[0].find(",unplugged during the write,"), std::string::npos) << lines[0];
}

}  // namespace
}  // namespace qorrin::test
