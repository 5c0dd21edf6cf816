#pragma once
// What the document benchmarks share: a private copy of the shipped data files, a timer
// that reports mean and worst, and a full channel table to work on.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "core/edit/ChannelCommits.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"

namespace qorrin::bench {

namespace fs = std::filesystem;

// Points the program at a private copy of setting.ini and english.lang and leaves them
// alone for a few seconds, as they are while the program runs (the settings lookups of
// every commit then find their parsed copy). The folder goes when the object does.
class PrivateDataFiles {
 public:
  explicit PrivateDataFiles(const char* name)
      : m_dir(fs::temp_directory_path() / (std::string(name) + "-" + std::to_string(::getpid()))) {
    const fs::path programDir = fs::canonical("/proc/self/exe").parent_path();
    fs::create_directories(m_dir);
    for (const char* file : {"setting.ini", "english.lang"}) fs::copy_file(programDir / file, m_dir / file);
    g_strAppDir = m_dir.string();
    g_strIniFile = (m_dir / "setting.ini").string();
    g_strLangFile = (m_dir / "english.lang").string();
    std::this_thread::sleep_for(std::chrono::seconds(3));
  }
  ~PrivateDataFiles() { fs::remove_all(m_dir); }
  PrivateDataFiles(const PrivateDataFiles&) = delete;
  PrivateDataFiles& operator=(const PrivateDataFiles&) = delete;

 private:
  fs::path m_dir;
};

struct Timing {
  double mean = 0;
  double worst = 0;
};

// Mean and worst milliseconds per call of `work`; `before` runs untimed ahead of each call.
inline Timing Measure(int rounds, const std::function<void()>& before, const std::function<void()>& work) {
  using Clock = std::chrono::steady_clock;
  Timing timing;
  for (int i = 0; i < rounds; ++i) {
    if (before) before();
    const auto start = Clock::now();
    work();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    timing.mean += ms / rounds;
    timing.worst = std::max(timing.worst, ms);
  }
  return timing;
}

inline void Print(const char* what, const Timing& timing) {
  std::printf("%-34s mean %7.3f ms   worst %7.3f ms\n", what, timing.mean, timing.worst);
}

// Every channel programmed with a duplex frequency, tones, bandwidth, power and a name.
inline void FillTable(CQorrinDoc& doc) {
  std::mt19937 random(7);
  auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  for (int channel = 1; channel <= 99; ++channel) {
    CommitReceiveFrequency(doc, channel, FormatFrequency(pick(13600000, 17399500)));
    CommitTransmitFrequency(doc, channel, FormatFrequency(pick(13600000, 17399500)));
    CommitTone(doc, channel, kColRxTone, pick(0, 258));
    CommitTone(doc, channel, kColTxTone, pick(0, 258));
    CommitBandwidth(doc, channel, pick(0, 1));
    CommitPower(doc, channel, pick(0, 1));
    CommitName(doc, channel, "CH" + std::to_string(channel));
  }
}

}  // namespace qorrin::bench
