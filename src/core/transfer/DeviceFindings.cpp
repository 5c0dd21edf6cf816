#include "core/transfer/DeviceFindings.h"

#include <algorithm>

#include "core/link/PortNames.h"
#include "core/settings/TextCase.h"

namespace qorrin {
namespace {

constexpr char kStableFolder[] = "/dev/serial/by-id/";

std::vector<std::string> Listing(const std::vector<link::SerialDevice>& present, const CheckTexts& texts) {
  std::vector<std::string> lines;
  for (const auto& device : present) lines.push_back(texts.DeviceLine(device));
  return lines;
}

const char* MissingFix(const std::vector<link::SerialDevice>& present) {
  return present.empty() ? "IDS_CHECK_NO_DEVICES_FIX" : "IDS_CHECK_DEVICE_MISSING_FIX";
}

bool ContainsNoCase(const std::string& text, std::string_view word) {
  if (word.size() > text.size()) return false;
  for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
    if (EqualNoCase(std::string_view(text).substr(at, word.size()), word)) return true;
  }
  return false;
}

}  // namespace

bool IsRefusedProlific(const std::string& deviceManagerName) {
  return ContainsNoCase(deviceManagerName, "PHASED OUT") || ContainsNoCase(deviceManagerName, "CONTACT YOUR SUPPLIER");
}

bool CheckDevicePresent(const CheckHost& host, const std::string& device,
                        const std::vector<link::SerialDevice>& present, const CheckTexts& texts, CheckReport& report) {
  if (!DeviceExists(host, device, present)) {
    const bool pinned = device.rfind(kStableFolder, 0) == 0;
    report.findings.push_back(texts.Finding(CheckStatus::Problem,
                                            pinned ? "IDS_CHECK_PINNED_MISSING" : "IDS_CHECK_DEVICE_MISSING",
                                            MissingFix(present), {device}, Listing(present, texts)));
    return false;
  }
  const std::string resolved = host.ResolveDevice(device);
  const auto it = std::find_if(present.begin(), present.end(), [&](const link::SerialDevice& d) {
    return d.path == resolved || d.path == device || (!d.stableName.empty() && d.stableName == device);
  });
  // The cable behind the device, where there is more to say than its name.
  // (or the device a link leads to).
  std::vector<std::string> details;
  if (it != present.end()) {
    std::string line = texts.DeviceLine(*it);
    if (line != device) details.push_back(std::move(line));
  } else if (resolved != device) {
    details.push_back(resolved);
  }
  report.findings.push_back(texts.Finding(CheckStatus::Ok, "IDS_CHECK_DEVICE_OK", "", {device}, details));
  if (it != present.end() && IsRefusedProlific(it->description)) {
    report.findings.push_back(
        texts.Finding(CheckStatus::Problem, "IDS_CHECK_PROLIFIC_REFUSED", "IDS_CHECK_PROLIFIC_REFUSED_FIX",
                      {device, it->description}));
  }
  return true;
}

void ReportPortWithoutDevice(const std::string& portLabel, const std::vector<link::SerialDevice>& present,
                             const CheckTexts& texts, CheckReport& report) {
  report.findings.push_back(texts.Finding(CheckStatus::Problem, "IDS_CHECK_PORT_UNNAMED", MissingFix(present),
                                          {portLabel}, Listing(present, texts)));
}

}  // namespace qorrin
