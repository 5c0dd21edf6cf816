// qorrin-cli ports, read and write: the commands that talk to a radio.
#include "cli/LinkCommands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/LinkOutcome.h"
#include "cli/LinkTransferRunner.h"
#include "cli/ProjectFileAccess.h"
#include "core/backup/BackupStore.h"
#include "core/link/LinkSettings.h"
#include "core/link/PortNames.h"
#include "core/transfer/TransferRun.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"

namespace qorrin::cli {
namespace {

struct LinkOptions {
  int port = 0;
  std::vector<std::string> devices;  // one radio per device, all at once
  std::string file;                  // write: the project file sent
  std::vector<std::string> outputs;  // read: the project files written, one per radio
  std::string base;  // read: where bytes 0x7F0..0xFFF come from
  bool force = false;  // read: replace an existing output file; write: send an image of no known model
  bool verify = false;  // write: read the radio back and compare
};

void Say(const std::string& line) { std::fprintf(stderr, "qorrin-cli: %s\n", line.c_str()); }

std::vector<LinkTarget> Targets(const LinkOptions& options) {
  if (options.devices.empty()) return {{options.port, {}}};
  std::vector<LinkTarget> targets;
  for (const auto& device : options.devices) targets.push_back({0, device});
  return targets;
}

// The same device twice would be two programs fighting over one line.
bool DistinctOrSay(const std::vector<std::string>& items, const std::string& what) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    for (std::size_t j = i + 1; j < items.size(); ++j) {
      if (items[i] == items[j]) {
        Say(what + " " + items[i] + " is given twice");
        return false;
      }
    }
  }
  return true;
}

// Everything about one radio's run: backup notices, verification differences, then the
// result line (and what is wrong with a port that gave no link). With several radios each
// line names its radio.
int Report(const LinkJob& job, const std::string& fileName, bool several) {
  const std::string prefix = several ? job.portText + ": " : std::string();
  for (const auto& notice : job.outcome.notices) Say(prefix + "warning: " + notice);
  for (const auto& difference : job.outcome.differences) Say(prefix + "differs at " + DescribeDifference(difference));
  const LinkOutcome told = DescribeLinkResult(job.outcome, job.portText, fileName);
  Say(told.message);
  if (!told.explanation.empty()) Say(prefix + told.explanation);
  return told.exitCode;
}

// One radio: its own code. Several: 0 only when every radio succeeded; else 130 when
// interrupted, else the code of the first radio that failed, after a summary line.
int Conclude(bool isRead, const std::vector<int>& codes, const std::vector<LinkJob>& jobs) {
  if (codes.size() == 1) return codes.front();
  int exitCode = kExitOk;
  std::size_t good = 0;
  std::string failed;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (codes[i] == kExitOk) {
      ++good;
      continue;
    }
    failed += (failed.empty() ? "" : ", ") + jobs[i].portText;
    if (exitCode == kExitOk || codes[i] == kExitInterrupted) exitCode = codes[i];
  }
  std::string summary = std::to_string(good) + " of " + std::to_string(codes.size()) + " radios " +
                        (isRead ? "read" : "written");
  if (!failed.empty()) summary += "; failed: " + failed;
  Say(summary);
  return exitCode;
}

int RunPorts(CliContext& ctx) {
  if (!ctx.ApplyPaths()) return kExitFile;
  const auto ports = link::ListPorts(g_strIniFile);
  const int configured = link::ReadComPort(g_strIniFile);
  for (const auto& port : ports) {
    std::printf("%-6s %-24s %s%s\n", link::PortLabel(port.number).c_str(), port.device.c_str(),
                port.description.c_str(), port.number == configured ? "  [configured]" : "");
  }
#ifdef _WIN32
  if (ports.empty()) Say("no serial ports found; plug the cable in and look under \"Ports (COM & LPT)\" in the Device Manager");
#else
  if (ports.empty()) Say("no serial ports found; name one in section [ports] of " + g_strIniFile + " (1=/dev/ttyUSB0)");
#endif
  return kExitOk;
}

int RunRead(CliContext& ctx, const LinkOptions& options) {
  if (!ctx.ApplyPaths()) return kExitFile;
  const std::vector<LinkTarget> targets = Targets(options);
  if (options.outputs.size() != targets.size()) {
    Say("give one -o output file for each --device (" + std::to_string(targets.size()) + " radios, " +
        std::to_string(options.outputs.size()) + " files)");
    return kExitUsage;
  }
  if (!DistinctOrSay(options.devices, "device") || !DistinctOrSay(options.outputs, "output file")) return kExitUsage;
  CQorrinDoc doc;
  if (options.base.empty()) {
    doc.OnNewDocument();
  } else if (!OpenProjectFile(doc, options.base, true)) {
    return kExitFile;
  }
  for (const auto& output : options.outputs) {
    if (!MayWriteOutput(output, options.force)) return kExitFile;
  }
  const TransferRun::Image image = TransferRun::DocumentImage(doc);
  std::vector<LinkJob> jobs(targets.size());
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    jobs[i].target = targets[i];
    jobs[i].image = image;
  }
  RunLinkTransfers(true, g_strIniFile, jobs);
  std::vector<int> codes;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const LinkJob& job = jobs[i];
    const std::string& output = options.outputs[i];
    if (job.outcome.end == TransferEnd::Read) {
      doc.ReplaceImage(job.image);  // bytes 0x7F0..0xFFF stay the base's
      const SaveResult saved = doc.OnSaveDocument(output);
      if (!saved.bOk) {
        for (const auto& notice : job.outcome.notices) Say("warning: " + notice);
        Say("the radio on " + job.portText + " was read but " + output + " could not be saved: " +
            saved.strError + " (a backup of the read is in " + BackupFolder() + ")");
        codes.push_back(kExitFile);
        continue;
      }
    }
    codes.push_back(Report(job, output, jobs.size() > 1));
  }
  return Conclude(true, codes, jobs);
}

int RunWrite(CliContext& ctx, const LinkOptions& options) {
  if (!ctx.ApplyPaths()) return kExitFile;
  if (!DistinctOrSay(options.devices, "device")) return kExitUsage;
  CQorrinDoc doc;
  if (!OpenProjectFile(doc, options.file, true)) return kExitFile;
  // An image of no known frequency range (all zeros, say) is no configuration for a radio.
  if (!options.force && !MatchesAnyModel(doc.Image())) {
    Say(options.file + ": its frequency range matches no model in " + g_strIniFile +
        " (empty or damaged data?); nothing was sent. Use --force to write it anyway");
    return kExitFile;
  }
  const TransferRun::Image image = TransferRun::DocumentImage(doc);
  const std::vector<LinkTarget> targets = Targets(options);
  std::vector<LinkJob> jobs(targets.size());
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    jobs[i].target = targets[i];
    jobs[i].image = image;
  }
  LinkRunOptions runOptions;
  runOptions.verify = options.verify;
  RunLinkTransfers(false, g_strIniFile, jobs, runOptions);
  std::vector<int> codes;
  for (const auto& job : jobs) codes.push_back(Report(job, options.file, jobs.size() > 1));
  return Conclude(false, codes, jobs);
}

void AddTargetOptions(CLI::App* command, LinkOptions& options) {
  auto* port = command->add_option("--port", options.port, "port number N (COMN; see 'qorrin-cli ports'); no search")
                   ->check(CLI::Range(1, link::kHighestPortNumber));
  auto* device = command->add_option("--device", options.devices,
                                     "serial device to use directly, no search; repeat it for several radios at once")
                     ->expected(1)->take_all();
  port->excludes(device);
}

}  // namespace

void RegisterLinkCommands(CLI::App& app, CliContext& ctx) {
  app.add_subcommand("ports", "port numbers, devices, descriptions")->callback([&ctx] {
    ctx.exitCode = RunPorts(ctx);
  });

  auto readOptions = std::make_shared<LinkOptions>();
  auto* read = app.add_subcommand("read", "read the radio into a project file");
  AddTargetOptions(read, *readOptions);
  read->add_option("-o,--output", readOptions->outputs, "project file to write (one per --device)")
      ->required()
      ->expected(1)->take_all();
  read->add_flag("--force", readOptions->force, "replace the output file if it exists");
  // No existence check here: a missing base is a file error (exit 2), reported as info,
  // dump and write report it.
  read->add_option("--base", readOptions->base, "project file whose bytes 0x7F0-0xFFF the result keeps");
  read->callback([&ctx, readOptions] { ctx.exitCode = RunRead(ctx, *readOptions); });

  auto writeOptions = std::make_shared<LinkOptions>();
  auto* write = app.add_subcommand("write", "write a project file into the radio");
  write->add_option("file", writeOptions->file, "project file to send")->required();
  AddTargetOptions(write, *writeOptions);
  write->add_flag("--force", writeOptions->force,
                  "write even when the file's frequency range matches no model in setting.ini");
  write->add_flag("--verify", writeOptions->verify,
                  "read the radio back after the write and compare it with what was sent");
  write->callback([&ctx, writeOptions] { ctx.exitCode = RunWrite(ctx, *writeOptions); });
}

}  // namespace qorrin::cli
