// The serial devices of a Linux machine, as /sys/class/tty shows them.
#include "core/link/SerialDevices.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace qorrin::link {
namespace {

std::string ReadSysText(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
  return line;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// Walks up from the tty's device to the USB device that carries it (the first folder
// with an idVendor file). Empty when the tty is not on USB.
fs::path FindUsbDevice(const fs::path& ttyDir) {
  std::error_code ec;
  fs::path dir = fs::canonical(ttyDir / "device", ec);
  if (ec) return {};
  for (int level = 0; level < 6 && !dir.empty() && dir != dir.root_path(); ++level) {
    if (fs::exists(dir / "idVendor", ec)) return dir;
    dir = dir.parent_path();
  }
  return {};
}

std::string UsbDescription(const fs::path& usbDir) {
  std::string text = ReadSysText(usbDir / "manufacturer");
  const std::string product = ReadSysText(usbDir / "product");
  if (!product.empty()) text += (text.empty() ? "" : " ") + product;
  const std::string vendorId = ReadSysText(usbDir / "idVendor");
  const std::string productId = ReadSysText(usbDir / "idProduct");
  if (!vendorId.empty()) text += (text.empty() ? "(" : " (") + vendorId + ":" + productId + ")";
  return text;
}

// The link in <devDir>/serial/by-id that leads to the device named `name`; empty when none.
std::string StableNameOf(const fs::path& devDir, const std::string& name) {
  std::error_code ec;
  for (fs::directory_iterator it(devDir / "serial" / "by-id", ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code linkError;
    const fs::path target = fs::read_symlink(it->path(), linkError);
    if (!linkError && target.filename() == name) return it->path().string();
  }
  return {};
}

// The 8250 driver registers every legacy slot (ttyS0..ttyS31) whether or not a chip
// answers there; "type" 0 marks an empty slot, which must not take a port number.
bool IsEmptyUartSlot(const fs::path& ttyDir) {
  std::error_code ec;
  if (!fs::exists(ttyDir / "type", ec)) return false;
  return ReadSysText(ttyDir / "type") == "0";
}

}  // namespace

std::vector<SerialDevice> EnumerateSerialDevices(const std::string& sysClassTty,
                                                 const std::string& devDir) {
  std::vector<SerialDevice> devices;
  std::error_code ec;
  for (fs::directory_iterator it(sysClassTty, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path ttyDir = it->path();
    std::error_code linkError;
    // Virtual consoles, pseudo-terminals and the console have no device behind them.
    if (!fs::exists(ttyDir / "device", linkError) || IsEmptyUartSlot(ttyDir)) continue;
    SerialDevice device;
    device.name = ttyDir.filename().string();
    device.path = (fs::path(devDir) / device.name).string();
    const fs::path usbDir = FindUsbDevice(ttyDir);
    device.usb = !usbDir.empty() || StartsWith(device.name, "ttyUSB") || StartsWith(device.name, "ttyACM");
    if (!usbDir.empty()) {
      device.description = UsbDescription(usbDir);
      device.vendorId = ReadSysText(usbDir / "idVendor");
      device.productId = ReadSysText(usbDir / "idProduct");
      device.serial = ReadSysText(usbDir / "serial");
    }
    device.stableName = StableNameOf(devDir, device.name);
    devices.push_back(std::move(device));
  }
  SortSerialDevices(devices);
  return devices;
}

// Port numbers are ours on Linux: a number that the list does not reach names nothing.
std::string SystemPortDevice(int) { return {}; }

}  // namespace qorrin::link
