// The parts of CSerialPort that both implementations share.
#include "core/link/CSerialPort.h"

#include <chrono>
#include <thread>

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

int CSerialPort::WriteByte(std::uint8_t value, int pauseMs) { return Write(&value, 1, pauseMs, false); }

void CSerialPort::Sleep(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string CSerialPort::LastError() const {
  std::lock_guard lock(m_errorMutex);
  return m_lastError;
}

void CSerialPort::SetLastError(std::string text) {
  std::lock_guard lock(m_errorMutex);
  m_lastError = std::move(text);
}

}  // namespace qorrin
