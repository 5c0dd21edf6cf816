// Which ports the station's sources name, and the wake-ups when devices come and go.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "core/link/CableSerial.h"
#include "core/link/DeviceIdentity.h"
#include "core/link/DeviceWatch.h"
#include "core/transfer/StationSources.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

namespace fs = std::filesystem;

TEST(StationSourcesTest, FoldersGiveTheirDevicesNumbersAndDevicesStayWhenMissing) {
  test::TempDir dir;
  fs::create_directories(dir.path() / "by-id");
  fs::create_symlink("/dev/null", dir.path() / "by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
  fs::create_symlink("/dev/zero", dir.path() / "by-id/usb-Prolific_PL2303_B1-if00-port0");
  fs::create_symlink(dir.file("gone"), dir.path() / "by-id/usb-Gone_Cable_C1-if00-port0");  // dangling
  dir.write("by-id/notes.txt", "not a device");
  dir.write("setting.ini", "[ports]\nenumerate=0\n3=/dev/null\n");
  const std::vector<StationSource> sources = {{StationSource::Kind::Folder, 0, dir.file("by-id")},
                                              {StationSource::Kind::Port, 3, {}},
                                              {StationSource::Kind::Port, 4, {}},
                                              {StationSource::Kind::Device, 0, dir.file("no-such-device")}};
  const std::vector<SourcePort> ports = ScanSources(sources, dir.file("setting.ini"));
  ASSERT_EQ(ports.size(), 5u);
  EXPECT_EQ(ports[0].device, dir.file("by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
  EXPECT_EQ(ports[1].device, dir.file("by-id/usb-Prolific_PL2303_B1-if00-port0"));
  EXPECT_FALSE(ports[0].fixed);
  EXPECT_EQ(ports[2].name, "COM3");
  EXPECT_EQ(ports[2].device, "/dev/null");
  EXPECT_EQ(ports[3].name, "COM4");
  EXPECT_EQ(ports[3].device, "");  // named by the user: listed though nothing is there
  EXPECT_TRUE(ports[4].fixed);
  EXPECT_EQ(ports[4].device, "");
  EXPECT_EQ(SourceFolders(sources, dir.file("setting.ini")),
            (std::vector<std::string>{dir.file("by-id"), "/dev", dir.path().string()}));

  // The cable's serial number from a stable name where the system knows none.
  EXPECT_EQ(link::CableSerialNumber(ports[0].device), "A50285BI");
  EXPECT_EQ(link::SerialFromStableName("usb-1a86_USB_Serial-if00-port0"), "Serial");
  EXPECT_EQ(link::SerialFromStableName("pci-0000:00:14.0-usb-0:2:1.0-port0"), "");
  EXPECT_EQ(link::CableSerialNumber("/dev/null"), "");

  // A link made again under its name is another device.
  const std::string link = dir.file("by-id/usb-Prolific_PL2303_B1-if00-port0");
  const std::string before = link::DeviceIdentity(link);
  fs::remove(link);
  fs::create_symlink("/dev/zero", dir.file("spare"));
  fs::create_symlink("/dev/zero", link);
  EXPECT_NE(link::DeviceIdentity(link), before);
  EXPECT_EQ(link::DeviceIdentity(dir.file("gone")), "");
}

TEST(StationSourcesTest, AWatchWakesWhenADeviceComesOrGoesEvenInAFolderNotMadeYet) {
  test::TempDir dir;
  const std::string folder = dir.file("serial/by-id");
  link::DeviceWatch watch({folder});
  EXPECT_FALSE(watch.Wait(50));  // nothing happened
  std::thread maker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    fs::create_directories(folder);
  });
  EXPECT_TRUE(watch.Wait(10000));
  maker.join();
  while (watch.Wait(50)) {
  }  // the rest of the folder's making
  fs::create_symlink("/dev/null", folder + "/usb-A_B_C-if00-port0");
  EXPECT_TRUE(watch.Wait(10000));
  fs::remove(folder + "/usb-A_B_C-if00-port0");
  EXPECT_TRUE(watch.Wait(10000));
  watch.Wake();
  EXPECT_TRUE(watch.Wait(10000));
  EXPECT_FALSE(watch.Wait(50));
}

}  // namespace
}  // namespace qorrin
