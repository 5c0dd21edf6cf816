#include "sim/ScheduleMain.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "sim/FleetImages.h"
#include "sim/RadioSchedule.h"

namespace qorrin::sim {

int RunSchedule(const ScheduleOptions& options, const RadioImage& plan, const sigset_t& signals) {
  ScheduleConfig config;
  config.radios = FleetImages(plan, options.radios, options.holdsPlan, options.otherRange);
  config.paceBaud = options.paceBaud;
  config.gapMs = options.gapMs >= 0 ? options.gapMs : options.swap ? 8000 : 500;
  config.pullDuringWrite = options.swap ? 0 : options.pullDuringWrite;
  RadioSchedule schedule(config);
  schedule.OnChange([&schedule, &options](const ScheduledRadio& radio) {
    const bool arrived = radio.left == ScheduledRadio::Clock::time_point{};
    if (arrived && options.swap && radio.number == 1) {
      // The one device of the line, printed as a single radio prints its own.
      std::printf("%s\n", schedule.SwapDevice().c_str());
      std::fflush(stdout);
    }
    if (arrived) {
      std::fprintf(stderr, "qorrin-sim: radio %d plugged in: %s\n", radio.number, radio.device.c_str());
    } else {
      std::fprintf(stderr, "qorrin-sim: radio %d %s\n", radio.number,
                   radio.pulled ? "pulled out in the middle of a transfer"
                   : radio.done ? "done, unplugged"
                                : "unplugged");
    }
  });

  // The schedule's thread says it is over with SIGUSR2, taken below with the other
  // signals; blocked before the thread starts, so it inherits the mask.
  sigset_t wait = signals;
  sigaddset(&wait, SIGUSR2);
  pthread_sigmask(SIG_BLOCK, &wait, nullptr);
  std::string error;
  std::atomic<bool> ok{true};
  std::thread runner([&] {
    ok = options.swap ? schedule.RunSwap(options.linkPath, &error) : schedule.RunHotplug(options.hotplugFolder, &error);
    kill(getpid(), SIGUSR2);
  });
  for (;;) {
    const int sig = sigwaitinfo(&wait, nullptr);
    if (sig == SIGUSR2 || sig == SIGINT || sig == SIGTERM || sig == SIGHUP) break;
  }
  schedule.Stop();
  runner.join();
  if (!ok) {
    std::fprintf(stderr, "qorrin-sim: %s\n", error.c_str());
    return 3;
  }
  return 0;
}

}  // namespace qorrin::sim
