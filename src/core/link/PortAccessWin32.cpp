#include "core/link/PortAccess.h"

namespace qorrin::link {

// Windows has no group that grants serial ports: a port that refuses us is in use by
// another program, and the open's own message says so.
bool LacksPermission(const std::string&) { return false; }

}  // namespace qorrin::link
