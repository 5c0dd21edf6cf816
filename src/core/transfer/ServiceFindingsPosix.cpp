#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/link/CableChips.h"
#include "core/settings/TextCase.h"
#include "core/transfer/ServiceFindings.h"

namespace fs = std::filesystem;

namespace qorrin {
namespace {

// Where udev reads its rules from, the administrator's first.
constexpr const char* kRuleFolders[] = {"/etc/udev/rules.d", "/run/udev/rules.d", "/lib/udev/rules.d",
                                        "/usr/lib/udev/rules.d", "/usr/local/lib/udev/rules.d"};
constexpr const char* kBrlttyPrograms[] = {"/usr/bin/brltty", "/bin/brltty", "/usr/sbin/brltty", "/sbin/brltty"};
constexpr char kIgnoreProperty[] = "ID_MM_DEVICE_IGNORE";

std::string FirstLine(const std::string& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.pop_back();
  return line;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), LowerAscii);
  return text;
}

// Whether udev gave the device the property that makes ModemManager pass it by: its
// database entry, under the device's major and minor number.
bool MarkedForModemManager(const CheckHost& host, const std::string& name) {
  const std::string number = FirstLine(host.InRoot("/sys/class/tty/" + name + "/dev"));
  if (number.empty()) return false;
  std::ifstream data(host.InRoot("/run/udev/data/c" + number));
  std::string line;
  while (std::getline(data, line)) {
    if (line == std::string("E:") + kIgnoreProperty + "=1") return true;
  }
  return false;
}

// Whether a rule that tells ModemManager to leave this cable alone is installed.
bool IgnoreRuleInstalled(const CheckHost& host, const link::SerialDevice& cable) {
  const std::string vendor = "\"" + Lower(cable.vendorId) + "\"";
  const std::string product = "\"" + Lower(cable.productId) + "\"";
  for (const char* folder : kRuleFolders) {
    std::error_code ec;
    for (fs::directory_iterator it(host.InRoot(folder), ec), end; !ec && it != end; it.increment(ec)) {
      if (it->path().extension() != ".rules") continue;
      std::ifstream rules(it->path());
      std::string line;
      while (std::getline(rules, line)) {
        const std::string lower = Lower(line);
        if (Contains(line, kIgnoreProperty) && Contains(lower, "idvendor}==" + vendor) &&
            Contains(lower, "idproduct}==" + product)) {
          return true;
        }
      }
    }
  }
  return false;
}

bool BrlttyInstalled(const CheckHost& host) {
  return std::any_of(std::begin(kBrlttyPrograms), std::end(kBrlttyPrograms), [&](const char* program) {
    std::error_code ec;
    return fs::exists(host.InRoot(program), ec);
  });
}

struct UsbChip {
  std::string vendorId;
  std::string productId;
};

// The USB devices plugged in now (interfaces and hubs without ids left out).
std::vector<UsbChip> PluggedUsbDevices(const CheckHost& host) {
  std::vector<UsbChip> chips;
  std::error_code ec;
  for (fs::directory_iterator it(host.InRoot("/sys/bus/usb/devices"), ec), end; !ec && it != end; it.increment(ec)) {
    UsbChip chip{FirstLine((it->path() / "idVendor").string()), FirstLine((it->path() / "idProduct").string())};
    if (!chip.vendorId.empty()) chips.push_back(std::move(chip));
  }
  return chips;
}

void ModemManagerFinding(const CheckHost& host, const std::string& device, const link::SerialDevice& cable,
                         const std::vector<ProcessInfo>& processes, const CheckTexts& texts, CheckReport& report,
                         bool& spoke) {
  if (!IsRunning(processes, "ModemManager") || MarkedForModemManager(host, cable.name)) return;
  spoke = true;
  if (IgnoreRuleInstalled(host, cable)) {
    report.findings.push_back(texts.Finding(CheckStatus::Warning, "IDS_CHECK_MM_RULE_NOT_APPLIED",
                                            "IDS_CHECK_MM_RULE_NOT_APPLIED_FIX", {device}));
  } else {
    report.findings.push_back(
        texts.Finding(CheckStatus::Warning, "IDS_CHECK_MM_PROBES", "IDS_CHECK_MM_PROBES_FIX", {device}));
  }
}

void BrlttyFinding(const CheckHost& host, const CheckTexts& texts, CheckReport& report, bool& spoke) {
  if (!BrlttyInstalled(host)) return;
  for (const UsbChip& chip : PluggedUsbDevices(host)) {
    if (!link::IsBrailleClaimedChip(chip.vendorId, chip.productId)) continue;
    spoke = true;
    report.findings.push_back(texts.Finding(CheckStatus::Warning, "IDS_CHECK_BRLTTY_INSTALLED",
                                            "IDS_CHECK_BRLTTY_FIX",
                                            {link::ChipName(chip.vendorId, chip.productId)}));
    return;
  }
}

}  // namespace

void CheckServices(const CheckHost& host, const std::string& device, const std::vector<link::SerialDevice>& present,
                   const std::vector<ProcessInfo>& processes, const CheckTexts& texts, CheckReport& report) {
  const std::string resolved = host.ResolveDevice(device);
  const auto cable = std::find_if(present.begin(), present.end(),
                                  [&](const link::SerialDevice& d) { return d.path == resolved && !d.vendorId.empty(); });
  if (cable == present.end()) return;
  bool spoke = false;
  ModemManagerFinding(host, device, *cable, processes, texts, report, spoke);
  BrlttyFinding(host, texts, report, spoke);
  if (!spoke) report.findings.push_back(texts.Finding(CheckStatus::Ok, "IDS_CHECK_SERVICES_OK", "", {device}));
}

// Cables of the usual chips, counted on the bus and among the serial devices: one more on
// the bus is a cable without a device.
void CheckCablesWithoutDevice(const CheckHost& host, const std::vector<link::SerialDevice>& present,
                              const CheckTexts& texts, CheckReport& report) {
  const std::vector<UsbChip> plugged = PluggedUsbDevices(host);
  const bool brltty = BrlttyInstalled(host);
  std::vector<std::string> reported;
  for (const UsbChip& chip : plugged) {
    const std::string name = link::ChipName(chip.vendorId, chip.productId);
    if (name.empty() || std::find(reported.begin(), reported.end(), name) != reported.end()) continue;
    const auto same = [&](const auto& other) {
      return EqualNoCase(other.vendorId, chip.vendorId) && EqualNoCase(other.productId, chip.productId);
    };
    if (std::count_if(plugged.begin(), plugged.end(), same) <= std::count_if(present.begin(), present.end(), same)) {
      continue;
    }
    reported.push_back(name);
    const bool taken = brltty && link::IsBrailleClaimedChip(chip.vendorId, chip.productId);
    report.findings.push_back(texts.Finding(CheckStatus::Problem,
                                            taken ? "IDS_CHECK_BRLTTY_TOOK" : "IDS_CHECK_CABLE_NO_DEVICE",
                                            taken ? "IDS_CHECK_BRLTTY_FIX" : "IDS_CHECK_CABLE_NO_DEVICE_FIX", {name}));
  }
}

}  // namespace qorrin
