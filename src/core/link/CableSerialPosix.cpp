// The adapter's serial number as /sys shows it for the tty a device name leads to.
#include "core/link/CableSerial.h"

#include <filesystem>

#include "core/link/SerialDevices.h"

namespace qorrin::link {

std::string UsbSerialOf(const std::string& device) {
  std::error_code ec;
  const std::filesystem::path tty = std::filesystem::canonical(device, ec);
  if (ec) return {};
  for (const SerialDevice& known : EnumerateSerialDevices()) {
    if (known.name == tty.filename().string()) return known.serial;
  }
  return {};
}

}  // namespace qorrin::link
