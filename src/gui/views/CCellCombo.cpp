#include "gui/views/CCellCombo.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "gui/views/CellFocus.h"

namespace qorrin::gui {

CCellCombo::CCellCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  setMaxVisibleItems(12);
  hide();
  setEnabled(false);
}

int CCellCombo::FindItemStarting(const QString& text) const {
  for (int i = 0; i < count(); ++i) {
    if (itemText(i).startsWith(text, Qt::CaseInsensitive)) return i;
  }
  return -1;
}

// A text that no item begins with keeps the selection the list had.
void CCellCombo::ShowOver(const QRect& rect, const QString& text) {
  m_bOpen = true;
  setEnabled(true);
  show();
  raise();
  if (const int item = FindItemStarting(text); item >= 0) setCurrentIndex(item);
  m_remembered = text;
  setGeometry(rect);
  setFocus(Qt::OtherFocusReason);
}

void CCellCombo::HideEditor() {
  // Closed first, so that giving up the focus is no second commit; the focus goes to the
  // owner (a hidden focus widget would pass it on to the next cell).
  const bool hadFocus = hasFocus();
  m_bOpen = false;
  if (hadFocus) GiveFocusBack();
  setEnabled(false);
  hide();
}

void CCellCombo::GiveFocusBack() {
  QWidget* target = m_owner ? m_owner.data() : parentWidget();
  if (target) target->setFocus(Qt::OtherFocusReason);
}

void CCellCombo::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      if (const int item = FindItemStarting(m_remembered); item >= 0) setCurrentIndex(item);
      Q_EMIT restored();
      GiveFocusBack();
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      GiveFocusBack();
      event->accept();
      return;
    default:
      QComboBox::keyPressEvent(event);
  }
}

void CCellCombo::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (m_bOpen && !IsPopupFocusChange(event)) Q_EMIT focusLost();
}

}  // namespace qorrin::gui
