// The Win32 serial port where no port answers, and the numbering of Windows' COM ports.
// Real bytes through it are the Wine link test's business (tests/windows).
#include <gtest/gtest.h>

#include <chrono>

#include "core/link/CSerialPort.h"
#include "core/link/PortNames.h"
#include "core/settings/ProfileFile.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

using Clock = std::chrono::steady_clock;

long long MillisSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST(SerialPortWin32, AMissingPortFailsToOpenAndAClosedPortFailsQuietly) {
  CSerialPort port;
  EXPECT_EQ(port.Open("COM199", 9600), 0);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_NE(port.LastError().find("\\\\.\\COM199"), std::string::npos) << port.LastError();

  const std::uint8_t bytes[2] = {1, 2};
  EXPECT_EQ(port.Write(bytes, 2, 0, false), 0);
  EXPECT_EQ(port.Write(bytes, 2, 0, true), 0);
  const auto start = Clock::now();
  EXPECT_EQ(port.ReadByte(100), -1);
  std::uint8_t buffer[4];
  EXPECT_EQ(port.Read(buffer, 4, 100), 0);
  const long long took = MillisSince(start);
  EXPECT_GE(took, 190);
  EXPECT_LT(took, 5000);
  port.Close();
  port.Close();
  EXPECT_FALSE(port.IsOpen());
}

TEST(SerialPortWin32, PortNumbersAreWindowsOwnUnlessTheSettingsNameADevice) {
  test::TempDir dir;
  dir.installDataFiles();
  const std::string ini = dir.file("setting.ini");
  EXPECT_EQ(link::DeviceForPort(5, ini), "COM5");
  EXPECT_EQ(link::DeviceForPort(12, ini), "\\\\.\\COM12");
  EXPECT_EQ(link::DeviceForPort(0, ini), "");
  ASSERT_TRUE(WriteProfileString("ports", "5", "\\\\.\\COM7", ini));
  EXPECT_EQ(link::DeviceForPort(5, ini), "\\\\.\\COM7");

  CSerialPort port;
  EXPECT_EQ(port.Open(12, 9600, ini), 0);
  EXPECT_NE(port.LastError().find("\\\\.\\COM12"), std::string::npos) << port.LastError();
}

}  // namespace
}  // namespace qorrin
