// qorrin-cli check [--port N | --device PATH]: the connection check on one port, or on
// every serial device of the machine, saying which one has the radio. Exit code 0 when our
// radio identified itself, 4 when another radio answered, 3 otherwise (130 interrupted).
#include "cli/CheckCommand.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "core/link/CSerialPort.h"
#include "core/link/PortNames.h"
#include "core/settings/AppPaths.h"
#include "core/transfer/CheckTexts.h"
#include "core/transfer/ConnectionCheck.h"

namespace qorrin::cli {
namespace {

struct CheckOptions {
  int port = 0;
  std::string device;
};

std::atomic<bool> g_cancel{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");
extern "C" void OnCheckInterrupt(int) { g_cancel.store(true); }

// Ctrl+C ends the check at its next entry attempt; a radio that has answered is first
// sent back to its normal work.
class CancelOnInterrupt {
 public:
  CancelOnInterrupt() : m_previous(std::signal(SIGINT, OnCheckInterrupt)) {}
  ~CancelOnInterrupt() { std::signal(SIGINT, m_previous); }
  CancelOnInterrupt(const CancelOnInterrupt&) = delete;
  CancelOnInterrupt& operator=(const CancelOnInterrupt&) = delete;

 private:
  void (*m_previous)(int);
};

void PrintReport(const CheckReport& report, const CheckTexts& texts) {
  for (const CheckFinding& finding : report.findings) {
    const std::string word = "[" + texts.StatusWord(finding.status) + "]";
    std::string line = finding.text;
    if (!finding.fix.empty()) line += " " + texts.FixLine(finding.fix);
    std::printf("  %-10s %s\n", word.c_str(), line.c_str());
    for (const std::string& detail : finding.details) std::printf("  %-10s   %s\n", "", detail.c_str());
  }
}

int ExitCodeOf(CheckVerdict verdict) {
  switch (verdict) {
    case CheckVerdict::Identified: return kExitOk;
    case CheckVerdict::OtherRadio: return kExitWrongRadio;
    case CheckVerdict::NoRadio: break;
  }
  return kExitPort;
}

std::string Where(const std::string& label, const std::string& device) {
  if (label.empty()) return device;
  return device.empty() ? label : label + " (" + device + ")";
}

int RunCheck(CliContext& ctx, const CheckOptions& options) {
  if (!ctx.ApplyPaths()) return kExitFile;
  // The command line speaks English, whatever language the window was set to.
  const std::string english = g_strAppDir + "/english.lang";
  const CheckTexts texts(english);
  CheckRequest request;
  request.settingsPath = g_strIniFile;
  request.langFile = english;
  request.models = ModelTable::Load();
  request.cancel = &g_cancel;
  CancelOnInterrupt interrupt;
  CSerialPort port;

  struct Target {
    std::string label;
    int port = 0;
    std::string device;
  };
  std::vector<Target> targets;
  const bool everyDevice = options.port == 0 && options.device.empty();
  if (!everyDevice) {
    targets.push_back({options.port > 0 ? link::PortLabel(options.port) : std::string(), options.port, options.device});
  } else {
    for (const auto& listed : link::ListPorts(g_strIniFile)) {
      targets.push_back({link::PortLabel(listed.number), listed.number, listed.device});
    }
  }
  if (targets.empty()) {
    std::fprintf(stderr, "qorrin-cli: no serial device found; plug the cable in, or name one with --device\n");
    return kExitPort;
  }

  std::vector<std::string> radios, otherRadios;
  CheckVerdict best = CheckVerdict::NoRadio;
  for (const Target& target : targets) {
    if (g_cancel.load()) break;
    request.port = target.port;
    request.device = target.device;
    const CheckReport report = CheckConnection(port, request);
    std::printf("%s\n", Where(target.label, report.device).c_str());
    PrintReport(report, texts);
    const std::string where = Where(target.label, report.device);
    if (report.verdict == CheckVerdict::Identified) {
      radios.push_back(where + (report.rangeText.empty() ? std::string() : ", " + report.rangeText));
      best = CheckVerdict::Identified;
    } else if (report.verdict == CheckVerdict::OtherRadio) {
      otherRadios.push_back(where);
      if (best == CheckVerdict::NoRadio) best = CheckVerdict::OtherRadio;
    }
  }
  std::fflush(stdout);
  if (g_cancel.load()) {
    std::fprintf(stderr, "qorrin-cli: check interrupted\n");
    return kExitInterrupted;
  }
  if (everyDevice) {
    for (const auto& radio : radios) std::fprintf(stderr, "qorrin-cli: the radio is on %s\n", radio.c_str());
    for (const auto& other : otherRadios) std::fprintf(stderr, "qorrin-cli: another radio answered on %s\n", other.c_str());
    if (radios.empty() && otherRadios.empty()) {
      std::fprintf(stderr, "qorrin-cli: no radio answered on any of the %zu serial devices\n", targets.size());
    }
  }
  return ExitCodeOf(best);
}

}  // namespace

void RegisterCheckCommand(CLI::App& app, CliContext& ctx) {
  auto options = std::make_shared<CheckOptions>();
  auto* check = app.add_subcommand("check", "why the radio does not answer: each finding with its fix");
  auto* port = check->add_option("--port", options->port, "check port number N (COMN); without a port: every serial device")
                   ->check(CLI::Range(1, link::kHighestPortNumber));
  auto* device = check->add_option("--device", options->device, "check this serial device");
  port->excludes(device);
  check->callback([&ctx, options] { ctx.exitCode = RunCheck(ctx, *options); });
}

}  // namespace qorrin::cli
