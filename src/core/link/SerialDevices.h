#pragma once
// The serial devices of this machine, in the order that gives them their port numbers:
// USB adapters first (ttyUSB*, ttyACM* and other USB-backed ttys), then the others
// (ttyS*, ttyAMA*, ...), each group in natural name order (ttyUSB2 before ttyUSB10).
#include <string>
#include <vector>

namespace qorrin::link {

struct SerialDevice {
  std::string name;         // "ttyUSB0"
  std::string path;         // "/dev/ttyUSB0"
  bool usb = false;         // a USB adapter
  std::string description;  // "FTDI FT232R USB UART (0403:6001)"; empty when nothing is known
};

// Lists the ttys that sit on real hardware (those with a device in /sys/class/tty),
// leaving out legacy UART slots that the kernel found no chip for. `sysClassTty` and
// `devDir` exist for tests.
std::vector<SerialDevice> EnumerateSerialDevices(const std::string& sysClassTty = "/sys/class/tty",
                                                 const std::string& devDir = "/dev");

// Puts devices into port-number order (see above).
void SortSerialDevices(std::vector<SerialDevice>& devices);

// "ttyUSB2" < "ttyUSB10": runs of digits compare by value.
bool NaturalNameLess(const std::string& a, const std::string& b);

}  // namespace qorrin::link
