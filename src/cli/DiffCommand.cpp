#include "cli/DiffCommand.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

#include "cli/CliContext.h"
#include "cli/LinkOutcome.h"
#include "cli/LinkTransferRunner.h"
#include "cli/ProjectFileAccess.h"
#include "core/compare/DocumentDiff.h"
#include "core/link/PortNames.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"

namespace qorrin::cli {
namespace {

// Exit codes of diff: equal, different; trouble is 2 (file and usage alike), and the
// radio's own codes for a comparison with the radio.
constexpr int kExitSame = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitDiffTrouble = 2;

struct DiffOptions {
  std::string first;
  std::string second;
  int port = 0;
  std::string device;
};

void Say(const std::string& line) { std::fprintf(stderr, "qorrin-cli: %s\n", line.c_str()); }

int Print(const std::vector<DocumentDifference>& differences) {
  for (const auto& difference : differences) std::printf("%s\n", FormatDifference(difference).c_str());
  return differences.empty() ? kExitSame : kExitDifferent;
}

int CompareFiles(const DiffOptions& options) {
  CQorrinDoc before, after;
  if (!OpenProjectFile(before, options.first) || !OpenProjectFile(after, options.second)) return kExitDiffTrouble;
  return Print(DiffDocuments(before, after));
}

// The radio is read into a copy of the file's image as a write would send it; the file
// and the radio's settings are never touched.
int CompareWithRadio(const DiffOptions& options) {
  CQorrinDoc file;
  if (!OpenProjectFile(file, options.first)) return kExitDiffTrouble;
  RadioImage scratch = file.ImageAsSent();
  const LinkJob read = RunLinkTransfer(true, {options.port, options.device}, g_strIniFile, scratch);
  for (const auto& notice : read.outcome.notices) Say("warning: " + notice);
  if (read.outcome.end != TransferEnd::Read) {
    const LinkOutcome told = DescribeLinkResult(read.outcome, read.portText, options.first);
    Say(told.message);
    if (!told.explanation.empty()) Say(told.explanation);
    return told.exitCode;
  }
  const auto differences = DiffWithRadio(file, read.image);
  Say("compared " + options.first + " with the radio on " + read.portText + ": " +
      (differences.empty() ? std::string("no differences") : std::to_string(differences.size()) + " difference(s)"));
  return Print(differences);
}

int RunDiff(CliContext& ctx, const DiffOptions& options) {
  if (!ctx.ApplyPaths()) return kExitDiffTrouble;
  const bool radio = options.port != 0 || !options.device.empty();
  if (radio == !options.second.empty()) {
    Say(radio ? "diff compares FILE with the radio or with a second file, not both"
              : "diff needs a second file, or --port N / --device PATH to compare with the radio");
    return kExitDiffTrouble;
  }
  return radio ? CompareWithRadio(options) : CompareFiles(options);
}

}  // namespace

CLI::App* RegisterDiffCommand(CLI::App& app, CliContext& ctx) {
  auto options = std::make_shared<DiffOptions>();
  auto* diff = app.add_subcommand("diff", "differences between two project files, or a file and the radio "
                                          "(exit 0 equal, 1 different, 2 trouble)");
  diff->add_option("file", options->first, "project file")->required();
  diff->add_option("other", options->second, "second project file");
  auto* port = diff->add_option("--port", options->port, "compare with the radio on port number N")
                   ->check(CLI::Range(1, link::kHighestPortNumber));
  auto* device = diff->add_option("--device", options->device, "compare with the radio on this device");
  port->excludes(device);
  diff->callback([&ctx, options] { ctx.exitCode = RunDiff(ctx, *options); });
  return diff;
}

}  // namespace qorrin::cli
