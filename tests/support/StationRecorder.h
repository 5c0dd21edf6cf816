#pragma once
// What a station told its observer, kept for the tests to look at from any thread: each
// port's devices, activities and problem (each change once), the radios finished, the end.
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "core/transfer/StationTypes.h"

namespace qorrin::test {

class StationRecorder : public IStationObserver {
 public:
  void OnPortChanged(const StationPortView& port) override {
    {
      const std::lock_guard<std::mutex> lock(m_mutex);
      if (!port.device.empty()) m_rowsWithDevice.insert(port.row);
      std::vector<std::string>& devices = m_devices[port.row];
      if (devices.empty() || devices.back() != port.device) devices.push_back(port.device);
      std::vector<PortActivity>& activities = m_activities[port.row];
      if (activities.empty() || activities.back() != port.activity) activities.push_back(port.activity);
      if (!port.problem.empty()) m_problems[port.row] = port.problem;
    }
    m_changed.notify_all();
  }
  void OnRadioFinished(const StationRadio& radio, const StationTally&) override {
    Locked([&] { m_radios.push_back(radio); });
  }
  void OnStationEnded(const StationTally&) override {
    Locked([this] { m_ended = true; });
    m_changed.notify_all();
  }
  // Waits (generously) for the station to end by itself.
  bool WaitForEnd() {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(10), [this] { return m_ended; });
  }
  // The devices a port showed, each change once; waits (generously) until it shows `device`.
  std::vector<std::string> DevicesUntil(int row, const std::string& device) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait_for(lock, std::chrono::seconds(10), [&] {
      return !m_devices[row].empty() && m_devices[row].back() == device;
    });
    return m_devices[row];
  }
  std::vector<std::string> Devices(int row) { return Locked([&] { return m_devices[row]; }); }
  // What a port did, each change once.
  std::vector<PortActivity> Activities(int row) { return Locked([&] { return m_activities[row]; }); }
  std::string Problem(int row) { return Locked([&] { return m_problems[row]; }); }
  std::vector<StationRadio> Radios() { return Locked([&] { return m_radios; }); }
  std::set<int> RowsWithDevice() { return Locked([&] { return m_rowsWithDevice; }); }

 private:
  template <typename Read>
  auto Locked(Read read) -> decltype(read()) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return read();
  }

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<StationRadio> m_radios;
  std::set<int> m_rowsWithDevice;
  std::map<int, std::vector<std::string>> m_devices;
  std::map<int, std::vector<PortActivity>> m_activities;
  std::map<int, std::string> m_problems;
  bool m_ended = false;
};

}  // namespace qorrin::test
