#pragma once
// The production-line station: programs one radio after another with the same plan, on
// as many cables as it is given, each port on a thread of its own (StationPort.h), each
// radio backed up, checked, written and verified (RadioTurn.h) and logged (StationLog.h).
//
// It notices cables that appear (DeviceWatch: inotify on the folders where their devices
// appear, a look every second on Windows) and radios that appear on a cable that stays
// plugged in (an entry attempt every two seconds on an idle port). It keeps its own
// serial ports; a program that has a port of its own must leave that one alone while the
// station runs.
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/link/DeviceWatch.h"
#include "core/transfer/StationLog.h"
#include "core/transfer/StationPort.h"
#include "core/transfer/StationSources.h"

namespace qorrin {

struct StationSettings {
  std::string settingsPath;            // setting.ini: port numbers, frequency ranges
  TransferRun::Image plan{};           // as a write sends it (TransferRun::DocumentImage)
  std::vector<StationSource> sources;
  bool verify = true;
  std::string logPath;
  std::string backupFolder;            // "": StationBackupFolder(logPath)
  int count = 0;                       // take this many radios, then end; 0: no limit
  int attemptPeriodMs = 2000;          // between entry attempts on an idle port
  int missesUntilGone = 3;             // unanswered attempts in a row: the radio is gone
};

class Station : private IStationHost {
 public:
  Station(StationSettings settings, IStationObserver& observer);
  ~Station() override;  // cancels whatever runs and waits for it
  Station(const Station&) = delete;
  Station& operator=(const Station&) = delete;

  // Checks the plan, opens the log and begins watching. False with a reason (English)
  // when it cannot run: no source, a plan of no known frequency range, a log or backup
  // folder that cannot be written.
  bool Start(std::string* error);

  enum class StopMode {
    None,
    AfterRadiosUnderWay,  // no radio begins; those under way finish their turn
    CancelTransfers,      // the transfers under way are cancelled too
  };
  // Any thread; a later call may only make the stop harder.
  void Stop(StopMode mode);
  // Blocks until every port has stopped (after Stop, or after `count` radios).
  void Wait();

  StationTally Tally() const;
  const std::string& BackupFolder() const { return m_plan.backupFolder; }

 private:
  // IStationHost, for the ports.
  const TurnPlan& Plan() const override { return m_plan; }
  int AttemptPeriodMs() const override { return m_settings.attemptPeriodMs; }
  int MissesUntilGone() const override { return m_settings.missesUntilGone; }
  bool BeginTurn() override;
  void EndTurn(StationRadio& radio, std::chrono::steady_clock::time_point began) override;
  IStationObserver& Observer() override { return m_observer; }

  void Watch();
  void Reconcile(const std::vector<SourcePort>& found);
  StopMode CurrentStop() const;

  const StationSettings m_settings;
  IStationObserver& m_observer;
  TurnPlan m_plan;
  StationLog m_log;
  std::unique_ptr<link::DeviceWatch> m_watch;
  std::thread m_watcher;

  mutable std::mutex m_mutex;  // what follows
  StopMode m_stop = StopMode::None;
  int m_turnsBegun = 0;
  StationTally m_tally;
  std::vector<std::unique_ptr<StationPort>> m_ports;  // in order of appearance; only grows
  std::vector<std::string> m_keys;                    // of m_ports; the watcher's alone
};

}  // namespace qorrin
