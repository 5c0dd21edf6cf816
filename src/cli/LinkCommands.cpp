// qorrin-cli ports, read and write: the commands that talk to a radio.
#include "cli/LinkCommands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

#include "cli/CliContext.h"
#include "cli/LinkOutcome.h"
#include "cli/LinkTransferRunner.h"
#include "cli/ProjectFileAccess.h"
#include "core/link/LinkSettings.h"
#include "core/link/PortNames.h"
#include "core/link/TransferState.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"

namespace qorrin::cli {
namespace {

struct LinkOptions {
  int port = 0;
  std::string device;
  std::string file;  // write: the project file sent; read: the project file written
  std::string base;  // read: where bytes 0x7F0..0xFFF come from
  bool force = false;  // read: replace an existing output file
};

void Say(const std::string& line) { std::fprintf(stderr, "qorrin-cli: %s\n", line.c_str()); }

bool SearchWillRun(const LinkOptions& options) {
  return options.port == 0 && options.device.empty() &&
         link::ReadSearchCom(g_strIniFile);
}

int Finish(bool isRead, const LinkOptions& options, const LinkRunResult& result) {
  const LinkOutcome outcome = DescribeLinkResult(isRead, result, SearchWillRun(options), options.file);
  Say(outcome.message);
  return outcome.exitCode;
}

int RunPorts(CliContext& ctx) {
  if (!ctx.ApplyPaths()) return kExitFile;
  const auto ports = link::ListPorts(g_strIniFile);
  const int configured = link::ReadComPort(g_strIniFile);
  for (const auto& port : ports) {
    std::printf("%-6s %-24s %s%s\n", link::PortLabel(port.number).c_str(), port.device.c_str(),
                port.description.c_str(), port.number == configured ? "  [configured]" : "");
  }
  if (ports.empty()) Say("no serial ports found; name one in section [ports] of " + g_strIniFile + " (1=/dev/ttyUSB0)");
  return kExitOk;
}

int RunRead(CliContext& ctx, const LinkOptions& options) {
  if (!ctx.ApplyPaths()) return kExitFile;
  CQorrinDoc doc;
  if (options.base.empty()) {
    doc.OnNewDocument();
  } else if (!OpenProjectFile(doc, options.base, true)) {
    return kExitFile;
  }
  if (!MayWriteOutput(options.file, options.force)) return kExitFile;
  doc.UpdateIndexFields();
  auto image = doc.m_image;
  const LinkRunResult result = RunLinkTransfer(true, {options.port, options.device}, g_strIniFile, image);
  if (result.status == XFER_READ_DONE && !result.interrupted) {
    doc.ReplaceImage(image);  // bytes 0x7F0..0xFFF stay the base's
    const SaveResult saved = doc.OnSaveDocument(options.file);
    if (!saved.bOk) {
      Say("the radio was read but " + options.file + " could not be saved: " + saved.strError);
      return kExitFile;
    }
  }
  return Finish(true, options, result);
}

int RunWrite(CliContext& ctx, const LinkOptions& options) {
  if (!ctx.ApplyPaths()) return kExitFile;
  CQorrinDoc doc;
  if (!OpenProjectFile(doc, options.file, true)) return kExitFile;
  doc.UpdateIndexFields();  // as before every transfer: the radio finds its way by them
  auto image = doc.m_image;
  const LinkRunResult result = RunLinkTransfer(false, {options.port, options.device}, g_strIniFile, image);
  return Finish(false, options, result);
}

void AddTargetOptions(CLI::App* command, LinkOptions& options) {
  auto* port = command->add_option("--port", options.port, "port number N (COMN; see 'qorrin-cli ports'); no search")
                   ->check(CLI::Range(1, link::kHighestPortNumber));
  auto* device = command->add_option("--device", options.device, "serial device to use directly; no search");
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
  read->add_option("-o,--output", readOptions->file, "project file to write")->required();
  read->add_flag("--force", readOptions->force, "replace the output file if it exists");
  // No existence check here: a missing base is a file error (exit 2), reported as info,
  // dump and write report it.
  read->add_option("--base", readOptions->base, "project file whose bytes 0x7F0-0xFFF the result keeps");
  read->callback([&ctx, readOptions] { ctx.exitCode = RunRead(ctx, *readOptions); });

  auto writeOptions = std::make_shared<LinkOptions>();
  auto* write = app.add_subcommand("write", "write a project file into the radio");
  write->add_option("file", writeOptions->file, "project file to send")->required();
  AddTargetOptions(write, *writeOptions);
  write->callback([&ctx, writeOptions] { ctx.exitCode = RunWrite(ctx, *writeOptions); });
}

}  // namespace qorrin::cli
