#include <algorithm>

#include "core/transfer/DeviceFindings.h"

namespace qorrin {

// The registry's ports, and those the Device Manager shows whose driver did not start (a
// refused Prolific chip among them): they are present but have no entry among the ports.
std::vector<link::SerialDevice> PresentSerialDevices(const CheckHost&) {
  std::vector<link::SerialDevice> devices = link::EnumerateSerialDevices();
  for (const auto& [number, name] : link::DeviceManagerPortNames()) {
    const bool listed = std::any_of(devices.begin(), devices.end(),
                                    [number = number](const link::SerialDevice& d) { return d.number == number; });
    if (listed) continue;
    link::SerialDevice device;
    device.name = "COM" + std::to_string(number);
    device.path = link::ComDeviceName(number);
    device.number = number;
    device.description = name;
    device.usb = name.find("USB") != std::string::npos;
    devices.push_back(std::move(device));
  }
  std::sort(devices.begin(), devices.end(),
            [](const link::SerialDevice& a, const link::SerialDevice& b) { return a.number < b.number; });
  return devices;
}

// A COM name is there when the machine lists that number; any other name (a driver's own
// device name) is left for the open to judge.
bool DeviceExists(const CheckHost&, const std::string& device, const std::vector<link::SerialDevice>& present) {
  const int number = link::ComNumberOf(device);
  if (number <= 0) return true;
  return std::any_of(present.begin(), present.end(), [number](const link::SerialDevice& d) { return d.number == number; });
}

}  // namespace qorrin
