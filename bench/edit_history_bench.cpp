// Times the edit history on a full table: a paste of 99 rows (tab-separated, as a
// spreadsheet puts them on the clipboard) into an empty document, its undo and its redo.
// The paste should stay under 20 ms, undo and redo under 5 ms each. Then prints what the
// history holds in memory after 1000 steps (one receive frequency changed per step).
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/edit/EditHistory.h"
#include "core/interchange/ChannelListWriter.h"
#include "core/interchange/ChannelPaste.h"

using namespace qorrin::bench;

int main(int argc, char** argv) {
  const PrivateDataFiles data("qorrin-history-bench");
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 100;

  qorrin::CQorrinDoc source;
  source.OnNewDocument();
  FillTable(source);
  std::vector<int> all(99);
  std::iota(all.begin(), all.end(), 1);
  const std::string text = qorrin::WriteChannelList(source.Image(), source.GetBandLimits(), all, qorrin::kTabListFormat);

  qorrin::CQorrinDoc doc;
  doc.OnNewDocument();
  qorrin::EditHistory history;
  history.Attach(doc);
  const qorrin::RadioImage empty = doc.Image();
  const Timing pasteTime = Measure(rounds, [&] {
    doc.RestoreImage(empty, doc.GetRevision());
    history.Reset();
  }, [&] {
    qorrin::ApplyPaste(doc, qorrin::PlanPaste(doc, text, 1));
  });
  const qorrin::RadioImage pasted = doc.Image();
  // Each undo is timed after an untimed redo, and the other way round.
  const Timing undoTime = Measure(rounds, [&] { history.Redo(); }, [&] { history.Undo(); });
  const Timing redoTime = Measure(rounds, [&] { history.Undo(); }, [&] { history.Redo(); });
  if (doc.Image() != pasted || !history.Undo() || doc.Image() != empty) {
    std::fprintf(stderr, "undo and redo did not give back the images\n");
    return 1;
  }

  history.Reset();
  for (int step = 0; step < 1000; ++step) {
    qorrin::CommitReceiveFrequency(doc, 1 + step % 99, qorrin::FormatFrequency(14000000 + step * 500));
  }
  std::printf("%zu bytes pasted, %d rounds\n", text.size(), rounds);
  Print("paste of 99 rows", pasteTime);
  Print("undo of the paste", undoTime);
  Print("redo of the paste", redoTime);
  std::printf("history after 1000 steps: %zu steps, %.1f KiB\n", history.StepCount(), history.MemoryBytes() / 1024.0);
  return 0;
}
