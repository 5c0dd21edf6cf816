#include "gui/app/GuiPrompts.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>

#include "core/lang/LangText.h"
#include "core/lang/ShellTexts.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

QString MessageText(const PromptMessage& message) {
  switch (message.kind) {
    case PromptKind::FileOpenFailed:
      return Qt(LoadLangStringOr("IDS_FILE_OPEN_FAILED", "The file could not be opened.")) + "\n\n" +
             Qt(message.appendix);
    case PromptKind::FileWriteFailed:
      return Qt(LoadLangStringOr("IDS_FILE_SAVE_FAILED", "The file could not be saved.")) + "\n\n" +
             Qt(message.appendix);
    default: return Qt(PromptText(message));
  }
}

QString MessageCaption(const PromptMessage& message) {
  const std::string caption = PromptCaption(message);
  return caption.empty() ? StandardCaption() : Qt(caption);
}

QFileDialog* MakeFileDialog(QWidget* parent, QFileDialog::AcceptMode mode) {
  auto* dialog = new QFileDialog(parent);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(mode);
  dialog->setNameFilter(ProjectFileFilter());
  dialog->setDefaultSuffix("7Q");
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  return dialog;
}

QString RunFileDialog(QFileDialog* dialog) {
  QString chosen;
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
    chosen = dialog->selectedFiles().first();
  }
  delete dialog;
  return chosen;
}

}  // namespace

QString StandardCaption() { return QStringLiteral("qorrin"); }

QString ProjectFileFilter() {
  return QStringLiteral("Radio Program Data Files(*.7Q);;") +
         Qt(LoadLangStringOr("IDS_FILTER_ALL", "All Files (*)"));
}

QString AskOpenFileName(QWidget* parent, const QString& folder) {
  QFileDialog* dialog = MakeFileDialog(parent, QFileDialog::AcceptOpen);
  if (!folder.isEmpty()) dialog->setDirectory(folder);
  return RunFileDialog(dialog);
}

QString AskOpenBackupName(QWidget* parent, const QString& folder) {
  QFileDialog* dialog = MakeFileDialog(parent, QFileDialog::AcceptOpen);
  dialog->setDirectory(folder);
  dialog->setViewMode(QFileDialog::Detail);
  if (auto* view = dialog->findChild<QTreeView*>()) {
    constexpr int kNameColumn = 0;
    constexpr int kDateColumn = 3;
    view->setSortingEnabled(true);
    view->sortByColumn(kDateColumn, Qt::DescendingOrder);
    view->header()->setSectionResizeMode(kNameColumn, QHeaderView::ResizeToContents);
  }
  const int nameWidth = dialog->fontMetrics().horizontalAdvance(QStringLiteral("2026-12-06_14-05-33_COM10_write-2.7Q"));
  dialog->resize(std::max(dialog->sizeHint().width(), nameWidth * 2), dialog->sizeHint().height());
  return RunFileDialog(dialog);
}

QString AskSaveFileName(QWidget* parent, const QString& proposedName) {
  QFileDialog* dialog = MakeFileDialog(parent, QFileDialog::AcceptSave);
  dialog->selectFile(proposedName);
  return RunFileDialog(dialog);
}

bool GuiPrompts::Confirm(const PromptMessage& message) {
  return AskOkCancel(m_parent, MessageCaption(message), MessageText(message));
}

void GuiPrompts::ShowError(const PromptMessage& message) {
  ShowErrorBox(m_parent, MessageCaption(message), MessageText(message));
}

void GuiPrompts::ShowWarning(const PromptMessage& message) {
  ShowWarningBox(m_parent, MessageCaption(message), MessageText(message));
}

std::optional<std::string> GuiPrompts::AskSavePath(const std::string& proposedName) {
  const QString chosen = AskSaveFileName(m_parent, Qt(proposedName));
  if (chosen.isEmpty()) return std::nullopt;
  return Std(chosen);
}

}  // namespace qorrin::gui
