#include "gui/lang/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "core/lang/LangText.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

QString ResourceOr(int id, const char* fallback) {
  const std::string text = LoadResourceText(id);
  return text.empty() ? QString::fromUtf8(fallback) : Qt(text);
}

void ShowMessageBox(QMessageBox::Icon icon, QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
  box.button(QMessageBox::Ok)->setText(ResourceOr(ctl::kOk, "OK"));
  box.exec();
}

}  // namespace

bool AskOkCancel(QWidget* parent, const QString& caption, const QString& text, bool cancelIsDefault) {
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
  box.button(QMessageBox::Ok)->setText(ResourceOr(ctl::kOk, "OK"));
  box.button(QMessageBox::Cancel)->setText(ResourceOr(ctl::kCancel, "Cancel"));
  box.setDefaultButton(cancelIsDefault ? QMessageBox::Cancel : QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok;
}

void ShowErrorBox(QWidget* parent, const QString& caption, const QString& text) {
  ShowMessageBox(QMessageBox::Critical, parent, caption, text);
}

void ShowWarningBox(QWidget* parent, const QString& caption, const QString& text) {
  ShowMessageBox(QMessageBox::Warning, parent, caption, text);
}

}  // namespace qorrin::gui
