#pragma once
// The document's questions and messages as message boxes on the main window, and its
// file-name question as the save dialog. Button and file-type texts come from the
// language file like every other text.
#include <QString>

#include "core/model/DocumentPrompts.h"
#include "gui/lang/MessageBoxes.h"

class QWidget;

namespace qorrin::gui {

// The caption of the program's own message boxes: the program's name.
QString StandardCaption();

// "Radio Program Data Files(*.7Q)" and the all-files entry, for both file dialogs.
QString ProjectFileFilter();

// Shows a non-native file dialog (the same on every desktop, and drivable by tests and
// assistive tools). Empty when the user cancels.
QString AskOpenFileName(QWidget* parent, const QString& folder = {});
// The same in the backups folder, as a detail view sorted by date, newest first, with the
// whole names in view (they tell date, time, port and direction).
QString AskOpenBackupName(QWidget* parent, const QString& folder);
QString AskSaveFileName(QWidget* parent, const QString& proposedName);

class GuiPrompts : public IDocumentPrompts {
 public:
  explicit GuiPrompts(QWidget* parent) : m_parent(parent) {}
  void SetParent(QWidget* parent) { m_parent = parent; }

  bool Confirm(const PromptMessage& message) override;
  void ShowError(const PromptMessage& message) override;
  void ShowWarning(const PromptMessage& message) override;
  std::optional<std::string> AskSavePath(const std::string& proposedName) override;

 private:
  QWidget* m_parent;
};

}  // namespace qorrin::gui
