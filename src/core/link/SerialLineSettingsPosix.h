#pragma once
// The termios side of CSerialPort: the radio link's line settings and the modem lines.
// Every step is best effort: a device that refuses one (a pseudo-terminal has no modem
// lines) still carries bytes, and a refused step must not make an open fail.
namespace qorrin::link {

// Raw bytes, 8N1, receiver on, modem status ignored, no hardware or software flow control,
// reads that return at once with what has arrived, at the given baud rate.
void ApplyLineSettings(int fd, int baudRate);

// Changes only the speed; unknown rates leave it as it was.
void ApplyBaudRate(int fd, int baudRate);

// Asserts DTR, then RTS, and leaves them asserted (the cable may draw power from them).
void AssertModemLines(int fd);

}  // namespace qorrin::link
