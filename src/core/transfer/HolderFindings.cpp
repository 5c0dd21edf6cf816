#include "core/transfer/HolderFindings.h"

#include <algorithm>
#include <cstdlib>

namespace qorrin {
namespace {

constexpr char kPtyFolder[] = "/dev/pts/";

// Programs that people open a serial line with by hand.
constexpr const char* kTerminalPrograms[] = {"minicom", "picocom", "microcom", "tio",    "screen",  "cu",
                                             "tip",     "kermit",  "gtkterm",  "cutecom", "moserial", "putty",
                                             "socat"};

bool IsOneOf(const std::string& name, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

bool IsTerminalProgram(const std::string& name) {
  return std::any_of(std::begin(kTerminalPrograms), std::end(kTerminalPrograms),
                     [&](const char* n) { return name == n; });
}

// For a pseudo-terminal, the program that holds its far end is the device itself (the
// simulated radio, say), not a competitor for the line.
bool HoldsFarEnd(const ProcessInfo& process, const std::string& device) {
  if (device.rfind(kPtyFolder, 0) != 0) return false;
  const std::string number = device.substr(sizeof kPtyFolder - 1);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return false;
  const int index = std::atoi(number.c_str());
  return std::find(process.ptyMasters.begin(), process.ptyMasters.end(), index) != process.ptyMasters.end();
}

CheckFinding HolderFinding(const ProcessInfo& process, const std::string& device, const CheckTexts& texts) {
  const std::vector<std::string> values = {device, process.name, std::to_string(process.pid)};
  const char* key = "IDS_CHECK_HELD_OTHER";
  if (process.name == "ModemManager") {
    key = "IDS_CHECK_HELD_MODEMMANAGER";
  } else if (process.name == "brltty") {
    key = "IDS_CHECK_HELD_BRLTTY";
  } else if (IsOneOf(process.name, {"qorrin", "qorrin-cli"})) {
    key = "IDS_CHECK_HELD_QORRIN";
  } else if (IsTerminalProgram(process.name)) {
    key = "IDS_CHECK_HELD_TERMINAL";
  }
  return texts.Finding(CheckStatus::Problem, key, std::string(key) + "_FIX", values);
}

}  // namespace

bool CheckHolders(const CheckHost& host, const std::string& device, const std::vector<ProcessInfo>& processes,
                  const CheckTexts& texts, CheckReport& report) {
  const std::string resolved = host.ResolveDevice(device);
  bool held = false;
  for (const ProcessInfo& process : processes) {
    if (process.pid == host.pid || HoldsFarEnd(process, resolved)) continue;
    if (std::find(process.files.begin(), process.files.end(), resolved) == process.files.end()) continue;
    report.findings.push_back(HolderFinding(process, device, texts));
    held = true;
  }
  if (held) return false;
  // No one we may see holds it; one we may not see (another user's program), or one that
  // locked it, still makes it busy.
  const OpenProbe probe = ProbeExclusiveOpen(host.InRoot(resolved));
  if (probe == OpenProbe::Busy) {
    report.findings.push_back(
        texts.Finding(CheckStatus::Problem, "IDS_CHECK_HELD_UNKNOWN", "IDS_CHECK_HELD_UNKNOWN_FIX", {device}));
    return false;
  }
  // "Free" only where we could tell: the device opened, or every process was looked into.
  const bool sawAll = std::all_of(processes.begin(), processes.end(), [](const ProcessInfo& p) { return p.lookedInto; });
  if (probe == OpenProbe::Free || sawAll) {
    report.findings.push_back(texts.Finding(CheckStatus::Ok, "IDS_CHECK_FREE", "", {device}));
  }
  return true;
}

}  // namespace qorrin
