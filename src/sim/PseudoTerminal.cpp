#include "sim/PseudoTerminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace qorrin::sim {

PseudoTerminal::~PseudoTerminal() { Close(); }

bool PseudoTerminal::Open(std::string* error) {
  Close();
  auto fail = [&](const char* step) {
    if (error) *error = std::string(step) + ": " + std::strerror(errno);
    Close();
    return false;
  };
  m_master = posix_openpt(O_RDWR | O_NOCTTY);
  if (m_master < 0) return fail("posix_openpt");
  fcntl(m_master, F_SETFD, FD_CLOEXEC);
  fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
  if (grantpt(m_master) != 0) return fail("grantpt");
  if (unlockpt(m_master) != 0) return fail("unlockpt");
  char name[128];
  if (ptsname_r(m_master, name, sizeof name) != 0) return fail("ptsname");
  m_slavePath = name;
  m_slaveKeeper = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (m_slaveKeeper < 0) return fail("open slave");
  // Raw from the start: a fresh pty echoes and edits lines, which would bounce the
  // radio's own replies back to it before a client has set the line up.
  termios tio{};
  if (tcgetattr(m_slaveKeeper, &tio) == 0) {
    cfmakeraw(&tio);
    tcsetattr(m_slaveKeeper, TCSANOW, &tio);
  }
  return true;
}

void PseudoTerminal::Close() {
  if (m_slaveKeeper >= 0) ::close(m_slaveKeeper);
  if (m_master >= 0) ::close(m_master);
  m_slaveKeeper = m_master = -1;
}

}  // namespace qorrin::sim
