// The parts of CSerialPort that both implementations share.
#include "core/link/CSerialPort.h"

#include <mutex>

#include "core/link/PortNames.h"

namespace qorrin {

int CSerialPort::Open(int port, int baudRate, const std::string& settingsPath) {
  const std::string device = link::DeviceForPort(port, settingsPath);
  if (device.empty()) {
    Close();
    SetLastError(link::PortLabel(port) + " names no serial device on this machine");
    return 0;
  }
  return Open(device, baudRate);
}

int CSerialPort::ReadByte(int timeoutMs) {
  std::uint8_t value = 0;
  return Read(&value, 1, timeoutMs) == 1 ? value : -1;
}

// Each write waits its pause first. Byte by byte, the port is held for one byte at a time,
// so that a Close from another thread never waits for a whole command.
int CSerialPort::Write(const std::uint8_t* data, int length, int pauseMs, bool byteByByte) {
  if (length <= 0) return 0;
  if (!byteByByte) {
    Sleep(pauseMs);
    std::lock_guard lock(m_useMutex);
    return WriteLocked(data, length);
  }
  int sent = 0;
  for (; sent < length; ++sent) {
    Sleep(pauseMs);
    std::lock_guard lock(m_useMutex);
    if (WriteLocked(data + sent, 1) != 1) break;
  }
  return sent;
}

int CSerialPort::WriteByte(std::uint8_t value, int pauseMs) { return Write(&value, 1, pauseMs, false); }

std::string CSerialPort::LastError() const {
  std::lock_guard lock(m_errorMutex);
  return m_lastError;
}

void CSerialPort::SetLastError(std::string text) {
  std::lock_guard lock(m_errorMutex);
  m_lastError = std::move(text);
}

}  // namespace qorrin
