#include "gui/views/CellLineEdit.h"

#include <QKeyEvent>

#include "gui/grid/EditorFocus.h"

namespace qorrin::gui {

CellLineEdit::CellLineEdit(int maxLength, QWidget* parent) : QLineEdit(parent) {
  setMaxLength(maxLength);
  setFrame(true);  // an open editor shows as one, also over a blank cell
  setAlignment(Qt::AlignCenter);
}

void CellLineEdit::Load(const QString& text) {
  setText(text);
  m_remembered = text;
}

void CellLineEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      setText(m_remembered);
      GiveFocusToGrid(this);
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      GiveFocusToGrid(this);
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
    QString translated;
    for (QChar character : typed) {
      const QChar meant = Translated(character);
      if (!AcceptsTyped(meant)) {
        event->accept();
        return;
      }
      translated += meant;
    }
    if (translated != typed) {
      insert(translated);
      event->accept();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace qorrin::gui
