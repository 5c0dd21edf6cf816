#include "cli/StationCommand.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/LinkOutcome.h"
#include "cli/ProjectFileAccess.h"
#include "cli/RunWaiter.h"
#include "cli/StationScreen.h"
#include "core/link/LinkSettings.h"
#include "core/link/PortNames.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"
#include "core/transfer/Station.h"

namespace qorrin::cli {
namespace {

struct StationOptions {
  std::string file;
  std::vector<int> ports;
  std::vector<std::string> devices;
  std::vector<std::string> folders;
  bool allUsb = false;
  bool noVerify = false;
  std::string log;
  int count = 0;
};

void Tell(const std::string& line) { std::fprintf(stderr, "qorrin-cli: %s\n", line.c_str()); }

std::vector<StationSource> Sources(const StationOptions& options) {
  std::vector<StationSource> sources;
  for (int port : options.ports) sources.push_back({StationSource::Kind::Port, port, {}});
  for (const std::string& device : options.devices) sources.push_back({StationSource::Kind::Device, 0, device});
  for (const std::string& folder : options.folders) sources.push_back({StationSource::Kind::Folder, 0, folder});
  if (options.allUsb) sources.push_back({StationSource::Kind::AllUsb, 0, {}});
  // Nothing named: the configured port, as `write` uses it.
  if (sources.empty()) sources.push_back({StationSource::Kind::Port, link::ReadComPort(g_strIniFile), {}});
  return sources;
}

// The exit code of a radio that does not hold the plan, as a single `write` would give it.
int FailureCode(const StationRadio& radio) {
  switch (radio.result) {
    case RadioResult::Cancelled: return kExitInterrupted;
    case RadioResult::WrongModel: return kExitWrongRadio;
    case RadioResult::BackupFailed: return kExitFile;
    default: return kExitTransfer;
  }
}

// Remembers how the radios ended, for the exit code: 0 when every radio holds the plan;
// else 130 when a transfer was interrupted, else the code of the first radio that failed.
class Verdict : public IStationObserver {
 public:
  explicit Verdict(StationScreen& screen) : m_screen(screen) {}
  void OnPortChanged(const StationPortView& port) override { m_screen.OnPortChanged(port); }
  void OnRadioFinished(const StationRadio& radio, const StationTally& tally) override {
    {
      const std::lock_guard<std::mutex> lock(m_mutex);
      if (!HoldsPlan(radio.result)) {
        const int code = FailureCode(radio);
        if (m_code == kExitOk || code == kExitInterrupted) m_code = code;
      }
    }
    m_screen.OnRadioFinished(radio, tally);
  }
  void OnStationEnded(const StationTally& tally) override { m_screen.OnStationEnded(tally); }
  int Code() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_code;
  }

 private:
  StationScreen& m_screen;
  std::mutex m_mutex;
  int m_code = kExitOk;
};

int RunStation(CliContext& ctx, const StationOptions& options) {
  if (!ctx.ApplyPaths()) return kExitFile;
  CQorrinDoc doc;
  if (!OpenProjectFile(doc, options.file, true)) return kExitFile;
  StationSettings settings;
  settings.settingsPath = g_strIniFile;
  settings.plan = TransferRun::DocumentImage(doc);
  settings.sources = Sources(options);
  settings.verify = !options.noVerify;
  settings.logPath = options.log.empty() ? DefaultStationLogPath(options.file) : options.log;
  settings.count = options.count;

  RunWaiter waiter;  // Ctrl+C from here on
  StationScreen screen(settings.logPath, waiter);
  Verdict verdict(screen);
  Station station(settings, verdict);
  std::string error;
  if (!station.Start(&error)) {
    Tell(options.file + ": " + error + "; nothing was sent");
    return kExitFile;
  }
  screen.Say("programming radios with " + options.file + (settings.verify ? "" : " (no verification)") +
             "; log: " + settings.logPath + "; backups in " + station.BackupFolder() +
             (options.count > 0 ? "; " + std::to_string(options.count) + " radio(s)" : "") +
             ". Ctrl+C ends it after the radios under way, a second Ctrl+C cancels them");
  int interrupts = 0;
  while (!waiter.WaitForRuns(1)) {
    ++interrupts;
    if (interrupts == 1) {
      screen.Say("ending after the radios under way (Ctrl+C again to cancel them)");
      station.Stop(Station::StopMode::AfterRadiosUnderWay);
    } else {
      station.Stop(Station::StopMode::CancelTransfers);
    }
  }
  station.Wait();
  const StationTally tally = station.Tally();
  Tell(TallyText(tally) + "; log: " + settings.logPath);
  return verdict.Code();
}

}  // namespace

void RegisterStationCommand(CLI::App& app, CliContext& ctx) {
  auto options = std::make_shared<StationOptions>();
  auto* station = app.add_subcommand(
      "station", "program one radio after another with a project file: each radio is backed up, written once "
                 "and verified, and logged");
  station->add_option("file", options->file, "project file to program the radios with")->required();
  station->add_option("--port", options->ports, "port number N (COMN); repeat it for several cables")
      ->check(CLI::Range(1, link::kHighestPortNumber))
      ->expected(1)->take_all();
  station->add_option("--device", options->devices, "serial device; repeat it for several cables")->expected(1)->take_all();
  station->add_option("--watch", options->folders,
                      "every device link that appears in this folder (/dev/serial/by-id for USB cables)")
      ->expected(1)->take_all();
  station->add_flag("--all-usb", options->allUsb, "every USB serial device, present or plugged in later");
  station->add_flag("--no-verify", options->noVerify, "do not read the radios back after writing");
  station->add_option("--log", options->log, "CSV log, one line per radio (default: beside the project file, NAME-station.csv)");
  station->add_option("--count", options->count, "end after this many radios")->check(CLI::Range(1, 1000000));
  station->callback([&ctx, options] { ctx.exitCode = RunStation(ctx, *options); });
}

}  // namespace qorrin::cli
