#include "core/link/DeviceIdentity.h"

#include <sys/stat.h>

namespace qorrin::link {

std::string DeviceIdentity(const std::string& device) {
  struct stat name {};
  struct stat node {};
  if (::lstat(device.c_str(), &name) != 0 || ::stat(device.c_str(), &node) != 0) return {};
  // The name's own inode (a link made again gets another) and the node it leads to.
  return std::to_string(name.st_ino) + ":" + std::to_string(node.st_ino) + ":" + std::to_string(node.st_rdev);
}

}  // namespace qorrin::link
