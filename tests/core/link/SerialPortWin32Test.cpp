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

TEST(SerialPortWin32, MissingPortsFailQuietlyAndNumbersAreWindowsOwnUnlessTheSettingsNameADevice) {
  CSerialPort port;
  EXPECT_EQ(port.Open("COM199", 9600), 0);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_NE(port.LastError().find("\\\\.\\COM199"), std::string::npos) << port.LastError();
  std::uint8_t bytes[4] = {1, 2};
  EXPECT_EQ(port.Write(bytes, 2, 0, false), 0);
  EXPECT_EQ(port.Write(bytes, 2, 0, true), 0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(port.ReadByte(100), -1);
  EXPECT_EQ(port.Read(bytes, 4, 100), 0);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(190));
  EXPECT_LT(took, std::chrono::milliseconds(5000));
  port.Close();
  port.Close();
  EXPECT_FALSE(port.IsOpen());

  test::TempDir dir;
  dir.installDataFiles();
  const std::string ini = dir.file("setting.ini");
  EXPECT_EQ(link::DeviceForPort(5, ini), "COM5");
  EXPECT_EQ(link::DeviceForPort(12, ini), "\\\\.\\COM12");
  EXPECT_EQ(link::DeviceForPort(0, ini), "");
  ASSERT_TRUE(WriteProfileString("ports", "5", "\\\\.\\COM7", ini));
  EXPECT_EQ(link::DeviceForPort(5, ini), "\\\\.\\COM7");
  EXPECT_EQ(port.Open(12, 9600, ini), 0);
  EXPECT_NE(port.LastError().find("\\\\.\\COM12"), std::string::npos) << port.LastError();
}

}  // namespace
}  // namespace qorrin
