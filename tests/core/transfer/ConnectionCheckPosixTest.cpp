// The whole connection check against a prepared root and the scripted radio on a memory
// port: the line is talked to only once the device is there, may be opened and is free.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "core/link/MemoryRadio.h"
#include "core/transfer/ConnectionCheck.h"
#include "core/transfer/PreparedRoot.h"

namespace qorrin::test {
namespace {

struct CheckBench {
  PreparedRoot root;
  MemoryRadio radio;
  std::shared_ptr<MemoryLinkPort> port = radio.Port();
  std::atomic<CheckStep> step{CheckStep::Device};

  CheckBench() {
    root.AddUsbCable(1, "ttyUSB0", "1a86", "7523", "");
    root.AddUsbCable(2, "", "0403", "6001", "", false);  // a cable that got no device
    root.Mode("/dev/ttyUSB0", 0660);
    root.File("/etc/settings.ini", "[ports]\nenumerate=0\n4=/dev/ttyUSB0\n");
  }
  CheckRequest Request(const std::string& device, int port = 0) {
    CheckRequest request;
    request.device = device;
    request.port = port;
    request.settingsPath = root.Path("/etc/settings.ini");
    request.langFile = std::string(QORRIN_DATA_DIR) + "/english.lang";
    request.host = root.Host();
    request.host.groups.push_back(PreparedRoot::FileGroup());
    request.step = &step;
    return request;
  }
  CheckReport Check(const CheckRequest& request) {
    step = CheckStep::Device;
    const CheckReport report = CheckConnection(*port, request);
    EXPECT_EQ(step.load(), CheckStep::Done);
    return report;
  }
  bool TalkedToTheLine() const { return !port->Events().empty(); }
};

// A device that is there, may be opened and is free: the radio on it is identified. A
// port number is checked as the device it names.
TEST(ConnectionCheck, TheLineIsTalkedToOnceTheDeviceIsThereAndMayBeHad) {
  CheckBench bench;
  const CheckReport report = bench.Check(bench.Request("/dev/ttyUSB0"));
  EXPECT_EQ(report.device, "/dev/ttyUSB0");
  EXPECT_EQ(report.verdict, CheckVerdict::Identified);
  EXPECT_TRUE(report.Has("IDS_CHECK_DEVICE_OK"));
  EXPECT_TRUE(report.Has("IDS_CHECK_FREE"));
  EXPECT_TRUE(report.Has("IDS_CHECK_SERVICES_OK"));
  EXPECT_TRUE(report.Has("IDS_CHECK_LINE_UNKNOWN_RANGE"));  // no models given
  EXPECT_EQ(bench.port->Device(), bench.root.Path("/dev/ttyUSB0"));

  CheckBench numbered;
  const CheckReport byNumber = numbered.Check(numbered.Request("", 4));
  EXPECT_EQ(byNumber.device, "/dev/ttyUSB0");
  EXPECT_EQ(byNumber.verdict, CheckVerdict::Identified);
}

// A number that names no device, a device that is missing, one the user may not open, one
// another program holds: the check ends before the line, with the finding that says why.
TEST(ConnectionCheck, NoLineWhereTheDeviceCannotBeHad) {
  CheckBench unnamed;
  const CheckReport noDevice = unnamed.Check(unnamed.Request("", 5));
  EXPECT_EQ(noDevice.device, "");
  EXPECT_TRUE(noDevice.Has("IDS_CHECK_PORT_UNNAMED"));
  EXPECT_FALSE(unnamed.TalkedToTheLine());

  CheckBench missing;
  const CheckReport gone = missing.Check(missing.Request("/dev/ttyUSB3"));
  EXPECT_TRUE(gone.Has("IDS_CHECK_DEVICE_MISSING"));
  EXPECT_TRUE(gone.Has("IDS_CHECK_CABLE_NO_DEVICE"));
  EXPECT_FALSE(missing.TalkedToTheLine());

  CheckBench denied;
  denied.root.Mode("/dev/ttyUSB0", 0600);
  const CheckReport refused = denied.Check(denied.Request("/dev/ttyUSB0"));
  EXPECT_TRUE(refused.Has("IDS_CHECK_ACCESS_OWNER_ONLY"));
  EXPECT_EQ(refused.verdict, CheckVerdict::NoRadio);
  EXPECT_FALSE(denied.TalkedToTheLine());

  CheckBench held;
  held.root.AddProcess(314, "minicom", {"/dev/ttyUSB0"});
  const CheckReport busy = held.Check(held.Request("/dev/ttyUSB0"));
  EXPECT_TRUE(busy.Has("IDS_CHECK_HELD_TERMINAL"));
  EXPECT_TRUE(busy.Has("IDS_CHECK_SERVICES_OK"));
  EXPECT_FALSE(held.TalkedToTheLine());
}

}  // namespace
}  // namespace qorrin::test
