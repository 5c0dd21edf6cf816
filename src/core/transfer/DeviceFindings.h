#pragma once
// The first step of the connection check: is the device there? If not, which serial
// devices are, with the cable behind each (chip, serial number, stable name), so the user
// can pick the right one. On Windows also the Device Manager's word that the Prolific
// driver refuses the cable's chip.
#include <string>
#include <vector>

#include "core/link/SerialDevices.h"
#include "core/transfer/CheckFinding.h"
#include "core/transfer/CheckHost.h"
#include "core/transfer/CheckTexts.h"

namespace qorrin {

// The machine's serial devices, as the system names them (on Windows with the ports whose
// driver did not start, which the registry's list of ports leaves out).
std::vector<link::SerialDevice> PresentSerialDevices(const CheckHost& host);

// Whether something exists under the device's name.
bool DeviceExists(const CheckHost& host, const std::string& device, const std::vector<link::SerialDevice>& present);

// The finding on the device (there, missing, refused by its driver). False when it is
// missing: nothing more can be learned of it.
bool CheckDevicePresent(const CheckHost& host, const std::string& device,
                        const std::vector<link::SerialDevice>& present, const CheckTexts& texts, CheckReport& report);

// A port number that names no device on this machine.
void ReportPortWithoutDevice(const std::string& portLabel, const std::vector<link::SerialDevice>& present,
                             const CheckTexts& texts, CheckReport& report);

// Windows' Prolific driver marks a chip it refuses (a counterfeit or discontinued PL2303)
// in the port's Device Manager name: "PHASED OUT", "PLEASE CONTACT YOUR SUPPLIER".
bool IsRefusedProlific(const std::string& deviceManagerName);

}  // namespace qorrin
