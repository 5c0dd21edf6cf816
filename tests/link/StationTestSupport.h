#pragma once
// Helpers for the station's tests: a station on a folder of links in a private folder,
// a plan, and an observer that keeps what the station said.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/model/CQorrinDoc.h"
#include "core/transfer/Station.h"
#include "sim/FleetImages.h"
#include "sim/RadioSchedule.h"
#include "support/StationRecorder.h"
#include "support/TestSupport.h"

namespace qorrin::test {

// Everything the station said, kept for the test to look at.
// A private folder with the shipped settings, a folder "links" for the cables' links, and
// the plan: a new document's image with one channel of its own.
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
  std::string LinkOf(const std::string& name) const { return dir.file("links/" + name); }

  // Watching the links folder, quick to notice a radio that went (tests only: the station
  // makes an attempt every 2 s).
  StationSettings Settings(int periodMs = 250) const {
    StationSettings settings;
    settings.settingsPath = dir.file("setting.ini");
    settings.plan = plan;
    settings.sources = {{StationSource::Kind::Folder, 0, Links()}};
    settings.logPath = dir.file("station.csv");
    settings.attemptPeriodMs = periodMs;
    return settings;
  }
  std::vector<sim::RadioImage> Fleet(int count, int holdsPlan, int otherRange = 0) const {
    sim::RadioImage image;
    std::copy(plan.begin(), plan.end(), image.begin());
    return sim::FleetImages(image, count, holdsPlan, otherRange);
  }
  // The log's data lines (without the heading).
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    const std::string text = dir.read("station.csv");
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
      lines.push_back(text.substr(start, end - start));
    }
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
  }
};

// The first 0x7F0 bytes of two images agree.
template <typename A, typename B>
bool SameLinkedBytes(const A& a, const B& b) {
  return std::equal(a.begin(), a.begin() + kLinkedImageSize, b.begin());
}

inline int WriteSessions(const std::vector<sim::SessionRecord>& sessions) {
  int writes = 0;
  for (const auto& session : sessions) writes += session.blocksWritten > 0 ? 1 : 0;
  return writes;
}

}  // namespace qorrin::test
