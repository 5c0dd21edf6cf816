#pragma once
// What `qorrin-cli station` shows while it runs. On a terminal: a line per port (waiting,
// reading 12%, writing 37%, verifying, done, FAILED with the reason) and the running
// tally, redrawn in place, with a line for each finished radio scrolling above them, and
// the terminal's bell per radio (one ring for success, three for a failure). Elsewhere
// (a log, a pipe): the line for each finished radio only.
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/transfer/StationTypes.h"

namespace qorrin::cli {

class RunWaiter;

// The bell, rung on a thread of its own so that three rings can be told apart without
// holding up the radio's port.
class Bell {
 public:
  explicit Bell(std::FILE* out);
  ~Bell();
  void Ring(int times);

 private:
  void Run();
  std::FILE* m_out;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  int m_pending = 0;
  bool m_stop = false;
  std::thread m_thread;
};

class StationScreen : public IStationObserver {
 public:
  // The waiter hears when the station has ended.
  StationScreen(std::string logPath, RunWaiter& waiter, std::FILE* out = stderr);

  void OnPortChanged(const StationPortView& port) override;
  void OnRadioFinished(const StationRadio& radio, const StationTally& tally) override;
  void OnStationEnded(const StationTally& tally) override;

  // A line of its own above the ports' lines (or on its own elsewhere).
  void Say(const std::string& line);

 private:
  void DrawLocked();
  void EraseLocked();

  const std::string m_logPath;
  RunWaiter& m_waiter;
  std::FILE* m_out;
  const bool m_terminal;
  std::mutex m_mutex;
  std::vector<StationPortView> m_ports;  // by row
  StationTally m_tally;
  std::size_t m_drawnLines = 0;
  Bell m_bell;
};

// A port's line: "waiting", "writing 37%", "FAILED: wrong model (...)".
std::string PortStatusText(const StationPortView& port);
// A finished radio's line: "14:05:33  /dev/ttyUSB0 (cable A50285BI)  programmed  12.4 s".
std::string RadioLine(const StationRadio& radio);
std::string TallyText(const StationTally& tally);

}  // namespace qorrin::cli
