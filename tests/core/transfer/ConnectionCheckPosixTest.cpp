// The whole connection check against a prepared root and the scripted radio on a memory port.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
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
    root.File("/etc/settings.ini", "[ports]\nenumerate=0\n");
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

// A device that is there, may be opened and is free: its radio is identified.
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
}

// A device that cannot be had ends the check before the line, with the finding that says why.
TEST(ConnectionCheck, NoLineWhereTheDeviceCannotBeHad) {
  const struct Case {
    const char* device;
    int port;
    std::function<void(PreparedRoot&)> spoil;
    std::vector<std::string> findings;
  } cases[] = {
      {"", 5, [](PreparedRoot&) {}, {"IDS_CHECK_PORT_UNNAMED"}},  // a number that names no device
      {"/dev/ttyUSB3", 0, [](PreparedRoot&) {}, {"IDS_CHECK_DEVICE_MISSING", "IDS_CHECK_CABLE_NO_DEVICE"}},
      {"/dev/ttyUSB0", 0, [](PreparedRoot& root) { root.Mode("/dev/ttyUSB0", 0600); },
       {"IDS_CHECK_ACCESS_OWNER_ONLY"}},
      {"/dev/ttyUSB0", 0, [](PreparedRoot& root) { root.AddProcess(314, "minicom", {"/dev/ttyUSB0"}); },
       {"IDS_CHECK_HELD_TERMINAL", "IDS_CHECK_SERVICES_OK"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.findings.front());
    CheckBench bench;
    c.spoil(bench.root);
    const CheckReport report = bench.Check(bench.Request(c.device, c.port));
    for (const std::string& key : c.findings) EXPECT_TRUE(report.Has(key)) << key;
    EXPECT_EQ(report.verdict, CheckVerdict::NoRadio);
    EXPECT_TRUE(c.port == 0 || report.device.empty()) << report.device;
    EXPECT_FALSE(bench.TalkedToTheLine());
  }
}

}  // namespace
}  // namespace qorrin::test
