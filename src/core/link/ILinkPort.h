#pragma once
// What the transfer engine needs of a port: open a device, move bytes with pauses and
// time-outs, close, and wait. CSerialPort is the one the programs use; tests and the fuzz
// target put a port on memory with a virtual clock in its place, so that a whole run takes
// microseconds. Every pause of the engine goes through Sleep for that reason.
#include <cstdint>
#include <string>

namespace qorrin {

class ILinkPort {
 public:
  virtual ~ILinkPort() = default;

  // Opens the device (an open port is closed first). Nonzero on success.
  virtual int Open(const std::string& device, int baudRate) = 0;
  virtual bool IsOpen() const = 0;
  // Changes the line speed of an open port; nothing happens on a closed one.
  virtual void SetBaudRate(int baudRate) = 0;
  // Nothing happens on a closed port. Safe from any thread.
  virtual void Close() = 0;

  // Pauses pauseMs, then sends all bytes in one go (byteByByte false), or pauses pauseMs
  // before each single byte (byteByByte true, stopping at the first byte not taken).
  // Returns the bytes sent; 0 on a closed port.
  virtual int Write(const std::uint8_t* data, int length, int pauseMs, bool byteByByte) = 0;
  virtual int WriteByte(std::uint8_t value, int pauseMs) = 0;

  // Receives up to `length` bytes, returning as soon as all came or after timeoutMs with
  // those that did.
  virtual int Read(std::uint8_t* buffer, int length, int timeoutMs) = 0;
  // One byte 0..255, or -1 when none came within timeoutMs. With 0 it polls exactly once.
  virtual int ReadByte(int timeoutMs) = 0;

  // Why the last Open failed.
  virtual std::string LastError() const = 0;

  // Waits `ms` milliseconds on the port's clock.
  virtual void Sleep(int ms) = 0;
};

}  // namespace qorrin
