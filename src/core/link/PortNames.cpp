#include "core/link/PortNames.h"

#include <filesystem>
#include <utility>

#include "core/settings/ProfileFile.h"

namespace qorrin::link {
namespace {

constexpr char kPortsSection[] = "ports";
constexpr char kEnumerateKey[] = "enumerate";
constexpr std::size_t kPathBufferSize = 4096;

std::string ListedDevice(int n, const std::string& settingsPath) {
  return ReadProfileString(kPortsSection, std::to_string(n), "", kPathBufferSize, settingsPath);
}

bool EnumerationAllowed(const std::string& settingsPath) {
  return ReadProfileInt(kPortsSection, kEnumerateKey, 1, settingsPath) != 0;
}

// The machine's device numbered n: by the number the system gave it (Windows), else by
// its place in the list.
const SerialDevice* DeviceNumbered(const std::vector<SerialDevice>& devices, int n) {
  for (std::size_t i = 0; i < devices.size(); ++i) {
    const int number = devices[i].number > 0 ? devices[i].number : static_cast<int>(i) + 1;
    if (number == n) return &devices[i];
  }
  return nullptr;
}

}  // namespace

PortNumbering::PortNumbering(std::string settingsPath) : m_settingsPath(std::move(settingsPath)) {}

const std::vector<SerialDevice>& PortNumbering::MachineDevices() {
  if (!m_devices) {
    m_devices = EnumerationAllowed(m_settingsPath) ? EnumerateSerialDevices()
                                                   : std::vector<SerialDevice>{};
  }
  return *m_devices;
}

std::string PortNumbering::DevicePath(int n) {
  if (n < 1 || n > kHighestPortNumber) return {};
  std::string listed = ListedDevice(n, m_settingsPath);
  if (!listed.empty()) return listed;
  if (const SerialDevice* device = DeviceNumbered(MachineDevices(), n)) return device->path;
  return SystemPortDevice(n);
}

std::string DeviceForPort(int n, const std::string& settingsPath) {
  return PortNumbering(settingsPath).DevicePath(n);
}

std::vector<PortListing> ListPorts(const std::string& settingsPath) {
  const std::vector<SerialDevice> devices =
      EnumerationAllowed(settingsPath) ? EnumerateSerialDevices() : std::vector<SerialDevice>{};
  std::vector<PortListing> ports;
  for (int n = 1; n <= kHighestPortNumber; ++n) {
    PortListing port;
    port.number = n;
    port.device = ListedDevice(n, settingsPath);
    port.fromSettings = !port.device.empty();
    const SerialDevice* machine = port.fromSettings ? nullptr : DeviceNumbered(devices, n);
    if (machine != nullptr) {
      port.device = machine->path;
      port.description = machine->description;
      port.machine = *machine;
    } else if (port.fromSettings) {
      for (const auto& device : devices) {
        if (!NamesDevice(port.device, device)) continue;
        port.description = device.description;
        port.machine = device;
      }
    }
    if (!port.device.empty()) ports.push_back(std::move(port));
  }
  return ports;
}

bool NamesDevice(const std::string& path, const SerialDevice& device) {
  if (path.empty()) return false;
  if (path == device.path || path == device.stableName) return true;
  std::error_code ec;
  std::error_code deviceError;
  const std::filesystem::path target = std::filesystem::canonical(path, ec);
  const std::filesystem::path own = std::filesystem::canonical(device.path, deviceError);
  return !ec && !deviceError && target == own;
}

std::string PortLabel(int n) { return "COM" + std::to_string(n); }

}  // namespace qorrin::link
