#include "core/link/CableSerial.h"

#include <filesystem>

#include "core/platform/Utf8Path.h"

namespace qorrin::link {

std::string SerialFromStableName(const std::string& name) {
  const std::string prefix = "usb-";
  if (name.rfind(prefix, 0) != 0) return {};
  const std::size_t interfacePart = name.rfind("-if");
  if (interfacePart == std::string::npos || interfacePart <= prefix.size()) return {};
  const std::string identity = name.substr(prefix.size(), interfacePart - prefix.size());
  const std::size_t lastWord = identity.rfind('_');
  return lastWord == std::string::npos ? std::string() : identity.substr(lastWord + 1);
}

std::string CableSerialNumber(const std::string& device) {
  if (device.empty()) return {};
  std::string serial = UsbSerialOf(device);
  if (serial.empty()) serial = SerialFromStableName(platform::PathUtf8(platform::Utf8Path(device).filename()));
  return serial;
}

}  // namespace qorrin::link
