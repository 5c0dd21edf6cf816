// A read of the simulated radio through the program's own transfer dialog, with the line
// paced at 9600 baud like a real cable: the CPU the program uses (user interface, worker
// and the dialog's 20 ms polling) and the longest time its event loop did not run. The
// radio is a child process, so its own work is not counted.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/settings/ProfileFile.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CQorrinApp.h"
#include "gui/lang/ControlIds.h"
#include "gui/link/CTransferDlg.h"

namespace {

namespace fs = std::filesystem;

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 + usage.ru_stime.tv_sec * 1e3 +
         usage.ru_stime.tv_usec / 1e3;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const fs::path bin = fs::canonical(fs::path(argv[0])).parent_path();
  const fs::path folder = fs::temp_directory_path() / ("qorrin-gui-transfer-" + std::to_string(getpid()));
  fs::create_directories(folder);
  for (const char* name : {"setting.ini", "english.lang", "chinese.lang"}) {
    fs::copy_file(bin / name, folder / name, fs::copy_options::overwrite_existing);
  }
  const std::string link = (folder / "radio").string();
  const pid_t sim = fork();
  if (sim == 0) {
    const std::string simPath = (bin / "qorrin-sim").string();
    execl(simPath.c_str(), simPath.c_str(), "--demo", "--pace", "9600", "--link", link.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  for (int i = 0; i < 100 && !fs::exists(link); ++i) usleep(50'000);
  const std::string ini = (folder / "setting.ini").string();
  qorrin::WriteProfileString("ports", "1", link, ini);
  qorrin::WriteProfileString("ports", "enumerate", "0", ini);
  qorrin::WriteProfileString("setup", "com", "1", ini);

  QApplication application(argc, argv);
  qorrin::gui::CQorrinApp app;
  qorrin::gui::StartupOptions options;
  options.configDir = folder.string();
  if (!app.InitInstance(options) || !QTest::qWaitForWindowExposed(app.MainFrame())) return 1;

  // The event loop's pulse: a 5 ms timer; the longest gap between two beats, less the
  // period, is the longest time the loop was held up.
  QElapsedTimer clock;
  qint64 last = -1, worst = 0;
  QTimer pulse;
  pulse.setTimerType(Qt::PreciseTimer);
  QObject::connect(&pulse, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    if (last >= 0) worst = std::max(worst, now - last);
    last = now;
  });

  // Two reads: one with the pulse, for the stalls, and one without it, for the CPU, so
  // the pulse's own wake-ups are not counted as the program's.
  double stallMs = 0, cpuMs = 0, wallMs = 0;
  for (const bool withPulse : {true, false}) {
    double cpuStart = 0;
    last = -1;
    worst = 0;
    QTimer::singleShot(50, [&] {
      auto* dialog = qobject_cast<qorrin::gui::CTransferDlg*>(QApplication::activeModalWidget());
      if (!dialog) return;
      cpuStart = CpuMs();
      clock.start();
      if (withPulse) pulse.start(5);
      dialog->OkButton()->click();
    });
    app.MainFrame()->ExecuteCommand(qorrin::cmd::kReadData);
    pulse.stop();
    if (withPulse) {
      stallMs = std::max<qint64>(0, worst - 5'000'000) / 1e6;
    } else {
      wallMs = clock.nsecsElapsed() / 1e6;
      cpuMs = CpuMs() - cpuStart;
    }
  }
  std::printf("read through the dialog at 9600 baud: %.0f ms, CPU %.1f ms (%.2f %% of one core), "
              "longest event-loop stall %.1f ms beyond a 5 ms beat\n",
              wallMs, cpuMs, 100.0 * cpuMs / wallMs, stallMs);
  kill(sim, SIGTERM);
  waitpid(sim, nullptr, 0);
  fs::remove_all(folder);
  return 0;
}
