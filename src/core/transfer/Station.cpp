#include "core/transfer/Station.h"

#include <algorithm>
#include <filesystem>

#include "core/platform/Utf8Path.h"

namespace qorrin {
namespace {

// Looked at again this often even when no folder event came: a device can change behind
// a port number without anything happening in a watched folder.
constexpr int kRescanSourcesMs = 5000;

std::string CanonicalDevice(const std::string& device) {
  std::error_code ec;
  const std::filesystem::path canonical = std::filesystem::canonical(platform::Utf8Path(device), ec);
  return ec ? device : platform::PathUtf8(canonical);
}

}  // namespace

Station::Station(StationSettings settings, IStationObserver& observer)
    : m_settings(std::move(settings)), m_observer(observer) {
  m_plan.settingsPath = m_settings.settingsPath;
  m_plan.image = m_settings.plan;
  m_plan.verify = m_settings.verify;
  m_plan.backupFolder =
      m_settings.backupFolder.empty() ? StationBackupFolder(m_settings.logPath) : m_settings.backupFolder;
}

Station::~Station() {
  Stop(StopMode::CancelTransfers);
  Wait();
}

bool Station::Start(std::string* error) {
  auto fail = [error](std::string reason) {
    if (error) *error = std::move(reason);
    return false;
  };
  if (m_settings.sources.empty()) return fail("no port to watch");
  m_plan.models = ModelTable::Load();
  m_plan.model = m_plan.models->MatchModel(m_plan.image);
  if (!m_plan.model) return fail("the plan's frequency range matches no model in setting.ini");
  std::error_code ec;
  std::filesystem::create_directories(platform::Utf8Path(m_plan.backupFolder), ec);
  if (ec) return fail("cannot create the backup folder " + m_plan.backupFolder + ": " + ec.message());
  if (!m_log.Open(m_settings.logPath, error)) return false;
  m_watch = std::make_unique<link::DeviceWatch>(SourceFolders(m_settings.sources, m_settings.settingsPath));
  m_watcher = std::thread(&Station::Watch, this);
  return true;
}

void Station::Stop(StopMode mode) {
  std::vector<StationPort*> cancel;
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (mode <= m_stop) return;
    m_stop = mode;
    if (mode == StopMode::CancelTransfers) {
      for (const auto& port : m_ports) cancel.push_back(port.get());
    }
  }
  for (StationPort* port : cancel) port->Stop(true);
  if (m_watch) m_watch->Wake();
}

void Station::Wait() {
  if (m_watcher.joinable()) m_watcher.join();
}

Station::StopMode Station::CurrentStop() const {
  const std::lock_guard<std::mutex> lock(m_mutex);
  return m_stop;
}

StationTally Station::Tally() const {
  const std::lock_guard<std::mutex> lock(m_mutex);
  return m_tally;
}

bool Station::BeginTurn() {
  bool last = false;
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_stop != StopMode::None) return false;
    ++m_turnsBegun;
    last = m_settings.count > 0 && m_turnsBegun >= m_settings.count;
  }
  if (last) Stop(StopMode::AfterRadiosUnderWay);
  return true;
}

void Station::EndTurn(StationRadio& radio, std::chrono::steady_clock::time_point began) {
  radio.when = std::chrono::system_clock::now();
  radio.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  m_log.Append(radio, &radio.logError);
  StationTally tally;
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (radio.result == RadioResult::Programmed) {
      ++m_tally.programmed;
    } else if (radio.result == RadioResult::AlreadyProgrammed) {
      ++m_tally.alreadyProgrammed;
    } else {
      ++m_tally.failed;
    }
    tally = m_tally;
  }
  m_observer.OnRadioFinished(radio, tally);
}

void Station::Reconcile(const std::vector<SourcePort>& found) {
  std::vector<StationPort*> known;
  std::vector<StationPort*> started;
  IStationHost& host = *this;
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    for (const SourcePort& source : found) {
      if (std::find(m_keys.begin(), m_keys.end(), source.key) != m_keys.end()) continue;
      if (source.device.empty() && !source.fixed) continue;  // a folder's entry shows once it is there
      m_ports.push_back(std::make_unique<StationPort>(host, static_cast<int>(m_ports.size()), source.name));
      m_keys.push_back(source.key);
      started.push_back(m_ports.back().get());
    }
    for (const auto& port : m_ports) known.push_back(port.get());
  }
  // Each device is one port's: a device reached under two names (a stable link and the
  // tty itself) is kept by the port that has it, or by the first that names it.
  std::vector<std::string> taken;
  for (std::size_t i = 0; i < known.size(); ++i) {
    std::string device;
    for (const SourcePort& source : found) {
      if (source.key == m_keys[i]) device = source.device;
    }
    const std::string held = known[i]->Device();
    if (!held.empty() && held == device) taken.push_back(CanonicalDevice(device));
  }
  for (std::size_t i = 0; i < known.size(); ++i) {
    std::string device;
    for (const SourcePort& source : found) {
      if (source.key == m_keys[i]) device = source.device;
    }
    const std::string held = known[i]->Device();
    if (!device.empty() && held != device) {
      const std::string canonical = CanonicalDevice(device);
      if (std::find(taken.begin(), taken.end(), canonical) != taken.end()) {
        device.clear();
      } else {
        taken.push_back(canonical);
      }
    }
    known[i]->SetDevice(device);
    known[i]->Poke();
  }
  for (StationPort* port : started) port->Start();
}

void Station::Watch() {
  while (CurrentStop() == StopMode::None) {
    Reconcile(ScanSources(m_settings.sources, m_settings.settingsPath));
    if (CurrentStop() != StopMode::None) break;
    m_watch->Wait(kRescanSourcesMs);
  }
  std::vector<StationPort*> ports;
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& port : m_ports) ports.push_back(port.get());
  }
  const bool cancel = CurrentStop() == StopMode::CancelTransfers;
  for (StationPort* port : ports) port->Stop(cancel);
  for (StationPort* port : ports) port->Join();
  m_observer.OnStationEnded(Tally());
}

}  // namespace qorrin
