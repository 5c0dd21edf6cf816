// Windows: the COM port's adapter is not looked up; a stable name is all there is.
#include "core/link/CableSerial.h"

namespace qorrin::link {

std::string UsbSerialOf(const std::string&) { return {}; }

}  // namespace qorrin::link
