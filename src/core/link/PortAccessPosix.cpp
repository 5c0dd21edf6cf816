#include "core/link/PortAccess.h"

#include <unistd.h>

#include <cerrno>

namespace qorrin::link {

bool LacksPermission(const std::string& device) {
  return ::access(device.c_str(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM);
}

bool DeviceIsMissing(const std::string& device) {
  return ::access(device.c_str(), F_OK) != 0 && errno == ENOENT;
}

}  // namespace qorrin::link
