// The connection check's steps that read the system, against prepared root folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>

#include "core/link/PortNames.h"
#include "core/transfer/AccessFindings.h"
#include "core/transfer/DeviceFindings.h"
#include "core/transfer/HolderFindings.h"
#include "core/transfer/ProcessTable.h"
#include "core/transfer/ServiceFindings.h"
#include "core/transfer/PreparedRoot.h"

namespace qorrin::test {
namespace {

const CheckTexts& English() {
  static const CheckTexts texts(std::string(QORRIN_DATA_DIR) + "/english.lang");
  return texts;
}

std::vector<std::string> Keys(const CheckReport& report) {
  std::vector<std::string> keys;
  for (const auto& finding : report.findings) keys.push_back(finding.textKey);
  return keys;
}

CheckFinding Only(const CheckReport& report) {
  EXPECT_EQ(report.findings.size(), 1u);
  return report.findings.empty() ? CheckFinding{} : report.findings.front();
}

// A missing device lists the cables there (USB first); a stable name leading nowhere is unplugged.
TEST(CheckDevice, MissingDeviceListsTheCablesPresentAndTheirStableNames) {
  PreparedRoot root;
  root.AddUsbCable(1, "ttyUSB1", "1a86", "7523", "");
  root.AddUsbCable(2, "ttyUSB0", "0403", "6001", "A10KXYZ");
  const CheckHost host = root.Host();
  const auto present = PresentSerialDevices(host);
  ASSERT_EQ(present.size(), 2u);
  EXPECT_EQ(present[0].path, "/dev/ttyUSB0");
  EXPECT_EQ(present[0].stableName, "/dev/serial/by-id/usb-0403_6001_A10KXYZ-if00-port0");
  std::vector<link::SerialDevice> devices = present;
  auto check = [&](const std::string& device, bool found) {
    CheckReport report;
    EXPECT_EQ(CheckDevicePresent(host, device, devices, English(), report), found) << device;
    return report;
  };
  const std::string ftdi =
      "/dev/ttyUSB0: FTDI FT232R (0403:6001), serial number A10KXYZ, " + devices[0].stableName;
  const CheckFinding missing = Only(check("/dev/ttyUSB3", false));
  EXPECT_EQ(missing.status, CheckStatus::Problem);
  EXPECT_EQ(missing.text, "The device /dev/ttyUSB3 does not exist.");
  EXPECT_EQ(missing.fixKey, "IDS_CHECK_DEVICE_MISSING_FIX");
  EXPECT_EQ(missing.details, (std::vector<std::string>{ftdi, "/dev/ttyUSB1: WCH CH340 (1a86:7523), "
                                                             "/dev/serial/by-id/usb-1a86_7523_none-if00-port0"}));

  // Pinned by its stable name: found through the link, and named with its cable.
  const CheckFinding pinned = Only(check(present[0].stableName, true));
  EXPECT_EQ(pinned.textKey, "IDS_CHECK_DEVICE_OK");
  EXPECT_EQ(pinned.details, std::vector<std::string>{ftdi});
  // A device that is no cable is named as it is; reached through a link, with where it leads.
  root.File("/dev/ttyS0");
  root.Link("/dev/modem", "ttyS0");
  EXPECT_TRUE(Only(check("/dev/ttyS0", true)).details.empty());
  EXPECT_EQ(Only(check("/dev/modem", true)).details, std::vector<std::string>{"/dev/ttyS0"});
  EXPECT_EQ(Only(check("/dev/serial/by-id/usb-067b_2303_X-if00-port0", false)).textKey,
            "IDS_CHECK_PINNED_MISSING");

  // The name Windows' Device Manager gives a port whose Prolific driver refuses the chip.
  devices[0].description = "Prolific USB-to-Serial Comm Port (COM4) PHASED OUT SINCE 2012. PLEASE CONTACT YOUR SUPPLIER.";
  const CheckReport prolific = check("/dev/ttyUSB0", true);
  EXPECT_EQ(Keys(prolific), (std::vector<std::string>{"IDS_CHECK_DEVICE_OK", "IDS_CHECK_PROLIFIC_REFUSED"}));
  EXPECT_EQ(prolific.findings[1].status, CheckStatus::Problem);

  // No serial device at all: the fix says so instead of offering an empty list.
  PreparedRoot bare;
  CheckReport nothing;
  ReportPortWithoutDevice("COM3", PresentSerialDevices(bare.Host()), English(), nothing);
  EXPECT_EQ(Only(nothing).text, "COM3 names no serial device on this computer.");
  EXPECT_EQ(Only(nothing).fixKey, "IDS_CHECK_NO_DEVICES_FIX");
  EXPECT_TRUE(Only(nothing).details.empty());
}

// A [ports] entry naming a cable by its stable name finds the device behind it, no other.
TEST(CheckDevice, PinnedEntriesFindTheirCable) {
  PreparedRoot root;
  root.AddUsbCable(1, "ttyUSB0", "0403", "6001", "A1");
  root.AddUsbCable(2, "ttyUSB1", "0403", "6001", "B2");
  const auto devices = link::EnumerateSerialDevices(root.Path("/sys/class/tty"), root.Path("/dev"));
  ASSERT_EQ(devices.size(), 2u);
  const std::string pinned = root.Path("/dev/serial/by-id/usb-0403_6001_B2-if00-port0");
  EXPECT_EQ(devices[1].stableName, pinned);
  EXPECT_FALSE(link::NamesDevice(pinned, devices[0]));
  EXPECT_TRUE(link::NamesDevice(pinned, devices[1]));
  EXPECT_TRUE(link::NamesDevice(devices[1].path, devices[1]));
  EXPECT_FALSE(link::NamesDevice("", devices[1]));
}

// A cable on the bus without a tty is brltty's doing only where it is installed and claims the chip.
TEST(CheckDevice, CableWithoutDeviceIsBlamedOnBrlttyOnlyWhereItCouldBe) {
  PreparedRoot root;
  root.AddUsbCable(1, "ttyUSB0", "1a86", "7523", "", true);
  root.AddUsbCable(2, "", "1a86", "7523", "", false);
  root.AddUsbCable(3, "", "067b", "2303", "", false);
  root.AddUsbCable(4, "", "046d", "c52b", "", false);  // a mouse receiver, no cable
  const CheckHost host = root.Host();
  const auto present = PresentSerialDevices(host);
  CheckReport without;
  CheckCablesWithoutDevice(host, present, English(), without);
  EXPECT_EQ(Keys(without), (std::vector<std::string>{"IDS_CHECK_CABLE_NO_DEVICE", "IDS_CHECK_CABLE_NO_DEVICE"}));

  // Of one maker's two chips, only the one without a device is reported.
  PreparedRoot ftdi;
  ftdi.AddUsbCable(1, "ttyUSB0", "0403", "6001", "A1");
  ftdi.AddUsbCable(2, "", "0403", "6015", "B2", false);
  CheckReport one;
  CheckCablesWithoutDevice(ftdi.Host(), PresentSerialDevices(ftdi.Host()), English(), one);
  ASSERT_EQ(one.findings.size(), 1u);
  EXPECT_EQ(one.findings[0].text.find("FT232R"), std::string::npos) << one.findings[0].text;

  root.File("/usr/bin/brltty");
  CheckReport taken;
  CheckCablesWithoutDevice(host, present, English(), taken);
  ASSERT_EQ(taken.findings.size(), 2u);
  std::vector<std::string> texts = {taken.findings[0].text, taken.findings[1].text};
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts[0], "A Prolific PL2303 cable is plugged in but has no serial device.");
  EXPECT_EQ(texts[1], "A WCH CH340 cable is plugged in but has no serial device: the braille-display service "
                      "brltty has most likely taken it.");
}

// The device's group against the process's and the account files' groups: a member, one who
// joined after logging in, one who never joined, an owner-only device, the seat's access
// list. The running system's own access test: yes to a file we may use, no to a missing one.
TEST(CheckAccess, GroupMembershipOldLoginAndOwnerOnlyDevices) {
  PreparedRoot root;
  root.AddUsbCable(1, "ttyUSB0", "10c4", "ea60", "0001");
  root.Mode("/dev/ttyUSB0", 0660);
  const std::string gid = std::to_string(PreparedRoot::FileGroup());
  const std::string other = std::to_string(PreparedRoot::Stranger());
  root.File("/etc/group", "users:x:" + other + ":\ndialout:x:" + gid + ":alice,ham\n");
  root.File("/etc/passwd", "ham:x:1000:" + other + "::/home/ham:/bin/bash\nbob:x:1001:" + gid + "::/home/bob:/bin/sh\n");
  auto check = [&](const CheckHost& host, bool allowed, const std::string& device = "/dev/ttyUSB0") {
    CheckReport report;
    EXPECT_EQ(CheckAccess(host, device, English(), report), allowed) << host.userName;
    return Only(report);
  };

  CheckHost member = root.Host("ham");
  member.groups.push_back(PreparedRoot::FileGroup());
  EXPECT_EQ(check(member, true).text, "You may use /dev/ttyUSB0: you are in its group dialout.");
  EXPECT_EQ(check(root.Host("ham"), false).textKey, "IDS_CHECK_ACCESS_RELOGIN");
  EXPECT_EQ(check(root.Host("bob"), false).textKey, "IDS_CHECK_ACCESS_RELOGIN");  // bob's, by passwd

  const CheckFinding stranger = check(root.Host("carol"), false);
  EXPECT_EQ(stranger.text, "You (carol) are not in group dialout, whose members may use /dev/ttyUSB0.");
  EXPECT_EQ(stranger.fix, "Join the group: sudo usermod -aG dialout carol, then log out and in again.");
  // An account without a name is in no group by the account files.
  EXPECT_EQ(check(root.Host(""), false).textKey, "IDS_CHECK_ACCESS_GROUP");

  CheckHost seat = root.Host("carol");
  seat.grantsAccess = [&](const std::string& path) { return path == root.Path("/dev/ttyUSB0"); };
  EXPECT_EQ(check(seat, true, "/dev/serial/by-id/usb-10c4_ea60_0001-if00-port0").textKey,
            "IDS_CHECK_ACCESS_LIST");

  root.Mode("/dev/ttyUSB0", 0600);
  EXPECT_EQ(check(member, false).textKey, "IDS_CHECK_ACCESS_OWNER_ONLY");
  CheckHost owner = member;
  owner.uid = ::geteuid();
  EXPECT_EQ(check(owner, true).text, "You may use /dev/ttyUSB0 (group dialout).");

  const CheckHost self = CheckHost::ThisProcess();  // no mode bits: we may be root
  EXPECT_TRUE(self.grantsAccess(root.Path("/etc/group")));
  EXPECT_FALSE(self.grantsAccess(root.Path("/etc/missing")));
}

// Holders are named for what they are, but neither a pseudo-terminal's far end nor this
// process is a competitor; a device nobody visible holds but that is locked is in use.
TEST(CheckHolders, ProgramsAreNamedAndUnseenHoldersFoundByTheLock) {
  auto holders = [](const PreparedRoot& at, const std::string& device, bool free) {
    CheckReport report;
    EXPECT_EQ(CheckHolders(at.Host(), device, ReadProcesses(at.Host()), English(), report), free) << device;
    return report;
  };
  PreparedRoot root;
  root.AddUsbCable(1, "ttyUSB0", "067b", "2303", "");
  root.AddProcess(311, "ModemManager", {"/dev/null", "/dev/ttyUSB0"});
  root.AddProcess(312, "brltty", {"/dev/ttyUSB0"});
  root.AddProcess(313, "qorrin-cli", {"/dev/ttyUSB0"});
  root.AddProcess(314, "minicom", {"/dev/ttyUSB0"});
  root.AddProcess(315, "python3", {"/dev/ttyUSB0"});
  root.AddProcess(316, "bash", {"/dev/ttyUSB1", "/dev/pts/0"});
  root.AddProcess(1, "qorrin", {"/dev/ttyUSB0"});  // this process (the host's pid)
  const CheckReport held = holders(root, "/dev/serial/by-id/usb-067b_2303_none-if00-port0", false);
  std::vector<std::string> keys = Keys(held);
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::string>{"IDS_CHECK_HELD_BRLTTY", "IDS_CHECK_HELD_MODEMMANAGER",
                                            "IDS_CHECK_HELD_OTHER", "IDS_CHECK_HELD_QORRIN", "IDS_CHECK_HELD_TERMINAL"}));
  for (const auto& finding : held.findings) {
    EXPECT_EQ(finding.status, CheckStatus::Problem);
    EXPECT_FALSE(finding.fix.empty()) << finding.textKey;
  }

  // The simulated radio holds both ends of its pseudo-terminal: it is the device.
  PreparedRoot pty;
  pty.File("/dev/pts/0");
  pty.AddProcess(400, "qorrin-sim", {"/dev/ptmx", "/dev/pts/0"}, 0);
  pty.AddProcess(401, "screen", {"/dev/ptmx", "/dev/pts/0"}, 3);
  pty.AddClosedProcess(402, "ModemManager");
  EXPECT_EQ(Keys(holders(pty, "/dev/pts/0", false)), std::vector<std::string>{"IDS_CHECK_HELD_TERMINAL"});

  // Nobody we may see (this process, also as /proc/self, is nobody): free, until it is locked.
  PreparedRoot quiet;
  quiet.File("/dev/ttyS4");
  quiet.AddClosedProcess(500, "someone");
  quiet.AddProcess(1, "qorrin", {"/dev/ttyS4"});
  quiet.Link("/proc/self", "1");
  EXPECT_EQ(Only(holders(quiet, "/dev/ttyS4", true)).text, "No other program is using /dev/ttyS4.");
  const int lock = ::open(quiet.Path("/dev/ttyS4").c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_EQ(::flock(lock, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(Only(holders(quiet, "/dev/ttyS4", false)).text, "/dev/ttyS4 is in use by another program.");
  ::close(lock);

  // A device we may not even open, beside a process we may not look into: nothing to say.
  quiet.Folder("/dev/ttyS5");
  EXPECT_TRUE(holders(quiet, "/dev/ttyS5", true).findings.empty());
}

// Without standard input the trial open gets descriptor 0: it must take it for the device and close it.
TEST(CheckHolders, TheTrialOpenWorksWithoutStandardInput) {
  PreparedRoot root;
  root.File("/dev/ttyS4");
  const int saved = ::dup(0);
  ::close(0);
  const OpenProbe probe = ProbeExclusiveOpen(root.Path("/dev/ttyS4"));
  const int next = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (saved >= 0) {
    ::dup2(saved, 0);
    ::close(saved);
  }
  EXPECT_EQ(probe, OpenProbe::Free);
  EXPECT_EQ(next, 0) << "the trial open kept descriptor 0";
  if (next > 0) ::close(next);
}

// ModemManager meddles unless udev marked the cable, our rule installed but not applied is told
// apart; brltty beside a chip it claims is a warning; a device that is no cable fears neither.
TEST(CheckServices, ModemManagerAndBrlttyAgainstTheCable) {
  PreparedRoot root;
  root.AddUsbCable(1, "ttyUSB0", "1a86", "7523", "");
  root.AddUsbCable(2, "ttyUSB1", "0403", "6001", "FT1");
  root.File("/dev/ttyS0");
  const CheckHost host = root.Host();
  const auto present = PresentSerialDevices(host);
  auto check = [&](const std::string& device) {
    CheckReport report;
    CheckServices(host, device, present, ReadProcesses(host), English(), report);
    return report;
  };
  EXPECT_EQ(Only(check("/dev/ttyUSB0")).text, "No service interferes with /dev/ttyUSB0.");

  root.AddProcess(77, "ModemManager", {});
  EXPECT_EQ(Only(check("/dev/ttyUSB0")).textKey, "IDS_CHECK_MM_PROBES");
  // Rules for another cable, and a file that is no rules file, do not count.
  root.File("/etc/udev/rules.d/60-other.rules",
            "# another cable\nATTRS{idVendor}==\"0403\", ATTRS{idProduct}==\"6015\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"\n");
  root.File("/etc/udev/rules.d/70-qorrin.rules.orig",
            "ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"\n");
  EXPECT_EQ(Only(check("/dev/ttyUSB0")).textKey, "IDS_CHECK_MM_PROBES");
  root.File("/lib/udev/rules.d/70-qorrin-cables.rules",
            ReadFileBytes(std::string(QORRIN_DATA_DIR) + "/../packaging/70-qorrin-cables.rules"));
  EXPECT_EQ(Only(check("/dev/ttyUSB0")).textKey, "IDS_CHECK_MM_RULE_NOT_APPLIED");
  root.File("/run/udev/data/c188:1", "E:ID_VENDOR_ID=1a86\nE:ID_MM_DEVICE_IGNORE=1\nG:uaccess\n");
  EXPECT_EQ(Only(check("/dev/ttyUSB0")).textKey, "IDS_CHECK_SERVICES_OK");
  EXPECT_EQ(Only(check("/dev/ttyUSB1")).textKey, "IDS_CHECK_MM_RULE_NOT_APPLIED");  // rule, but not for 188:2 yet

  root.File("/usr/sbin/brltty");
  const CheckReport brltty = check("/dev/ttyUSB0");
  EXPECT_EQ(Only(brltty).status, CheckStatus::Warning);
  EXPECT_EQ(Only(brltty).text, "The braille-display service brltty is installed: it takes WCH CH340 cables, and the "
                               "port can vanish right after the cable is plugged in.");
  EXPECT_TRUE(check("/dev/ttyS0").findings.empty());

  std::filesystem::remove(root.Path("/sys/class/tty/ttyUSB0/dev"));  // its number unknown: not marked
  EXPECT_EQ(Keys(check("/dev/ttyUSB0")),
            (std::vector<std::string>{"IDS_CHECK_MM_RULE_NOT_APPLIED", "IDS_CHECK_BRLTTY_INSTALLED"}));
}

}  // namespace
}  // namespace qorrin::test
