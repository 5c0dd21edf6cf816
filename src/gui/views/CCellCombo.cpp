#include "gui/views/CCellCombo.h"

#include <QFocusEvent>
#include <QKeyEvent>


namespace qorrin::gui {

CCellCombo::CCellCombo(QWidget* parent) : QComboBox(parent), m_state(this) {
  setEditable(false);
  setMaxVisibleItems(12);
}

int CCellCombo::FindItemStarting(const QString& text) const {
  for (int i = 0; i < count(); ++i) {
    if (itemText(i).startsWith(text, Qt::CaseInsensitive)) return i;
  }
  return -1;
}

// A text that no item begins with keeps the selection the list had.
void CCellCombo::ShowOver(const QRect& rect, const QString& text) {
  m_state.Open(rect);
  if (const int item = FindItemStarting(text); item >= 0) setCurrentIndex(item);
  m_remembered = text;
  setFocus(Qt::OtherFocusReason);
}

void CCellCombo::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      if (const int item = FindItemStarting(m_remembered); item >= 0) setCurrentIndex(item);
      Q_EMIT restored();
      m_state.GiveFocusBack();
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      m_state.GiveFocusBack();
      event->accept();
      return;
    default:
      QComboBox::keyPressEvent(event);
  }
}

void CCellCombo::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (m_state.CommitsOnFocusOut(event)) Q_EMIT focusLost();
}

}  // namespace qorrin::gui
