// The desktop program's start-up and full refresh, on the offscreen platform.
//   start-up: from exec of a fresh process to its main window shown (process start, Qt,
//             settings, language, first document, window), median of several runs;
//   RefreshAll: menus, tool bar, band limits and every view in the current language;
//   main form: an update through UpdateAllViews that changes every control (options, VFOs,
//             a table of 99 programmed channels) until the window is drawn again, and one
//             cell commit through the frequency editor with its row repainted (and anything
//             else it asked to repaint).
#include <QApplication>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/settings/AppPaths.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CQorrinApp.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/views/CQorrinView.h"
#include "gui/views/ChannelTable.h"
#include "core/edit/ChannelCommits.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/RadioImageLayout.h"

#include <QLineEdit>

#include <array>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Child: start the program's application object and report once its window is exposed.
int RunChild(int argc, char** argv, const std::string& folder) {
  QApplication application(argc, argv);
  qorrin::gui::CQorrinApp app;
  qorrin::gui::StartupOptions options;
  options.configDir = folder;
  if (!app.InitInstance(options) || !QTest::qWaitForWindowExposed(app.MainFrame())) return 1;
  std::fputs("shown\n", stdout);
  std::fflush(stdout);
  return 0;
}

double TimeOneStart(const char* self, const std::string& folder) {
  int out[2];
  if (pipe(out) != 0) return -1;
  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    execl(self, self, "--child", folder.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  char buffer[16] = {};
  const ssize_t got = read(out[0], buffer, sizeof buffer - 1);
  const auto shown = Clock::now();
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return got > 0 ? Ms(shown - start) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const fs::path bin = fs::canonical(fs::path(argv[0])).parent_path();
  if (argc == 3 && std::string(argv[1]) == "--child") return RunChild(1, argv, argv[2]);

  // A private program folder, so the user's setting.ini is never written.
  const fs::path folder = fs::temp_directory_path() / ("qorrin-gui-bench-" + std::to_string(getpid()));
  fs::create_directories(folder);
  for (const char* name : {"setting.ini", "english.lang", "chinese.lang"}) {
    fs::copy_file(bin / name, folder / name, fs::copy_options::overwrite_existing);
  }
  const std::string self = fs::canonical(fs::path(argv[0])).string();
  std::vector<double> starts;
  TimeOneStart(self.c_str(), folder.string());  // warms the file cache
  for (int i = 0; i < 9; ++i) starts.push_back(TimeOneStart(self.c_str(), folder.string()));
  std::printf("start-up to shown window: median %.1f ms (min %.1f, max %.1f, %zu runs)\n", Median(starts),
              *std::min_element(starts.begin(), starts.end()), *std::max_element(starts.begin(), starts.end()),
              starts.size());

  QApplication application(argc, argv);
  qorrin::gui::CQorrinApp app;
  qorrin::gui::StartupOptions options;
  options.configDir = folder.string();
  if (!app.InitInstance(options) || !QTest::qWaitForWindowExposed(app.MainFrame())) return 1;
  std::vector<double> refresh;
  for (int i = 0; i < 200; ++i) {
    const auto start = Clock::now();
    app.RefreshAll();
    app.MainFrame()->repaint();  // the refreshed window drawn, not only its texts set
    refresh.push_back(Ms(Clock::now() - start));
  }
  std::printf("RefreshAll including repaint: median %.3f ms (max %.3f, %zu runs)\n", Median(refresh),
              *std::max_element(refresh.begin(), refresh.end()), refresh.size());

  // The channel table with every channel programmed (duplex, tones, names).
  qorrin::CQorrinDoc& doc = app.Document();
  for (int row = 1; row <= 99; ++row) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%05d", 144 + row / 40, (row % 40) * 2500);
    qorrin::CommitReceiveFrequency(doc, row, text);
    std::snprintf(text, sizeof text, "%d.%05d", 144 + row / 40, (row % 40) * 2500 + 60000);
    qorrin::CommitTransmitFrequency(doc, row, text);
    qorrin::CommitTone(doc, row, qorrin::kColRxTone, row % 50 + 1);
    qorrin::CommitTone(doc, row, qorrin::kColTxTone, row % 50 + 160);
    std::snprintf(text, sizeof text, "C%d", row);
    qorrin::CommitName(doc, row, text);
  }
  qorrin::gui::ChannelTable* table = app.MainFrame()->View()->Channels();
  qorrin::gui::CGridCtrl* grid = table->Grid();
  // Two images that differ in every channel and every option, shown in turn: each update
  // changes every control, and the window is drawn before the clock stops.
  const std::array<std::uint8_t, qorrin::kImageSize> first = doc.Image();
  std::array<std::uint8_t, qorrin::kImageSize> second = first;
  auto show = [&doc](const std::array<std::uint8_t, qorrin::kImageSize>& image) {
    doc.EditImage(qorrin::ImageChange::Bookkeeping, [&](qorrin::ImageSpan mine, const qorrin::BandLimits&) {
      std::copy(image.begin(), image.end(), mine.begin());
      return false;
    });
  };
  for (int row = 1; row <= 99; ++row) {
    show(second);
    char text[16];
    std::snprintf(text, sizeof text, "%d.%05d", 150 + row / 40, (row % 40) * 2500);
    qorrin::CommitReceiveFrequency(doc, row, text);
    second = doc.Image();
  }
  for (std::size_t offset = 0x7C2; offset <= 0x7C6; ++offset) second[offset] ^= 0x01;
  std::vector<double> build;
  for (int i = 0; i < 200; ++i) {
    show(i % 2 ? first : second);
    const auto start = Clock::now();
    doc.UpdateAllViews();
    QApplication::processEvents();  // the repaint of what changed
    build.push_back(Ms(Clock::now() - start));
  }
  std::printf("main form update (options, VFOs, table of 99 channels) including repaint: median %.3f ms (max %.3f, %zu runs)\n",
              Median(build), *std::max_element(build.begin(), build.end()), build.size());
  std::vector<double> whole;
  for (int i = 0; i < 100; ++i) {
    const auto start = Clock::now();
    app.MainFrame()->repaint();
    whole.push_back(Ms(Clock::now() - start));
  }
  std::printf("  for comparison, the whole window drawn anew: median %.3f ms\n", Median(whole));

  std::vector<double> commit;
  for (int i = 0; i < 200; ++i) {
    const int row = 1 + i % 15;
    grid->BeginEdit(row, qorrin::kColRxFrequency);
    auto* editor = qobject_cast<QLineEdit*>(grid->OpenEditor());
    editor->setText(i % 2 ? QStringLiteral("145.5") : QStringLiteral("145.525"));
    const auto start = Clock::now();
    grid->EndEdit(true);
    grid->RedrawRow(row);
    QApplication::processEvents();  // whatever else the commit asked to repaint
    commit.push_back(Ms(Clock::now() - start));
  }
  std::printf("cell commit including its row's repaint: median %.3f ms (max %.3f, %zu runs)\n", Median(commit),
              *std::max_element(commit.begin(), commit.end()), commit.size());
  std::vector<double> core;
  for (int i = 0; i < 200; ++i) {
    const auto start = Clock::now();
    qorrin::CommitReceiveFrequency(doc, 1 + i % 15, i % 2 ? "145.5" : "145.525");
    core.push_back(Ms(Clock::now() - start));
  }
  std::printf("  of which the rules of the core: median %.3f ms\n", Median(core));
  fs::remove_all(folder);
  return 0;
}
