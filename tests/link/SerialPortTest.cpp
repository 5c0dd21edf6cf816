// CSerialPort against a pseudo-terminal whose master side the test drives by hand.
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <ctime>
#include <thread>

#include "core/link/CSerialPort.h"
#include "link/LinkTestSupport.h"
#include "sim/PseudoTerminal.h"

namespace qorrin::test {
namespace {

// Exclusive opening by path or number; reads wait only for missing bytes, paced writes pause
// before each byte, Close from another thread ends a read, a lost port fails quietly and idly.
TEST(SerialPort, OpensSerialDevicesOnceReadsWritesAndFailsQuietlyWhenClosedOrUnplugged) {
  TempDir dir;
  dir.write("plain.bin", "x");
  CSerialPort port;
  EXPECT_EQ(port.Open("/dev/no-such-tty", 9600), 0);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_NE(port.LastError().find("/dev/no-such-tty"), std::string::npos);
  EXPECT_EQ(port.Open(dir.file("plain.bin"), 9600), 0);
  EXPECT_NE(port.LastError().find("not a serial device"), std::string::npos);
  std::uint8_t buffer[20] = {0x55};
  EXPECT_EQ(port.Write(buffer, 1, 0, false), 0);
  auto start = Clock::now();
  EXPECT_EQ(port.ReadByte(100), -1);
  EXPECT_GE(MillisSince(start), 95);
  port.Close();
  port.Close();
  EXPECT_FALSE(port.IsOpen());

  sim::PseudoTerminal pty;
  std::string error;
  ASSERT_TRUE(pty.Open(&error)) << error;
  dir.write("setting.ini", LinkSettings(1, false, {"", pty.SlavePath()}));
  EXPECT_EQ(port.Open(1, 9600, dir.file("setting.ini")), 0);  // no entry, no enumeration
  EXPECT_NE(port.LastError().find("COM1"), std::string::npos);
  ASSERT_EQ(port.Open(2, 9600, dir.file("setting.ini")), 1);
  // The line runs at the speed asked for.
  auto lineSpeed = [&] {
    termios tio{};
    return tcgetattr(pty.MasterFd(), &tio) == 0 ? cfgetospeed(&tio) : B0;
  };
  EXPECT_EQ(lineSpeed(), B9600);
  CSerialPort other;
  EXPECT_EQ(other.Open(pty.SlavePath(), 9600), 0);
  auto fromRadio = [&](std::vector<std::uint8_t> bytes) {
    ASSERT_EQ(::write(pty.MasterFd(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  };
  fromRadio({0x11, 0x22});
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(port.ReadByte(0), 0x11);
  EXPECT_EQ(port.ReadByte(0), 0x22);
  start = Clock::now();
  EXPECT_EQ(port.ReadByte(0), -1);
  EXPECT_LT(MillisSince(start), 1000);

  std::vector<std::uint8_t> reply(19);
  for (std::size_t i = 0; i < reply.size(); ++i) reply[i] = static_cast<std::uint8_t>(i + 1);
  fromRadio(reply);
  start = Clock::now();
  EXPECT_EQ(port.Read(buffer, 20, 500), 19);
  EXPECT_GE(MillisSince(start), 495);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 19), reply);
  // The last wanted byte ends the wait at once, also when the bytes come in parts; what
  // comes after it is left for the next read, never written past the wanted length.
  std::thread late([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    fromRadio({1, 2});
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    fromRadio({3, 4, 5, 6});
  });
  buffer[3] = 0xEE;
  start = Clock::now();
  EXPECT_EQ(port.Read(buffer, 3, 10000), 3);
  EXPECT_LT(MillisSince(start), 5000);
  late.join();
  EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 4), (std::vector<std::uint8_t>{1, 2, 3, 0xEE}));
  for (int next : {4, 5, 6}) EXPECT_EQ(port.ReadByte(100), next);

  const std::uint8_t data[8] = {0x05, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
  start = Clock::now();
  EXPECT_EQ(port.Write(data, 8, 25, true), 8);
  EXPECT_GE(MillisSince(start), 200);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(::read(pty.MasterFd(), buffer, sizeof buffer), 8);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 8), std::vector<std::uint8_t>(data, data + 8));

  int result = 99;
  std::thread worker([&] { result = port.Read(buffer, 4, 1500); });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  start = Clock::now();
  port.Close();
  EXPECT_LT(MillisSince(start), 1000);  // not held up by the worker's wait
  EXPECT_FALSE(port.IsOpen());
  worker.join();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(port.WriteByte(1, 0), 0);

  EXPECT_EQ(other.Open(pty.SlavePath(), 9600), 1);
  pty.Close();
  start = Clock::now();
  const std::clock_t cpuBefore = std::clock();  // the process's, now of this thread alone
  EXPECT_EQ(other.Read(buffer, 20, 600), 0);
  EXPECT_LT(1000.0 * static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC, 200);
  EXPECT_GE(MillisSince(start), 595);
}

}  // namespace
}  // namespace qorrin::test
