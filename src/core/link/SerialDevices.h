#pragma once
// The serial devices of this machine, in the order that gives them their port numbers:
// USB adapters first (ttyUSB*, ttyACM* and other USB-backed ttys), then the others
// (ttyS*, ttyAMA*, ...), each group in natural name order (ttyUSB2 before ttyUSB10).
#include <map>
#include <string>
#include <vector>

namespace qorrin::link {

struct SerialDevice {
  std::string name;         // "ttyUSB0"
  std::string path;         // "/dev/ttyUSB0"
  bool usb = false;         // a USB adapter
  std::string description;  // "FTDI FT232R USB UART (0403:6001)"; empty when nothing is known
  int number = 0;           // Windows: the N of COMN; 0 where the list's order numbers them
  // The USB cable behind a Linux device: chip ids ("1a86", "7523"), the serial number the
  // chip reports (many have none) and the name under /dev/serial/by-id that follows the
  // cable into any USB socket. Empty where unknown.
  std::string vendorId;
  std::string productId;
  std::string serial;
  std::string stableName;
};

#ifdef _WIN32
// The ports of HARDWARE\DEVICEMAP\SERIALCOMM in the registry, by COM number, each with
// the Device Manager's friendly name where it has one.
std::vector<SerialDevice> EnumerateSerialDevices();
// The Device Manager's names of the ports present now, by COM number, including ports
// whose driver did not start (and which the registry's list therefore leaves out).
std::map<int, std::string> DeviceManagerPortNames();
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
