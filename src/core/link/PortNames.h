#pragma once
// Port numbers stay the user's unit ("COM3", com=3 in setting.ini). Number n names:
//   1. the value of key n in section [ports] of setting.ini, a device path (1=/dev/ttyUSB0);
//   2. otherwise the n-th serial device of the machine (see SerialDevices.h), unless
//      [ports] says enumerate=0, in which case only the listed entries are ports.
//      On Windows: the system's own COMn, whether the machine lists it or not.
// A number that names nothing is a port that cannot be opened.
#include <optional>
#include <string>
#include <vector>

#include "core/link/SerialDevices.h"

namespace qorrin::link {

inline constexpr int kHighestPortNumber = 255;

// Resolves numbers against one settings file. The [ports] entries are read at each
// lookup; the machine's devices are listed once, at the first lookup that needs them, so
// a search through all numbers does not rescan the system for every one.
class PortNumbering {
 public:
  explicit PortNumbering(std::string settingsPath);

  // The device path of port n; empty when n names no device.
  std::string DevicePath(int n);

 private:
  const std::vector<SerialDevice>& MachineDevices();

  std::string m_settingsPath;
  std::optional<std::vector<SerialDevice>> m_devices;
};

struct PortListing {
  int number = 0;
  std::string device;
  std::string description;   // USB vendor and product when known
  bool fromSettings = false;  // named by a [ports] entry
  SerialDevice machine;       // the machine's device behind the number (empty path: none
                              // found, such as an entry for a cable that is unplugged)
};

// The device path of port n for the settings file at settingsPath; empty when n names no
// device. The one mapping that the serial port, the engine and the command line share.
std::string DeviceForPort(int n, const std::string& settingsPath);

// Every numbered port, ascending: for `qorrin-cli ports` and the port dialog.
std::vector<PortListing> ListPorts(const std::string& settingsPath);

// Whether `path` names the machine's device: its path, its stable name, or a link to it
// (a [ports] entry may name /dev/serial/by-id/..., so the cable keeps its number).
bool NamesDevice(const std::string& path, const SerialDevice& device);

// "COM3": how the user sees a port number.
std::string PortLabel(int n);

}  // namespace qorrin::link
