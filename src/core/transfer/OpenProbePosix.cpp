#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "core/transfer/HolderFindings.h"

namespace qorrin {

// Busy: a program set the line exclusive (the open says so) or holds the lock that every
// program locking serial devices this way takes (the serial port's own Open among them).
OpenProbe ProbeExclusiveOpen(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == EBUSY ? OpenProbe::Busy : OpenProbe::Failed;
  const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  const int error = errno;
  ::close(fd);
  if (locked) return OpenProbe::Free;
  return error == EWOULDBLOCK ? OpenProbe::Busy : OpenProbe::Failed;
}

}  // namespace qorrin
