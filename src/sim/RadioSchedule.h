#pragma once
// Simulated radios plugged in and out one after another, as at a production bench, for
// the station's tests, its benchmark and demonstrations:
//   - hotplug: each radio comes with a cable of its own. Its link appears in a folder
//     (named like a stable USB name, "usb-Qorrin_Simulated_Cable_SIM0003-if00-port0"),
//     stays while the radio is programmed, and goes; after a gap, the next radio's;
//   - swap: one cable stays (one pseudo-terminal); the radios take turns at its far end,
//     the line silent for a gap between them.
// A radio is done, and unplugged, once a session of nothing but the entry and end
// commands (someone checking that it is still there) follows one that did more.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "sim/SimRadio.h"

namespace qorrin::sim {

struct ScheduleConfig {
  std::vector<RadioImage> radios;  // FleetImages.h
  int paceBaud = 0;
  int gapMs = 500;          // between one radio leaving and the next arriving
  int pullDuringWrite = 0;  // hotplug: this radio (from 1) loses its cable in the middle of
                            // its write, and comes back with it after the gap
};

struct ScheduledRadio {
  using Clock = std::chrono::steady_clock;
  int number = 0;  // from 1
  std::string device;
  Clock::time_point arrived{};  // the link appeared / the radio was put on the line
  Clock::time_point left{};     // and went
  RadioImage image{};           // what it held when it went
  std::vector<SessionRecord> sessions;  // the programming sessions it saw, in order
  bool done = false;            // it went because its turn was over
  bool pulled = false;          // its cable was pulled before it was done
};

class RadioSchedule {
 public:
  explicit RadioSchedule(ScheduleConfig config);
  // Heard on the schedule's thread when a radio arrives (left == {}) and when it goes.
  void OnChange(std::function<void(const ScheduledRadio&)> listener) { m_listener = std::move(listener); }

  // Each runs the whole schedule on the caller's thread; false with a reason when a
  // pseudo-terminal or a link could not be made. Stop ends either early.
  bool RunHotplug(const std::string& folder, std::string* error);
  bool RunSwap(const std::string& linkPath, std::string* error);
  void Stop();

  // The radios that have arrived so far, in order (a pulled radio twice).
  std::vector<ScheduledRadio> Radios() const;
  // The pseudo-terminal of a swap schedule, once it runs.
  std::string SwapDevice() const;

 private:
  // Waits until the radio is done or unplugged; false when the schedule was stopped.
  bool WaitUntilDone(const SimRadio& radio);
  bool Pause(int ms);
  void Arrived(ScheduledRadio radio);
  void Left(const SimRadio& radio, bool done, bool pulled);

  ScheduleConfig m_config;
  std::function<void(const ScheduledRadio&)> m_listener;
  mutable std::mutex m_mutex;
  std::condition_variable m_stopped;
  bool m_stop = false;
  std::vector<ScheduledRadio> m_radios;
  std::string m_swapDevice;
};

// The link name of radio n's cable in a hotplug folder.
std::string SimulatedCableName(int number);

}  // namespace qorrin::sim
