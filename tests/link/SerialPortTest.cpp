// CSerialPort against a pseudo-terminal whose master side the test drives by hand.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <thread>

#include "core/link/CSerialPort.h"
#include "link/LinkTestSupport.h"
#include "sim/PseudoTerminal.h"

namespace qorrin::test {
namespace {

class SerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(m_pty.Open(&error)) << error;
    ASSERT_TRUE(m_port.Open(m_pty.SlavePath(), 9600));
  }
  void FromRadio(std::vector<std::uint8_t> bytes) {
    ASSERT_EQ(::write(m_pty.MasterFd(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  std::vector<std::uint8_t> ToRadio() {
    std::vector<std::uint8_t> bytes(256);
    const ssize_t n = ::read(m_pty.MasterFd(), bytes.data(), bytes.size());
    bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return bytes;
  }

  sim::PseudoTerminal m_pty;
  CSerialPort m_port;
};

double ThreadCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 + usage.ru_stime.tv_sec * 1e3 +
         usage.ru_stime.tv_usec / 1e3;
}

TEST(SerialPortOpen, TakesOnlySerialDevicesByPathOrNumberAndOnlyOnce) {
  TempDir dir;
  dir.write("plain.bin", "x");
  CSerialPort port;
  EXPECT_EQ(port.Open("/dev/no-such-tty", 9600), 0);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_NE(port.LastError().find("/dev/no-such-tty"), std::string::npos);
  EXPECT_EQ(port.Open(dir.file("plain.bin"), 9600), 0);
  EXPECT_NE(port.LastError().find("not a serial device"), std::string::npos);

  // A closed port fails quietly: nothing sent, reads run into their time-out.
  const std::uint8_t byte = 0x55;
  EXPECT_EQ(port.Write(&byte, 1, 0, false), 0);
  const auto start = Clock::now();
  EXPECT_EQ(port.ReadByte(100), -1);
  EXPECT_GE(MillisSince(start), 95);
  port.Close();
  port.Close();
  EXPECT_FALSE(port.IsOpen());

  // Numbers come from the [ports] section.
  sim::PseudoTerminal pty;
  std::string error;
  ASSERT_TRUE(pty.Open(&error)) << error;
  dir.write("setting.ini", LinkSettings(1, false, {"", pty.SlavePath()}));
  EXPECT_EQ(port.Open(1, 9600, dir.file("setting.ini")), 0);  // no entry, no enumeration
  EXPECT_NE(port.LastError().find("COM1"), std::string::npos);
  EXPECT_EQ(port.Open(2, 9600, dir.file("setting.ini")), 1);

  // Exclusive: a second object cannot have the same device while the first holds it.
  CSerialPort other;
  EXPECT_EQ(other.Open(pty.SlavePath(), 9600), 0);
  port.Close();
  EXPECT_EQ(other.Open(pty.SlavePath(), 9600), 1);
}

// ReadByte takes queued bytes in order and with a zero time-out polls once; Read waits
// for its time-out only when bytes are missing.
TEST_F(SerialPortTest, ReadsTakeQueuedBytesAndWaitOnlyWhenBytesAreMissing) {
  FromRadio({0x11, 0x22});
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(m_port.ReadByte(0), 0x11);
  EXPECT_EQ(m_port.ReadByte(0), 0x22);
  auto start = Clock::now();
  EXPECT_EQ(m_port.ReadByte(0), -1);
  EXPECT_LT(MillisSince(start), 50);

  std::vector<std::uint8_t> reply(19);
  for (std::size_t i = 0; i < reply.size(); ++i) reply[i] = static_cast<std::uint8_t>(i + 1);
  FromRadio(reply);
  std::uint8_t buffer[20] = {};
  start = Clock::now();
  EXPECT_EQ(m_port.Read(buffer, 20, 500), 19);
  EXPECT_GE(MillisSince(start), 495);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 19), reply);

  // The last wanted byte ends the wait at once, long before the time-out.
  std::thread late([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    FromRadio({1, 2, 3});
  });
  start = Clock::now();
  EXPECT_EQ(m_port.Read(buffer, 3, 10000), 3);
  EXPECT_LT(MillisSince(start), 5000);
  late.join();
}

TEST_F(SerialPortTest, ByteByByteWritePausesBeforeEachByte) {
  const std::uint8_t data[8] = {0x05, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
  const auto start = Clock::now();
  EXPECT_EQ(m_port.Write(data, 8, 25, true), 8);
  EXPECT_GE(MillisSince(start), 200);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(ToRadio(), std::vector<std::uint8_t>(data, data + 8));
  EXPECT_EQ(m_port.Write(data, 0, 25, true), 0);
}

TEST_F(SerialPortTest, CloseFromAnotherThreadEndsAWaitingReadQuietly) {
  int result = 99;
  std::thread worker([&] { result = m_port.Read(std::array<std::uint8_t, 4>{}.data(), 4, 1500); });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const auto start = Clock::now();
  m_port.Close();
  EXPECT_LT(MillisSince(start), 1000);  // not held up by the worker's wait
  EXPECT_FALSE(m_port.IsOpen());
  worker.join();
  EXPECT_EQ(result, 0);
  const std::uint8_t byte = 1;
  EXPECT_EQ(m_port.WriteByte(byte, 0), 0);
}

TEST_F(SerialPortTest, UnpluggedDeviceIsWaitedOutWithoutBurningCpu) {
  m_pty.Close();  // the adapter goes away under the open port
  double cpuMs = 0;
  int result = 99;
  const auto start = Clock::now();
  std::thread worker([&] {
    const double before = ThreadCpuMs();
    result = m_port.Read(std::array<std::uint8_t, 20>{}.data(), 20, 600);
    cpuMs = ThreadCpuMs() - before;
  });
  worker.join();
  EXPECT_EQ(result, 0);
  EXPECT_GE(MillisSince(start), 595);
  EXPECT_LT(cpuMs, 200);
  m_port.Close();
}

}  // namespace
}  // namespace qorrin::test
