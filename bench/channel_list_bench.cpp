// Times the channel-list interchange on a full table: exporting all 99 channels as CSV,
// and importing a 99-row file (read, plan and store through the channel table's commits,
// into a table cleared before each round). Each should stay under 20 ms. The import is
// also shown split into reading and planning (no document touched) and the stores.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchSupport.h"
#include "core/edit/NameColumnSetting.h"
#include "core/interchange/ChannelListWriter.h"
#include "core/interchange/ImportApply.h"

using namespace qorrin::bench;

int main(int argc, char** argv) {
  const PrivateDataFiles data("qorrin-list-bench");
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 100;

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
  return 0;
}
