// CSerialPort on the Win32 communications functions. The port is opened synchronously
// (not overlapped) with read time-outs that make every ReadFile return at once with what
// has arrived; the waiting is done here against the millisecond tick count, with 1 ms
// sleeps between empty polls. Close takes the same lock as every call that uses the
// handle, and no call holds it for longer than one ReadFile (which returns at once) or
// one WriteFile (which lasts as long as its bytes take on the line).
#include "core/link/CSerialPort.h"

#include <windows.h>
#include <timeapi.h>

#include <string>

#include "core/link/SerialDevices.h"
#include "core/link/TickCount.h"

namespace qorrin {
namespace {

constexpr DWORD kQueueBytes = 3600;

std::uint32_t Now() { return static_cast<std::uint32_t>(::GetTickCount()); }

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 && text != nullptr ? std::string(text, length) : std::string();
  if (text != nullptr) ::LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.')) {
    message.pop_back();
  }
  return message.empty() ? "error " + std::to_string(error) : message;
}

std::string DescribeOpenFailure(const std::string& device, DWORD error) {
  std::string text = "cannot open " + device + ": " + SystemMessage(error);
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
    text += " (no such port; the Device Manager lists the ports under \"Ports (COM & LPT)\")";
  } else if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) {
    text += " (another program is using it)";
  }
  return text;
}

// 8N1 at the given rate, no flow control of any kind, DTR and RTS on and not used for
// handshaking; every other field stays as the driver reports it. Not written back when
// it could not be read: there is nothing to leave "as read" then.
void ApplyLineSettings(HANDLE port, int baudRate) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(port, &dcb)) return;
  dcb.BaudRate = static_cast<DWORD>(baudRate);
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  ::SetCommState(port, &dcb);
}

// A read returns at once with the bytes already received; writes have no time-out.
void ApplyTimeouts(HANDLE port) {
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.ReadTotalTimeoutMultiplier = 0;
  timeouts.ReadTotalTimeoutConstant = 0;
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = 0;
  ::SetCommTimeouts(port, &timeouts);
}

// Sleep(1) lasts a whole scheduler tick (up to 15.6 ms) unless the process asks for the
// 1 ms timer; with 127 acknowledged blocks that would add seconds to a transfer. Asked
// once for the life of the process.
void UseMillisecondTimer() {
  static const bool asked = ::timeBeginPeriod(1) == TIMERR_NOERROR;
  (void)asked;
}

}  // namespace

CSerialPort::CSerialPort() : m_hComm(INVALID_HANDLE_VALUE) {}

CSerialPort::~CSerialPort() { Close(); }

bool CSerialPort::IsOpen() const { return m_hComm.load() != INVALID_HANDLE_VALUE; }

int CSerialPort::Open(const std::string& device, int baudRate) {
  Close();
  // "COM12" opens only in the device namespace; a name the user typed is taken either way.
  const int com = link::ComNumberOf(device);
  const std::string name = com > 0 ? link::ComDeviceName(com) : device;
  const HANDLE port = ::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0 /* exclusive */, nullptr,
                                    OPEN_EXISTING, 0 /* not overlapped */, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    SetLastError(DescribeOpenFailure(name, ::GetLastError()));
    return 0;
  }
  UseMillisecondTimer();
  // The outcome of the configuration steps is not checked: a port that refuses one of
  // them (a virtual port without modem lines) still carries bytes.
  ApplyLineSettings(port, baudRate);
  ::SetupComm(port, kQueueBytes, kQueueBytes);
  ApplyTimeouts(port);
  ::EscapeCommFunction(port, SETDTR);
  ::EscapeCommFunction(port, SETRTS);
  ::FlushFileBuffers(port);
  {
    std::lock_guard lock(m_useMutex);
    m_hComm.store(port);
  }
  SetLastError({});
  return 1;
}

void CSerialPort::SetBaudRate(int baudRate) {
  std::lock_guard lock(m_useMutex);
  const HANDLE port = m_hComm.load();
  if (port == INVALID_HANDLE_VALUE) return;
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(port, &dcb)) return;
  dcb.BaudRate = static_cast<DWORD>(baudRate);
  ::SetCommState(port, &dcb);
}

void CSerialPort::Close() {
  std::lock_guard lock(m_useMutex);
  const HANDLE port = m_hComm.exchange(INVALID_HANDLE_VALUE);
  if (port != INVALID_HANDLE_VALUE) ::CloseHandle(port);
}

int CSerialPort::ReadAvailable(std::uint8_t* buffer, int length) {
  std::lock_guard lock(m_useMutex);
  const HANDLE port = m_hComm.load();
  if (port == INVALID_HANDLE_VALUE || length <= 0) return 0;
  // Line errors (framing, overrun, parity) would stop further reads until cleared; the
  // flags and queue counts themselves are not used.
  DWORD errors = 0;
  COMSTAT status{};
  ::ClearCommError(port, &errors, &status);
  DWORD got = 0;
  if (!::ReadFile(port, buffer, static_cast<DWORD>(length), &got, nullptr)) return 0;
  return static_cast<int>(got);
}

int CSerialPort::Read(std::uint8_t* buffer, int length, int timeoutMs) {
  if (length <= 0) return 0;
  const std::uint32_t start = Now();
  int last = ReadAvailable(buffer, length);
  if (last == length) return length;
  int received = 0;
  for (;;) {
    if (last > 0) {
      received += last;
    } else if (timeoutMs > 1) {
      ::Sleep(1);
    }
    if (link::TicksPassed(start, Now(), timeoutMs)) return received;
    last = ReadAvailable(buffer + received, length - received);
    if (received + last == length) return length;
  }
}

int CSerialPort::WriteLocked(const std::uint8_t* data, int length) {
  const HANDLE port = m_hComm.load();
  if (port == INVALID_HANDLE_VALUE) return 0;
  DWORD written = 0;
  if (!::WriteFile(port, data, static_cast<DWORD>(length), &written, nullptr)) return 0;
  return static_cast<int>(written);
}

// The system's own wait: the process runs the 1 ms timer, so short pauses keep their length.
void CSerialPort::Sleep(int ms) {
  if (ms > 0) ::Sleep(static_cast<DWORD>(ms));
}

}  // namespace qorrin
