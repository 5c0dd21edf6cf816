#include "core/link/DeviceIdentity.h"

namespace qorrin::link {

std::string DeviceIdentity(const std::string& device) { return device; }

}  // namespace qorrin::link
