#pragma once
// One port of the station on a thread of its own. While no radio is known on it, it makes
// one entry attempt every attempt period; an acknowledged attempt starts the radio's turn
// (RadioTurn.h). After the turn it goes on making attempts, each answered one ended with
// the end command at once, until the radio is gone: its device disappeared, or the given
// number of attempts in a row went unanswered. Only then may the next radio have a turn,
// so no radio is programmed twice because it was left plugged in.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/transfer/RadioTurn.h"
#include "core/transfer/StationTypes.h"

namespace qorrin {

class CSerialPort;

// What a port needs of the station around it (Station.h).
class IStationHost {
 public:
  virtual ~IStationHost() = default;
  virtual const TurnPlan& Plan() const = 0;
  virtual int AttemptPeriodMs() const = 0;
  virtual int MissesUntilGone() const = 0;
  // Whether the radio that just answered may have its turn (false once the station
  // takes no more radios). Counts the turn when it may.
  virtual bool BeginTurn() = 0;
  // The turn that began (with the acknowledged attempt) at `began` is over: the host
  // logs the radio, counts it and tells the observer.
  virtual void EndTurn(StationRadio& radio, std::chrono::steady_clock::time_point began) = 0;
  virtual IStationObserver& Observer() = 0;
};

class StationPort {
 public:
  StationPort(IStationHost& host, int row, std::string name);
  ~StationPort();
  StationPort(const StationPort&) = delete;
  StationPort& operator=(const StationPort&) = delete;

  void Start();
  // The device behind the port now; "" when there is none. Any thread.
  void SetDevice(const std::string& device);
  std::string Device() const;
  // Something changed among the devices: a port that could not open its device tries
  // again at once (udev may just have given the user access). Any thread.
  void Poke();
  // Ends the thread: at once while no turn is under way; after the turn, or cancelling
  // it, when one is. Any thread; Join waits for the end.
  void Stop(bool cancelTurn);
  void Join();

 private:
  using Clock = std::chrono::steady_clock;

  void Run();
  // Opens the device when the port is closed; false (and the row says why) when it cannot.
  bool OpenDevice(const std::string& device);
  void Turn(const std::string& device);
  // Sleeps until `deadline` (Clock::time_point::max(): until woken), a new device or a
  // poke. False when the port is to stop.
  bool WaitUntil(Clock::time_point deadline);
  // Tells the observer when the port's activity, percent or problem changed.
  void Show(PortActivity activity, int percent = -1, std::string problem = {});

  IStationHost& m_host;
  std::shared_ptr<CSerialPort> m_port;
  std::thread m_thread;

  mutable std::mutex m_mutex;  // what other threads set, and the current turn
  std::condition_variable m_wake;
  std::string m_device;
  bool m_woken = false;
  bool m_stop = false;
  bool m_cancel = false;
  bool m_cannotOpen = false;  // the last try to open the device failed
  std::shared_ptr<RadioTurn> m_turn;

  StationPortView m_view;  // the port thread's own; copies go to the observer
};

}  // namespace qorrin
