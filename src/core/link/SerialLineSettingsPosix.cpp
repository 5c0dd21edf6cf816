#include "core/link/SerialLineSettingsPosix.h"

#include <sys/ioctl.h>
#include <termios.h>

namespace qorrin::link {
namespace {

struct SpeedEntry {
  int baud;
  speed_t code;
};

constexpr SpeedEntry kSpeeds[] = {
    {1200, B1200},   {2400, B2400},   {4800, B4800},     {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600},   {115200, B115200},
    {230400, B230400},
};

bool SpeedCode(int baudRate, speed_t* code) {
  for (const auto& entry : kSpeeds) {
    if (entry.baud == baudRate) {
      *code = entry.code;
      return true;
    }
  }
  return false;
}

}  // namespace

void ApplyLineSettings(int fd, int baudRate) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return;
  cfmakeraw(&tio);  // binary transfer: no echo, no line editing, no CR/LF translation
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CREAD | CLOCAL;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  speed_t code;
  if (SpeedCode(baudRate, &code)) {
    cfsetispeed(&tio, code);
    cfsetospeed(&tio, code);
  }
  tcsetattr(fd, TCSANOW, &tio);
}

void ApplyBaudRate(int fd, int baudRate) {
  speed_t code;
  termios tio{};
  if (!SpeedCode(baudRate, &code) || tcgetattr(fd, &tio) != 0) return;
  cfsetispeed(&tio, code);
  cfsetospeed(&tio, code);
  tcsetattr(fd, TCSANOW, &tio);
}

void AssertModemLines(int fd) {
  int dtr = TIOCM_DTR;
  int rts = TIOCM_RTS;
  ioctl(fd, TIOCMBIS, &dtr);
  ioctl(fd, TIOCMBIS, &rts);
}

}  // namespace qorrin::link
