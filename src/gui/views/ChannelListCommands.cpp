#include "gui/views/ChannelListCommands.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QString>

#include <optional>

#include "core/interchange/ChannelListWriter.h"
#include "core/interchange/ListFileText.h"
#include "core/lang/ShellTexts.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AtomicFile.h"
#include "core/settings/ProfileText.h"
#include "gui/app/GuiPrompts.h"
#include "gui/lang/QtText.h"
#include "gui/views/ChannelImportDlg.h"

namespace qorrin::gui {
namespace {

// The folder of the channel list used last in this run (chosen or dropped); kept in
// memory only.
QString& LastListFolder() {
  static QString folder;
  return folder;
}

void RememberFolderOf(const QString& file) { LastListFolder() = QFileInfo(file).absolutePath(); }

// Where the dialogs start: the project's folder, else the folder used last in this run,
// else the user's home.
QString StartFolder(const CQorrinDoc& doc) {
  if (!doc.GetPathName().empty()) return QFileInfo(Qt(doc.GetPathName())).absolutePath();
  if (!LastListFolder().isEmpty() && QFileInfo(LastListFolder()).isDir()) return LastListFolder();
  return QDir::homePath();
}

// A non-native dialog, as for project files: the same on every desktop and drivable by
// tests and assistive tools.
QString AskListFile(QWidget* parent, const QString& folder, QFileDialog::AcceptMode mode,
                    const QString& proposedName = {}) {
  QFileDialog dialog(parent, QString(), folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setNameFilter(Qt(LoadLangStringOr("IDS_CSV_FILTER", "Channel lists (*.csv)")) + QStringLiteral(";;") +
                       Qt(LoadLangStringOr("IDS_FILTER_ALL", "All Files (*)")));
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!proposedName.isEmpty()) dialog.selectFile(proposedName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace

bool IsChannelListFile(const QString& path) { return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive); }

void ImportChannels(QWidget* parent, CQorrinDoc& doc, int selectedChannel, const QString& path) {
  const QString file = path.isEmpty() ? AskListFile(parent, StartFolder(doc), QFileDialog::AcceptOpen) : path;
  if (file.isEmpty()) return;
  RememberFolderOf(file);
  std::string error;
  const std::optional<std::string> bytes = QFileInfo(file).isDir() ? std::nullopt : ReadWholeFile(Std(file), &error);
  if (!bytes) {
    QString text = LangText("IDS_FILE_OPEN_FAILED") + QStringLiteral("\n\n") + file;
    if (!error.empty()) text += QStringLiteral("\n") + Qt(error);
    ShowErrorBox(parent, StandardCaption(), text);
    return;
  }
  const std::optional<std::string> contents = ListFileText(*bytes);
  if (!contents) {
    ShowErrorBox(parent, StandardCaption(), LangText("IDS_CSV_NOT_TEXT") + QStringLiteral("\n\n") + file);
    return;
  }
  ChannelList list = ReadChannelList(*contents, LoadListVocabulary());
  if (!list.ok()) {
    const QString text = Qt(LoadLangStringOr("IDS_CSV_NO_FREQUENCY_COLUMN",
                                             "This file names its columns in its first row, but has no Frequency "
                                             "column, so no channel can be read from it."));
    ShowErrorBox(parent, StandardCaption(), text + QStringLiteral("\n\n") + file);
    return;
  }
  ChannelImportDlg dialog(doc, std::move(list), QFileInfo(file).fileName(), selectedChannel, parent);
  if (dialog.exec() == QDialog::Accepted) doc.UpdateAllViews();
}

void ExportChannels(QWidget* parent, const CQorrinDoc& doc) {
  const QString proposed = QFileInfo(Qt(doc.GetTitle())).completeBaseName() + QStringLiteral(".csv");
  const QString file = AskListFile(parent, StartFolder(doc), QFileDialog::AcceptSave, proposed);
  if (file.isEmpty()) return;
  RememberFolderOf(file);
  std::string error;
  if (!WriteFileAtomically(Std(file), WriteChannelTable(doc.Image(), doc.GetBandLimits()), &error)) {
    ShowErrorBox(parent, StandardCaption(), LangText("IDS_FILE_SAVE_FAILED") + QStringLiteral("\n\n") + Qt(error));
  }
}

}  // namespace qorrin::gui
