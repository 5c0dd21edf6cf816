// How port numbers become devices: [ports] entries, then the machine's devices in order.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/link/CableSerial.h"
#include "core/link/LinkSettings.h"
#include "core/link/PortNames.h"
#include "core/link/SerialDevices.h"
#include "support/TestSupport.h"

namespace qorrin::test {
namespace {

namespace fs = std::filesystem;

TEST(PortNumbering, MachineDevicesAreOrderedUsbFirstThenNaturally) {
  EXPECT_TRUE(link::NaturalNameLess("ttyUSB2", "ttyUSB10"));
  EXPECT_FALSE(link::NaturalNameLess("ttyUSB10", "ttyUSB2"));
  EXPECT_TRUE(link::NaturalNameLess("ttyS9", "ttyS010x"));
  EXPECT_FALSE(link::NaturalNameLess("ttyS1", "ttyS1"));
  EXPECT_TRUE(link::NaturalNameLess("ttyS1", "ttyS1a"));  // a name before its longer self
  EXPECT_FALSE(link::NaturalNameLess("ttyS1a", "ttyS1"));
  EXPECT_TRUE(link::NaturalNameLess("rfcomm", "rfcomm0"));

  // A by-id name gives its cable's serial number only when it names an interface.
  EXPECT_EQ(link::SerialFromStableName("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"), "A50285BI");
  EXPECT_EQ(link::SerialFromStableName("usb-FTDI_FT232R_USB_UART_A50285BI"), "");
  EXPECT_EQ(link::SerialFromStableName("usb-if00-port0"), "");

  // A device is named by its path or its stable name even when neither exists any more
  // (pulled between the listing and the lookup).
  link::SerialDevice gone;
  gone.path = "/dev/ttyQorrinGone7";
  gone.stableName = "/dev/serial/by-id/usb-Qorrin_Gone_7-if00-port0";
  EXPECT_TRUE(link::NamesDevice(gone.path, gone));
  EXPECT_TRUE(link::NamesDevice(gone.stableName, gone));
  EXPECT_FALSE(link::NamesDevice("/dev/ttyQorrinGone8", gone));
  EXPECT_FALSE(link::NamesDevice("", gone));

  // A fake /sys/class/tty: two USB adapters, two UARTs (one slot empty), a console.
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
  // A UART far below a folder with USB ids is no USB adapter: the walk up is short.
  const fs::path deep = dir.path() / "devices/usb2/a/b/c/d/e/f/serial";
  fs::create_directories(deep);
  WriteFileBytes(dir.path() / "devices/usb2/idVendor", "1a86\n");
  fs::create_directories(sys / "ttyS2");
  fs::create_directory_symlink(deep, sys / "ttyS2/device");
  WriteFileBytes(sys / "ttyS2/type", "4\n");

  const auto devices = link::EnumerateSerialDevices(sys.string(), "/dev");
  ASSERT_EQ(devices.size(), 4u);
  EXPECT_EQ(devices[0].path, "/dev/ttyUSB2");
  EXPECT_EQ(devices[1].path, "/dev/ttyUSB10");
  EXPECT_EQ(devices[1].description, "FTDI FT232R USB UART (0403:6001)");
  EXPECT_EQ(devices[2].path, "/dev/ttyS0");
  EXPECT_EQ(devices[3].path, "/dev/ttyS2");
  EXPECT_FALSE(devices[3].usb);
}

TEST(PortNumbering, EntriesWinEnumerationCanBeSwitchedOffAndSettingsKeepTheirFormat) {
  TempDir dir;
  const std::string ini = dir.file("setting.ini");
  dir.write("setting.ini", "[setup]\ncom=1\n[ports]\n2=/dev/pts/7\n9=/dev/ttyRADIO\n255=/dev/ttyTOP\nenumerate=0\n");
  link::PortNumbering numbering(ini);
  EXPECT_EQ(numbering.DevicePath(2), "/dev/pts/7");
  EXPECT_EQ(numbering.DevicePath(9), "/dev/ttyRADIO");
  for (int unnamed : {1, 0, 256}) EXPECT_EQ(numbering.DevicePath(unnamed), "") << unnamed;

  const auto ports = link::ListPorts(ini);
  ASSERT_EQ(ports.size(), 3u);
  EXPECT_EQ(ports[0].number, 2);
  EXPECT_EQ(ports[1].number, 9);
  EXPECT_EQ(ports[2].number, 255);  // the highest number there is
  EXPECT_TRUE(ports[1].fromSettings);
  EXPECT_EQ(link::PortLabel(9), "COM9");
  EXPECT_EQ(link::DeviceForPort(9, ini), "/dev/ttyRADIO");

  // The search switch looks at the first character only, the port dialog reads an integer.
  dir.write("setting.ini", "[setup]\nlanguage=english\n");
  EXPECT_EQ(link::ReadComPort(ini), 1);
  EXPECT_TRUE(link::ReadSearchCom(ini));
  EXPECT_EQ(link::ReadSearchComValue(ini), 1);

  ASSERT_TRUE(link::WriteComPort(12, ini));
  ASSERT_TRUE(link::WriteSearchCom(false, ini));
  EXPECT_EQ(dir.read("setting.ini"), "[setup]\nlanguage=english\ncom=12\nsearchcom=0\n");
  EXPECT_EQ(link::ReadComPort(ini), 12);
  EXPECT_FALSE(link::ReadSearchCom(ini));

  dir.write("setting.ini", "[setup]\nsearchcom=0yes\n");
  EXPECT_FALSE(link::ReadSearchCom(ini));
  EXPECT_EQ(link::ReadSearchComValue(ini), 0);
  dir.write("setting.ini", "[setup]\nsearchcom=no\n");
  EXPECT_TRUE(link::ReadSearchCom(ini));  // only a leading '0' switches it off
  EXPECT_EQ(link::ReadSearchComValue(ini), 0);
}

}  // namespace
}  // namespace qorrin::test
