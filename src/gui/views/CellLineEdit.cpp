#include "gui/views/CellLineEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "gui/views/CellFocus.h"

namespace qorrin::gui {

CellLineEdit::CellLineEdit(int maxLength, QWidget* parent) : QLineEdit(parent) {
  setMaxLength(maxLength);
  setFrame(true);  // an open editor shows as one, also over a blank cell
  setAlignment(Qt::AlignCenter);
  hide();
  setEnabled(false);
}

void CellLineEdit::ShowOver(const QRect& rect, const QString& text) {
  m_bOpen = true;
  setEnabled(true);
  setGeometry(rect);
  show();
  raise();
  setText(text);
  selectAll();
  m_remembered = text;
  setFocus(Qt::OtherFocusReason);
}

void CellLineEdit::HideEditor() {
  // Closed first, so that giving up the focus is no second commit; the focus goes to the
  // owner (a hidden focus widget would pass it on to the next cell).
  const bool hadFocus = hasFocus();
  m_bOpen = false;
  if (hadFocus) GiveFocusBack();
  setEnabled(false);
  hide();
}

void CellLineEdit::GiveFocusBack() {
  QWidget* target = m_owner ? m_owner.data() : parentWidget();
  if (target) target->setFocus(Qt::OtherFocusReason);
}

void CellLineEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      setText(m_remembered);
      GiveFocusBack();
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      GiveFocusBack();
      event->accept();  // consumed: the grid must not take it as a new edit
      return;
    default:
      break;
  }
  // Typed characters pass the filter; control characters (Backspace, Ctrl+V and the like)
  // and keys without text go to the field as usual.
  const QString typed = event->text();
  const bool printable = !typed.isEmpty() && typed.front().isPrint();
  if (printable && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    for (QChar character : typed) {
      if (!AcceptsTyped(character)) {
        event->accept();
        return;
      }
    }
  }
  QLineEdit::keyPressEvent(event);
}

void CellLineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (m_bOpen && !IsPopupFocusChange(event)) Q_EMIT focusLost();
}

}  // namespace qorrin::gui
