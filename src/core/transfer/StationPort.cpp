#include "core/transfer/StationPort.h"

#include "core/link/CSerialPort.h"
#include "core/link/CableSerial.h"
#include "core/link/DeviceIdentity.h"
#include "core/link/PortAccess.h"
#include "core/link/ProtocolSteps.h"
#include "core/link/ProtocolTimings.h"

namespace qorrin {

StationPort::StationPort(IStationHost& host, int row, std::string name)
    : m_host(host), m_port(std::make_shared<CSerialPort>()) {
  m_view.row = row;
  m_view.name = std::move(name);
}

StationPort::~StationPort() {
  Stop(true);
  Join();
}

void StationPort::Start() { m_thread = std::thread(&StationPort::Run, this); }

void StationPort::Join() {
  if (m_thread.joinable()) m_thread.join();
}

void StationPort::SetDevice(const std::string& device) {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (device == m_device) return;
    m_device = device;
    m_woken = true;
  }
  m_wake.notify_all();
}

std::string StationPort::Device() const {
  const std::lock_guard<std::mutex> lock(m_mutex);
  return m_device;
}

void StationPort::Poke() {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_cannotOpen) return;  // the others keep their pace: it counts the misses
    m_woken = true;
  }
  m_wake.notify_all();
}

void StationPort::Stop(bool cancelTurn) {
  std::shared_ptr<RadioTurn> turn;
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_stop = true;
    m_cancel = m_cancel || cancelTurn;
    if (m_cancel) turn = m_turn;
  }
  m_wake.notify_all();
  if (turn) turn->Cancel();
}

bool StationPort::WaitUntil(Clock::time_point deadline) {
  std::unique_lock<std::mutex> lock(m_mutex);
  const auto woken = [this] { return m_stop || m_woken; };
  if (deadline == Clock::time_point::max()) {
    m_wake.wait(lock, woken);
  } else {
    m_wake.wait_until(lock, deadline, woken);
  }
  m_woken = false;
  return !m_stop;
}

void StationPort::Show(PortActivity activity, int percent, std::string problem) {
  if (m_view.activity == activity && m_view.percent == percent && m_view.problem == problem) return;
  m_view.activity = activity;
  m_view.percent = percent;
  m_view.problem = std::move(problem);
  m_host.Observer().OnPortChanged(m_view);
}

bool StationPort::OpenDevice(const std::string& device) {
  if (m_port->IsOpen()) return true;
  const bool opened = m_port->Open(device, link::kBaudRate) != 0;
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_cannotOpen = !opened;
  }
  if (opened) {
    m_port->Sleep(link::kSettleAfterOpenMs);
    return true;
  }
  if (link::DeviceIsMissing(device)) {
    Show(PortActivity::NoDevice);
  } else {
    Show(PortActivity::CannotOpen, -1, m_port->LastError());
  }
  return false;
}

void StationPort::Run() {
  const auto period = std::chrono::milliseconds(m_host.AttemptPeriodMs());
  bool radioThere = false;  // a radio had its turn here and has not gone since
  std::string radioDevice;  // the identity of the device it had its turn on
  int misses = 0;
  std::string device;
  Clock::time_point next = Clock::now();
  m_host.Observer().OnPortChanged(m_view);
  while (WaitUntil(next)) {
    const std::string now = Device();
    if (now != device) {
      // Another cable (or none): whatever radio was there went with the old one.
      device = now;
      m_port->Close();
      radioThere = false;
      misses = 0;
      m_view.device = device;
      m_view.cable = link::CableSerialNumber(device);
      m_host.Observer().OnPortChanged(m_view);
    }
    if (device.empty()) {
      Show(PortActivity::NoDevice);
      next = Clock::time_point::max();
      continue;
    }
    next = Clock::now() + period;
    if (radioThere && link::DeviceIdentity(device) != radioDevice) {
      // The cable went and came back (or another took its name) between two attempts.
      m_port->Close();
      radioThere = false;
      misses = 0;
    }
    if (!OpenDevice(device)) {
      radioThere = false;
      continue;
    }
    if (!radioThere) Show(PortActivity::Waiting);
    if (link::SendEntryCommand(*m_port) == link::kAck) {
      misses = 0;
      if (radioThere || !m_host.BeginTurn()) {
        link::SendEndCommand(*m_port);  // the same radio, or the station takes no more
        continue;
      }
      radioDevice = link::DeviceIdentity(device);
      Turn(device);
      radioThere = true;
      next = Clock::now() + period;
      continue;
    }
    // An answer too late to count may still have put a radio into programming mode.
    link::SendEndCommand(*m_port);
    if (link::DeviceIsMissing(device)) {
      m_port->Close();
      radioThere = false;
      Show(PortActivity::NoDevice);
    } else if (radioThere && ++misses >= m_host.MissesUntilGone()) {
      radioThere = false;
      misses = 0;
      Show(PortActivity::Waiting);
    }
  }
  m_port->Close();
}

void StationPort::Turn(const std::string& device) {
  const Clock::time_point began = Clock::now();
  auto turn = std::make_shared<RadioTurn>(m_host.Plan(), m_port, device, m_view.name,
                                          [this](PortActivity activity, int percent) { Show(activity, percent); });
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_turn = turn;
    if (m_cancel) turn->Cancel();
  }
  Show(PortActivity::Reading, -1);
  StationRadio radio = turn->Run();
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_turn.reset();
  }
  radio.cable = m_view.cable;
  m_host.EndTurn(radio, began);
  m_view.activity = PortActivity::RadioDone;
  m_view.percent = -1;
  m_view.result = radio.result;
  m_view.detail = radio.detail;
  ++m_view.radios;
  m_host.Observer().OnPortChanged(m_view);
}

}  // namespace qorrin
