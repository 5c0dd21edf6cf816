// Times the channel-list interchange on a full table: exporting all 99 channels as CSV,
// and importing a 99-row file (read, plan and store through the channel table's commits,
// into a table cleared before each round). Each should stay under 20 ms. The import is
// also shown split into reading and planning (no document touched) and the stores.
//
// Runs on a private copy of the shipped data files, left alone for a few seconds first
// as they are while the program runs (the settings lookups of every commit then find
// their parsed copy).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "core/edit/ChannelCommits.h"
#include "core/edit/NameColumnSetting.h"
#include "core/interchange/ChannelListWriter.h"
#include "core/interchange/ImportApply.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Mean and worst milliseconds per call of `work`; `before` runs untimed ahead of each call.
struct Timing {
  double mean = 0;
  double worst = 0;
};

Timing Measure(int rounds, const std::function<void()>& before, const std::function<void()>& work) {
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

void Print(const char* what, const Timing& timing) {
  std::printf("%-34s mean %7.3f ms   worst %7.3f ms\n", what, timing.mean, timing.worst);
}

// Every channel programmed with a duplex frequency, tones, bandwidth, power and a name.
void FillTable(qorrin::CQorrinDoc& doc) {
  std::mt19937 random(7);
  auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  for (int channel = 1; channel <= 99; ++channel) {
    const int rx = pick(13600000, 17399500);
    qorrin::CommitReceiveFrequency(doc, channel, qorrin::FormatFrequency(rx));
    qorrin::CommitTransmitFrequency(doc, channel, qorrin::FormatFrequency(pick(13600000, 17399500)));
    qorrin::CommitTone(doc, channel, qorrin::kColRxTone, pick(0, 258));
    qorrin::CommitTone(doc, channel, qorrin::kColTxTone, pick(0, 258));
    qorrin::CommitBandwidth(doc, channel, pick(0, 1));
    qorrin::CommitPower(doc, channel, pick(0, 1));
    qorrin::CommitName(doc, channel, "CH" + std::to_string(channel));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path programDir = fs::canonical("/proc/self/exe").parent_path();
  const fs::path dir = fs::temp_directory_path() / ("qorrin-list-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  for (const char* name : {"setting.ini", "english.lang"}) fs::copy_file(programDir / name, dir / name);
  qorrin::g_strAppDir = dir.string();
  qorrin::g_strIniFile = (dir / "setting.ini").string();
  qorrin::g_strLangFile = (dir / "english.lang").string();
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 100;
  std::this_thread::sleep_for(std::chrono::seconds(3));

  qorrin::CQorrinDoc doc;
  doc.OnNewDocument();
  FillTable(doc);
  std::string text;
  const Timing exportTime = Measure(rounds, nullptr, [&] { text = qorrin::WriteChannelTable(doc.Image(), doc.GetBandLimits()); });

  qorrin::CQorrinDoc target;
  target.OnNewDocument();
  const qorrin::PlacementOptions replace{false, 1, true};
  auto clear = [&] {
    for (int channel = 1; channel <= 99; ++channel) qorrin::CommitReceiveFrequency(target, channel, "");
  };
  qorrin::ImportPlan plan;
  auto readAndPlan = [&] {
    plan = qorrin::PlanChannelImport(qorrin::ReadChannelList(text), target.GetBandLimits(),
                                     qorrin::ReadNameColumnMode(), replace);
  };
  const Timing planTime = Measure(rounds, nullptr, readAndPlan);
  const Timing applyTime = Measure(rounds, clear, [&] { qorrin::ApplyChannelImport(target, plan); });
  const Timing importTime = Measure(rounds, clear, [&] {
    readAndPlan();
    qorrin::ApplyChannelImport(target, plan);
  });
  if (target.Image() != doc.Image() || plan.ImportedCount() != 99) {
    std::fprintf(stderr, "the import did not give back the exported table\n");
    return 1;
  }

  std::printf("%zu bytes, %d rows, %d rounds\n", text.size(), plan.ImportedCount(), rounds);
  Print("export of a full table", exportTime);
  Print("import of 99 rows: read and plan", planTime);
  Print("import of 99 rows: store", applyTime);
  Print("import of 99 rows: all", importTime);
  fs::remove_all(dir);
  return 0;
}
