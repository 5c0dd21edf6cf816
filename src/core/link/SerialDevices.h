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
  std::string serial;       // the USB adapter's serial number ("A50285BI"); empty when none
  int number = 0;           // Windows: the N of COMN; 0 where the list's order numbers them
};

#ifdef _WIN32
// The ports of HARDWARE\DEVICEMAP\SERIALCOMM in the registry, by COM number, each with
// the Device Manager's friendly name where it has one.
std::vector<SerialDevice> EnumerateSerialDevices();
#else
// Lists the ttys that sit on real hardware (those with a device in /sys/class/tty),
// leaving out legacy UART slots that the kernel found no chip for. `sysClassTty` and
// `devDir` exist for tests.
std::vector<SerialDevice> EnumerateSerialDevices(const std::string& sysClassTty = "/sys/class/tty",
                                                 const std::string& devDir = "/dev");
#endif

// The device the system itself names by port number n, listed or not: "COM3" (and
// "\\.\COM12") on Windows; nothing on Linux, where the numbers are ours.
std::string SystemPortDevice(int n);

// The device name that opens COM port n: "COM9" below 10, "\\.\COM10" from 10 on (only
// the device namespace knows the two-digit names).
std::string ComDeviceName(int n);

// The number N of a device named "COMN" or "\\.\COMN" (any letter case); 0 for any
// other name.
int ComNumberOf(const std::string& device);

// Puts devices into port-number order (see above).
void SortSerialDevices(std::vector<SerialDevice>& devices);

// "ttyUSB2" < "ttyUSB10": runs of digits compare by value.
bool NaturalNameLess(const std::string& a, const std::string& b);

}  // namespace qorrin::link
