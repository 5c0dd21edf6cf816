#pragma once
// One serial port with the fixed line settings of the radio link: 8 data bits, no parity,
// 1 stop bit, raw bytes, no flow control, DTR and RTS held asserted. Sends bytes with a
// pause in front of them and receives them with a time-out in milliseconds; knows nothing
// of the protocol.
//
// Two implementations behind this one class: termios and poll on Linux
// (CSerialPortPosix.cpp), the Win32 communications functions on Windows
// (CSerialPortWin32.cpp); what both share is in CSerialPort.cpp.
//
// The transfer worker reads and writes while the user-interface thread may Close at any
// moment. Close waits until the device is no longer in use (on Linux it also wakes a
// waiting read or write), so a descriptor or handle is never used after it was handed
// back to the system; every later call then fails quietly as on a closed port.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "core/link/ILinkPort.h"

namespace qorrin {

class CSerialPort : public ILinkPort {
 public:
  CSerialPort();
  ~CSerialPort() override;
  CSerialPort(const CSerialPort&) = delete;
  CSerialPort& operator=(const CSerialPort&) = delete;

  // Opens port number `port` (1 and up) as numbered by the settings file at settingsPath
  // ([ports] entries, then the machine's serial devices). Nonzero on success.
  int Open(int port, int baudRate, const std::string& settingsPath);
  // Opens the device at `device` directly. Nonzero on success. An open port is closed first.
  int Open(const std::string& device, int baudRate) override;

  // Changes only the baud rate; no effect on a closed port or an unknown rate.
  void SetBaudRate(int baudRate) override;

  // Sleeps pauseMs, then sends all bytes in one go (byteByByte false), or sleeps pauseMs
  // before each single byte (byteByByte true, stopping at the first byte not taken).
  // Returns the bytes sent; 0 on a closed port.
  int Write(const std::uint8_t* data, int length, int pauseMs, bool byteByByte) override;
  int WriteByte(std::uint8_t value, int pauseMs) override;

  // Receives up to `length` bytes, returning as soon as all came or after timeoutMs with
  // those that did. Returns the count received (0 to length).
  int Read(std::uint8_t* buffer, int length, int timeoutMs) override;
  // One byte 0..255, or -1 when none came within timeoutMs. With 0 it polls exactly once.
  int ReadByte(int timeoutMs) override;

  // Closes the port; nothing happens on a closed port. Safe from any thread.
  void Close() override;
  bool IsOpen() const override;

  // Why the last Open failed (device and reason, with advice where there is some).
  std::string LastError() const override;

  // Sleeps: on the monotonic clock on Linux, the system wait (1 ms timer) on Windows.
  void Sleep(int ms) override;

 private:
  void SetLastError(std::string text);

#ifdef _WIN32
  // Moves what has arrived (at most `length` bytes) into buffer, after clearing the
  // line's error state; 0 on a closed port or a failed read.
  int ReadAvailable(std::uint8_t* buffer, int length);
  int WriteLocked(const std::uint8_t* data, int length);

  std::atomic<void*> m_hComm;  // HANDLE of the open port, INVALID_HANDLE_VALUE when closed
#else
  // Result of waiting on the descriptor.
  enum class Wait { Ready, TimedOut, Gone };
  Wait WaitFor(short events, int timeoutMs);
  int WriteLocked(const std::uint8_t* data, int length);

  std::atomic<int> m_hComm{-1};        // descriptor of the open device, -1 when closed
  std::atomic<bool> m_closing{false};  // a Close is waiting for the descriptor
  int m_wakePipe[2] = {-1, -1};        // Close writes here to end a wait at once
#endif
  std::mutex m_useMutex;  // held while a call uses m_hComm
  mutable std::mutex m_errorMutex;
  std::string m_lastError;
};

}  // namespace qorrin
