// How port numbers become devices: [ports] entries, then the machine's devices in order.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/link/LinkSettings.h"
#include "core/link/PortNames.h"
#include "core/link/SerialDevices.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

namespace fs = std::filesystem;

TEST(PortNumbering, MachineDevicesAreOrderedUsbFirstThenNaturally) {
  // A fake /sys/class/tty: two USB adapters, two UARTs (one slot empty), a console. Stable
  // names and which device a name means: CheckSystemPosixTest, StationSourcesPosixTest.
  TempDir dir;
  const fs::path sys = dir.path() / "sys";
  const fs::path usb = dir.path() / "devices/usb1/1-1";
  fs::create_directories(usb / "1-1:1.0/ttyUSB10");
  WriteFileBytes(usb / "idVendor", "0403\n");
  WriteFileBytes(usb / "idProduct", "6001\n");
  WriteFileBytes(usb / "manufacturer", "FTDI\n");
  WriteFileBytes(usb / "product", "FT232R USB UART\n");
  fs::create_directories(dir.path() / "devices/platform/serial8250");
  for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyS1", "ttyS0", "tty1"}) fs::create_directories(sys / name);
  fs::create_directory_symlink(usb / "1-1:1.0/ttyUSB10", sys / "ttyUSB10/device");
  for (const char* uart : {"ttyUSB2", "ttyS0", "ttyS1"}) {
    fs::create_directory_symlink(dir.path() / "devices/platform/serial8250", sys / uart / "device");
  }
  WriteFileBytes(sys / "ttyS0/type", "4\n");
  WriteFileBytes(sys / "ttyS1/type", "0\n");
  const auto devices = link::EnumerateSerialDevices(sys.string(), "/dev");
  ASSERT_EQ(devices.size(), 3u);
  EXPECT_EQ(devices[0].path, "/dev/ttyUSB2");
  EXPECT_EQ(devices[1].path, "/dev/ttyUSB10");
  EXPECT_EQ(devices[1].description, "FTDI FT232R USB UART (0403:6001)");
  EXPECT_EQ(devices[2].path, "/dev/ttyS0");
}

// How the settings' lines reach the port list: ProfileFileTest; ports by number: TransferRunTest.
TEST(PortNumbering, EntriesUpTo255AndOnlyALeadingZeroSwitchesTheSearchOff) {
  TempDir dir;
  const std::string ini = dir.file("setting.ini");
  dir.write("setting.ini", "[setup]\nsearchcom=no\n[ports]\n9=/dev/ttyRADIO\n255=/dev/ttyTOP\n256=/dev/ttyX\nenumerate=0\n");
  const auto ports = link::ListPorts(ini);
  ASSERT_EQ(ports.size(), 2u);
  EXPECT_EQ(ports[1].number, 255);  // the highest number there is
  EXPECT_EQ(link::DeviceForPort(9, ini), "/dev/ttyRADIO");
  EXPECT_TRUE(link::ReadSearchCom(ini));
}

}  // namespace
}  // namespace qorrin::test
