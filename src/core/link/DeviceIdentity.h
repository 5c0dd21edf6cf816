#pragma once
// Whether the device behind a name is still the one it was: a cable pulled and plugged
// in again, or another cable's link made under the same name, gives the same path but
// another device node or link. A station that waits for a radio to go must not take the
// next radio on a new device for the one it has just programmed.
#include <string>

namespace qorrin::link {

// A text that changes when the name is made anew or leads to another device node; empty
// when nothing is there. On Windows, where COM names are all there is, the name itself.
std::string DeviceIdentity(const std::string& device);

}  // namespace qorrin::link
