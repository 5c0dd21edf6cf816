// The station against radios plugged in and out on pseudo-terminals. Several cables at once
// are the station dialog's test; stops, refusals, the tally and radios already holding the
// plan the core's (StationPosixTest, RadioTurnTest).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/model/CQorrinDoc.h"
#include "core/transfer/Station.h"
#include "link/LinkTestSupport.h"
#include "sim/FleetImages.h"
#include "sim/RadioSchedule.h"
#include "support/StationRecorder.h"

namespace qorrin::test {
namespace {

// The shipped settings, a folder "links" for the cables' links, and a new document as the plan.
struct StationBench {
  TempDir dir;
  TransferRun::Image plan{};

  StationBench() {
    dir.installDataFiles();
    std::filesystem::create_directories(dir.path() / "links");
    CQorrinDoc doc;
    doc.OnNewDocument();
    plan = TransferRun::DocumentImage(doc);
  }
  std::string Links() const { return dir.file("links"); }
  std::vector<sim::RadioImage> Fleet(int count, int holdsPlan) const {
    sim::RadioImage image;
    std::copy(plan.begin(), plan.end(), image.begin());
    return sim::FleetImages(image, count, holdsPlan, 0);
  }
  // The radios a station finished while the schedule plugged its radios in and out, with
  // attempts every 250 ms (not 2 s) to notice quickly a radio that went.
  std::vector<StationRadio> Run(sim::RadioSchedule& schedule) {
    StationSettings settings;
    settings.settingsPath = dir.file("setting.ini");
    settings.plan = plan;
    settings.sources = {{StationSource::Kind::Folder, 0, Links()}};
    settings.logPath = dir.file("station.csv");
    settings.attemptPeriodMs = 250;
    StationRecorder recorder;
    Station station(settings, recorder);
    std::string error;
    if (!station.Start(&error)) {
      ADD_FAILURE() << error;
      return {};
    }
    EXPECT_TRUE(schedule.RunHotplug(Links(), &error)) << error;  // each radio goes once done with
    station.Stop(Station::StopMode::AfterRadiosUnderWay);
    station.Wait();
    EXPECT_TRUE(recorder.WaitForEnd());
    return recorder.Radios();
  }
};

// The first 0x7F0 bytes of two images agree.
template <typename A, typename B>
bool SameLinkedBytes(const A& a, const B& b) {
  return std::equal(a.begin(), a.begin() + kLinkedImageSize, b.begin());
}

int WriteSessions(const std::vector<sim::SessionRecord>& sessions) {
  return static_cast<int>(
      std::count_if(sessions.begin(), sessions.end(), [](auto& s) { return s.blocksWritten > 0; }));
}

TEST(StationTest, ARadioPulledDuringItsWriteIsLoggedAndProgrammedInFullWhenItComesBack) {
  StationBench bench;
  const std::vector<sim::RadioImage> fleet = bench.Fleet(2, 0);
  sim::RadioSchedule schedule({fleet, 0, 300, 1});
  const std::vector<StationRadio> radios = bench.Run(schedule);
  const std::vector<sim::ScheduledRadio> plugged = schedule.Radios();
  ASSERT_EQ(plugged.size(), 3u);
  ASSERT_EQ(radios.size(), 3u);
  EXPECT_TRUE(plugged[0].pulled);
  EXPECT_EQ(radios[0].result, RadioResult::UnpluggedDuringWrite);
  EXPECT_EQ(radios[1].result, RadioResult::Programmed);
  EXPECT_EQ(radios[2].result, RadioResult::Programmed);
  for (std::size_t i = 0; i < 3; ++i) {  // each on the device and cable it came on
    EXPECT_EQ(radios[i].port, plugged[i].device);
    EXPECT_EQ(radios[i].cable, "SIM000" + std::to_string(plugged[i].number));
  }
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
}

}  // namespace
}  // namespace qorrin::test
