#include "gui/lang/LocalizeDialog.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include "core/lang/LangText.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

void SetCaption(QWidget* widget, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text);
  else if (auto* group = qobject_cast<QGroupBox*>(widget)) group->setTitle(text);
}

QString Caption(const QWidget* widget) {
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
  return {};
}

// Accessible names from the current labels: each control's own, and a field's from its
// buddy label.
void NameControlsByLabels(QWidget* window) {
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    const QString caption = PlainText(Caption(widget));
    if (caption.isEmpty()) continue;
    widget->setAccessibleName(caption);
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
      label->buddy()->setAccessibleName(caption);
    }
  }
}

}  // namespace

void LocalizeDialog(QWidget* window, int templateId) {
  const std::string caption = LoadResourceText(templateId);
  if (!caption.empty()) window->setWindowTitle(Qt(caption));
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    const int id = ControlId(widget);
    if (id == 0) continue;
    const std::string text = LoadResourceText(id);
    if (!text.empty()) SetCaption(widget, Qt(text));
  }
  NameControlsByLabels(window);
}

}  // namespace qorrin::gui
