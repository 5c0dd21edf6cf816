#include "cli/FileCommands.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/CliContext.h"
#include "cli/DocumentDump.h"
#include "cli/ProjectFileAccess.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"

namespace qorrin::cli {

namespace {

struct NewOptions {
  int model = 0;
  std::string output;
  bool force = false;
};

struct FileOptions {
  std::string file;
  std::string format = "text";
};

void RunNew(CliContext& ctx, const NewOptions& opt) {
  if (!ctx.ApplyPaths()) return;
  const std::vector<ModelEntry> models = ListModels();
  const bool known = opt.model >= 0 && opt.model < static_cast<int>(models.size()) &&
                     models[static_cast<std::size_t>(opt.model)].bUsable;
  // Model 0 always works (without a usable entry it gets the 100-520 MHz fall-back).
  if (opt.model != 0 && !known) {
    std::cerr << "qorrin-cli: there is no usable model " << opt.model << " in " << g_strIniFile
              << "\nKnown models:\n";
    for (const ModelEntry& m : models) {
      std::cerr << "  " << m.nIndex << "  " << m.strText << (m.bUsable ? "" : "  (bad band code)") << "\n";
    }
    ctx.exitCode = kExitUsage;
    return;
  }
  if (!MayWriteOutput(opt.output, opt.force)) {
    ctx.exitCode = kExitFile;
    return;
  }
  CQorrinDoc doc;
  doc.OnNewDocument();
  if (opt.model != 0) doc.ChangeFrequencyRange(opt.model);
  SaveResult saved = doc.OnSaveDocument(opt.output, CQorrinDoc::IndexFieldsOnSave::Update);
  if (!saved.bOk) {
    std::cerr << "qorrin-cli: " << saved.strError << "\n";
    ctx.exitCode = kExitFile;
    return;
  }
  std::cerr << "Created " << opt.output << " (model " << doc.FindModelIndex() << ")\n";
}

void RunInfoOrDump(CliContext& ctx, const FileOptions& opt, bool dump) {
  if (!ctx.ApplyPaths()) return;
  auto doc = std::make_unique<CQorrinDoc>();
  if (!OpenProjectFile(*doc, opt.file)) {
    ctx.exitCode = kExitFile;
    return;
  }
  if (!dump) {
    std::cout << InfoText(*doc, opt.file);
  } else if (opt.format == "json") {
    std::cout << DumpJson(*doc).dump(2) << "\n";
  } else {
    std::cout << DumpText(*doc);
  }
}

}  // namespace

void RegisterFileCommands(CLI::App& app, CliContext& ctx) {
  auto newOpt = std::make_shared<NewOptions>();
  CLI::App* cmdNew = app.add_subcommand("new", "Create a project file with a model's defaults");
  cmdNew->add_option("--model", newOpt->model, "Model (frequency range) index of setting.ini")
      ->capture_default_str();
  cmdNew->add_option("-o,--output", newOpt->output, "Project file to write")->required();
  cmdNew->add_flag("--force", newOpt->force, "Replace the file if it exists");
  cmdNew->callback([&ctx, newOpt] { RunNew(ctx, *newOpt); });

  auto infoOpt = std::make_shared<FileOptions>();
  CLI::App* cmdInfo = app.add_subcommand("info", "Header, model, band limits and channel count");
  cmdInfo->add_option("file", infoOpt->file, "Project file (.7Q)")->required();
  cmdInfo->callback([&ctx, infoOpt] { RunInfoOrDump(ctx, *infoOpt, false); });

  auto dumpOpt = std::make_shared<FileOptions>();
  CLI::App* cmdDump = app.add_subcommand("dump", "Everything in a project file, decoded");
  cmdDump->add_option("file", dumpOpt->file, "Project file (.7Q)")->required();
  cmdDump->add_option("--format", dumpOpt->format, "Output format")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();
  cmdDump->callback([&ctx, dumpOpt] { RunInfoOrDump(ctx, *dumpOpt, true); });
}

}  // namespace qorrin::cli
