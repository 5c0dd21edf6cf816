#include "cli/ChannelListCommands.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/CliContext.h"
#include "cli/ProjectFileAccess.h"
#include "core/edit/NameColumnSetting.h"
#include "core/interchange/ChannelListWriter.h"
#include "core/interchange/ImportApply.h"
#include "core/interchange/ImportReport.h"
#include "core/interchange/ListFileText.h"
#include "core/model/CQorrinDoc.h"
#include "core/platform/Utf8Path.h"
#include "core/settings/AtomicFile.h"
#include "core/settings/ProfileText.h"

namespace qorrin::cli {

namespace {

struct ExportOptions {
  std::string file;
  std::string output;  // empty: standard output
  bool force = false;
};

struct ImportOptions {
  std::string file;
  std::string list;
  std::string output;
  int at = 0;  // 0: as the Location column says
  bool replace = false;
  bool force = false;
  std::string power = "high";  // for rows the list gives no power
};

void RunExport(CliContext& ctx, const ExportOptions& opt) {
  if (!ctx.ApplyPaths()) return;
  auto doc = std::make_unique<CQorrinDoc>();
  if (!OpenProjectFile(*doc, opt.file)) {
    ctx.exitCode = kExitFile;
    return;
  }
  const std::string text = WriteChannelTable(doc->Image(), doc->GetBandLimits());
  if (opt.output.empty()) {
    std::cout << text << std::flush;
    return;
  }
  std::string error;
  if (!MayWriteOutput(opt.output, opt.force) || !WriteFileAtomically(opt.output, text, &error)) {
    if (!error.empty()) std::cerr << "qorrin-cli: cannot write " << opt.output << ": " << error << "\n";
    ctx.exitCode = kExitFile;
    return;
  }
  std::cerr << "Wrote " << ProgrammedChannelCount(doc->Image()) << " channels to " << opt.output << "\n";
}

std::optional<std::string> ReadListFile(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(platform::Utf8Path(path), ec)) {
    std::cerr << "qorrin-cli: " << path << " is a folder, not a channel list\n";
    return std::nullopt;
  }
  std::string error;
  const std::optional<std::string> bytes = ReadWholeFile(path, &error);
  if (!bytes) {
    std::cerr << "qorrin-cli: cannot read " << path << ": " << error << "\n";
    return std::nullopt;
  }
  std::optional<std::string> text = ListFileText(*bytes);
  if (!text) std::cerr << "qorrin-cli: " << path << " is not a text file, so it holds no channel list\n";
  return text;
}

void RunImport(CliContext& ctx, const ImportOptions& opt) {
  if (!ctx.ApplyPaths()) return;
  auto doc = std::make_unique<CQorrinDoc>();
  ctx.exitCode = kExitFile;
  if (!OpenProjectFile(*doc, opt.file) || !MayWriteOutput(opt.output, opt.force)) return;
  const std::optional<std::string> text = ReadListFile(opt.list);
  if (!text) return;
  const ChannelList list = ReadChannelList(*text, LoadListVocabulary());
  if (list.error == ChannelListError::NoFrequencyColumn) {
    std::cerr << "qorrin-cli: " << opt.list << " has no Frequency column in its header row\n";
    return;
  }

  const PlacementOptions placement{opt.at != 0, opt.at != 0 ? opt.at : 1, opt.replace, opt.power == "high"};
  const ImportPlan plan = PlanChannelImport(list, doc->GetBandLimits(), ReadNameColumnMode(), placement);
  const ImportTexts texts = EnglishImportTexts();
  for (const std::string& line : ImportReportLines(plan, texts)) std::cerr << line << "\n";
  for (const std::string& line : ImportAssumptionLines(plan, texts)) std::cerr << line << "\n";
  std::cerr << ImportSummary(plan, texts) << "\n";
  if (plan.ImportedCount() == 0) {
    std::cerr << "qorrin-cli: no row could be imported; " << opt.output << " was not written\n";
    return;
  }

  ApplyChannelImport(*doc, plan);
  const SaveResult saved = doc->OnSaveDocument(opt.output, CQorrinDoc::IndexFieldsOnSave::Update);
  if (!saved.bOk) {
    std::cerr << "qorrin-cli: " << saved.strError << "\n";
    return;
  }
  ctx.exitCode = kExitOk;
}

}  // namespace

void RegisterChannelListCommands(CLI::App& app, CliContext& ctx) {
  auto exportOpt = std::make_shared<ExportOptions>();
  CLI::App* cmdExport = app.add_subcommand("export-csv", "Write the programmed channels as a CSV channel list");
  cmdExport->add_option("file", exportOpt->file, "Project file (.7Q)")->required();
  cmdExport->add_option("-o,--output", exportOpt->output, "CSV file to write (default: standard output)");
  cmdExport->add_flag("--force", exportOpt->force, "Replace the file if it exists");
  cmdExport->callback([&ctx, exportOpt] { RunExport(ctx, *exportOpt); });

  auto importOpt = std::make_shared<ImportOptions>();
  CLI::App* cmdImport =
      app.add_subcommand("import-csv", "Store the rows of a CSV channel list into a copy of a project file");
  cmdImport->add_option("file", importOpt->file, "Project file (.7Q) to start from")->required();
  cmdImport->add_option("list", importOpt->list, "Channel list (.csv)")->required();
  cmdImport->add_option("-o,--output", importOpt->output, "Project file to write")->required();
  cmdImport->add_option("--at", importOpt->at, "Put the rows in list order into channels N, N+1, ...")
      ->check(CLI::Range(1, 99));
  cmdImport->add_flag("--replace", importOpt->replace, "Clear every channel before the rows are stored");
  cmdImport->add_option("--power", importOpt->power, "Power of rows the list gives none (default: high)")
      ->check(CLI::IsMember({"high", "low"}));
  cmdImport->add_flag("--force", importOpt->force, "Replace the output file if it exists");
  cmdImport->callback([&ctx, importOpt] { RunImport(ctx, *importOpt); });
}

}  // namespace qorrin::cli
