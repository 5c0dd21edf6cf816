#pragma once
// qorrin-sim's schedules (RadioSchedule.h): radios plugged in one after another with a
// cable each (--hotplug DIR), or swapped behind one cable that stays (--swap).
#include <signal.h>

#include <string>

#include "sim/RadioProtocol.h"

namespace qorrin::sim {

struct ScheduleOptions {
  std::string hotplugFolder;  // --hotplug DIR
  bool swap = false;          // --swap (with --link for a stable name)
  std::string linkPath;
  int radios = 5;
  int holdsPlan = 2;          // this radio (from 1) holds the plan already; 0: none
  int otherRange = 0;         // this radio is of another frequency range; 0: none
  int pullDuringWrite = 0;
  int gapMs = -1;             // -1: 500 ms with hotplug, 8 s when swapping
  int paceBaud = 0;
};

// Runs the schedule until it is over or a signal of `signals` (blocked in the caller)
// comes; says on stderr what arrives and goes. The exit status of qorrin-sim.
int RunSchedule(const ScheduleOptions& options, const RadioImage& plan, const sigset_t& signals);

}  // namespace qorrin::sim
