#include <filesystem>

#include "core/transfer/DeviceFindings.h"

namespace qorrin {

std::vector<link::SerialDevice> PresentSerialDevices(const CheckHost& host) {
  std::vector<link::SerialDevice> devices =
      link::EnumerateSerialDevices(host.InRoot("/sys/class/tty"), host.InRoot("/dev"));
  for (auto& device : devices) {
    device.path = host.SystemPath(device.path);
    if (!device.stableName.empty()) device.stableName = host.SystemPath(device.stableName);
  }
  return devices;
}

bool DeviceExists(const CheckHost& host, const std::string& device, const std::vector<link::SerialDevice>&) {
  std::error_code ec;
  return std::filesystem::exists(host.InRoot(host.ResolveDevice(device)), ec);
}

}  // namespace qorrin
