#include "sim/RadioSchedule.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace qorrin::sim {
namespace {

constexpr int kLookMs = 20;  // how often the schedule looks at its radio
constexpr int kBlocksPerTransfer = 127;

// The radio's turn is over: after sessions that did something, one that only checked.
bool Done(const std::vector<SessionRecord>& sessions) {
  bool worked = false;
  for (const SessionRecord& session : sessions) {
    if (!session.Bare()) {
      worked = true;
    } else if (worked) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string SimulatedCableName(int number) {
  char name[64];
  std::snprintf(name, sizeof name, "usb-Qorrin_Simulated_Cable_SIM%04d-if00-port0", number);
  return name;
}

RadioSchedule::RadioSchedule(ScheduleConfig config) : m_config(std::move(config)) {}

void RadioSchedule::Stop() {
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_stopped.notify_all();
}

bool RadioSchedule::Pause(int ms) {
  std::unique_lock lock(m_mutex);
  return !m_stopped.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stop; });
}

std::vector<ScheduledRadio> RadioSchedule::Radios() const {
  std::lock_guard lock(m_mutex);
  return m_radios;
}

std::string RadioSchedule::SwapDevice() const {
  std::lock_guard lock(m_mutex);
  return m_swapDevice;
}

void RadioSchedule::Arrived(ScheduledRadio radio) {
  radio.arrived = ScheduledRadio::Clock::now();
  {
    std::lock_guard lock(m_mutex);
    m_radios.push_back(radio);
  }
  if (m_listener) m_listener(radio);
}

void RadioSchedule::Left(const SimRadio& radio, bool done, bool pulled) {
  ScheduledRadio gone;
  {
    std::lock_guard lock(m_mutex);
    ScheduledRadio& last = m_radios.back();
    last.left = ScheduledRadio::Clock::now();
    last.image = radio.Image();
    last.sessions = radio.Sessions();
    last.done = done;
    last.pulled = pulled;
    gone = last;
  }
  if (m_listener) m_listener(gone);
}

bool RadioSchedule::WaitUntilDone(const SimRadio& radio) {
  while (Pause(kLookMs)) {
    if (radio.Unplugged() || Done(radio.Sessions())) return true;
  }
  return false;
}

bool RadioSchedule::RunHotplug(const std::string& folder, std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const int count = static_cast<int>(m_config.radios.size());
  for (int n = 1; n <= count; ++n) {
    RadioImage image = m_config.radios[static_cast<std::size_t>(n - 1)];
    bool pull = n == m_config.pullDuringWrite;
    for (;;) {
      SimConfig config;
      config.paceBaud = m_config.paceBaud;
      config.linkPath = (std::filesystem::path(folder) / SimulatedCableName(n)).string();
      // Pulled halfway through the write that follows the backup's read.
      if (pull) config.faults.unplugAfterBlocks = kBlocksPerTransfer + kBlocksPerTransfer / 2;
      auto radio = std::make_unique<SimRadio>(config, image);
      if (!radio->Start(error)) return false;
      ScheduledRadio arriving;
      arriving.number = n;
      arriving.device = config.linkPath;
      Arrived(arriving);
      const bool finished = WaitUntilDone(*radio);
      const bool pulled = radio->Unplugged();
      image = radio->Image();
      Left(*radio, finished && !pulled, pulled);
      radio->Stop();
      if (!finished) return true;
      if (!Pause(m_config.gapMs)) return true;
      if (!pulled) break;
      pull = false;  // it comes back, on the same cable, and stays this time
    }
  }
  return true;
}

bool RadioSchedule::RunSwap(const std::string& linkPath, std::string* error) {
  SimConfig config;
  config.paceBaud = m_config.paceBaud;
  config.linkPath = linkPath;
  SimRadio line(config);
  line.SetPresent(false);
  if (!line.Start(error)) return false;
  {
    std::lock_guard lock(m_mutex);
    m_swapDevice = line.DevicePath();
  }
  const int count = static_cast<int>(m_config.radios.size());
  for (int n = 1; n <= count; ++n) {
    line.SetPresent(true, &m_config.radios[static_cast<std::size_t>(n - 1)]);
    ScheduledRadio arriving;
    arriving.number = n;
    arriving.device = linkPath.empty() ? line.DevicePath() : linkPath;
    Arrived(arriving);
    const bool finished = WaitUntilDone(line);
    Left(line, finished, false);
    line.SetPresent(false);
    if (!finished || !Pause(m_config.gapMs)) break;
  }
  line.Stop();
  return true;
}

}  // namespace qorrin::sim
