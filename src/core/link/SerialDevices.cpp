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

// The 8250 driver registers every legacy slot (ttyS0..ttyS31) whether or not a chip
// answers there; "type" 0 marks an empty slot, which must not take a port number.
bool IsEmptyUartSlot(const fs::path& ttyDir) {
  std::error_code ec;
  if (!fs::exists(ttyDir / "type", ec)) return false;
  return ReadSysText(ttyDir / "type") == "0";
}

}  // namespace

bool NaturalNameLess(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const bool digitA = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
    const bool digitB = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
    if (digitA && digitB) {
      std::size_t endA = i;
      std::size_t endB = j;
      while (endA < a.size() && std::isdigit(static_cast<unsigned char>(a[endA]))) ++endA;
      while (endB < b.size() && std::isdigit(static_cast<unsigned char>(b[endB]))) ++endB;
      // Compare by value without converting: strip leading zeros, then longer is larger.
      std::size_t startA = i;
      std::size_t startB = j;
      while (startA + 1 < endA && a[startA] == '0') ++startA;
      while (startB + 1 < endB && b[startB] == '0') ++startB;
      const std::string numA = a.substr(startA, endA - startA);
      const std::string numB = b.substr(startB, endB - startB);
      if (numA.size() != numB.size()) return numA.size() < numB.size();
      if (numA != numB) return numA < numB;
      i = endA;
      j = endB;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return (a.size() - i) < (b.size() - j);
}

void SortSerialDevices(std::vector<SerialDevice>& devices) {
  std::stable_sort(devices.begin(), devices.end(), [](const SerialDevice& x, const SerialDevice& y) {
    if (x.usb != y.usb) return x.usb;
    return NaturalNameLess(x.name, y.name);
  });
}

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
    device.description = usbDir.empty() ? std::string() : UsbDescription(usbDir);
    devices.push_back(std::move(device));
  }
  SortSerialDevices(devices);
  return devices;
}

}  // namespace qorrin::link
