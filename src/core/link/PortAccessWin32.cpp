#include "core/link/PortAccess.h"

namespace qorrin::link {

// Windows has no group that grants serial ports: a port that refuses us is in use by
// another program, and the open's own message says so.
bool LacksPermission(const std::string&) { return false; }

// A COM name names no file to look at; the open's own error tells a port that is not there.
bool DeviceIsMissing(const std::string&) { return false; }

}  // namespace qorrin::link
