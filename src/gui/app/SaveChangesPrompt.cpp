#include "gui/app/SaveChangesPrompt.h"

#include <QMessageBox>
#include <QPushButton>

#include "core/lang/ShellTexts.h"
#include "gui/app/GuiPrompts.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {

SaveChangesAnswer AskSaveChanges(QWidget* parent, const std::string& documentTitle) {
  const SaveChangesTexts texts = LoadSaveChangesTexts(documentTitle);
  QMessageBox box(QMessageBox::Warning, StandardCaption(), Qt(texts.question), QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton(Qt(texts.yes), QMessageBox::YesRole);
  QPushButton* no = box.addButton(Qt(texts.no), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(Qt(texts.cancel), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return SaveChangesAnswer::Yes;
  if (box.clickedButton() == no) return SaveChangesAnswer::No;
  return SaveChangesAnswer::Cancel;
}

}  // namespace qorrin::gui
