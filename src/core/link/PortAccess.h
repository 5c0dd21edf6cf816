#pragma once
// Whether this user may open a serial device at all: a device that exists but refuses
// us for lack of rights is worth a message that says how to get them (the dialout group).
#include <string>

namespace qorrin::link {

bool LacksPermission(const std::string& device);

// Whether nothing exists under the device's name (the cable's adapter is unplugged):
// worth a message that says so instead of blaming the radio.
bool DeviceIsMissing(const std::string& device);

}  // namespace qorrin::link
