#pragma once
// The focus rules that a grid cell's editor and the fields beside the grid share.
#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

namespace qorrin::gui {

// Whether a field's loss of the focus is only a popup opening over it (its own drop-down
// list, its context menu): then the field stays open and nothing is stored. While a popup
// is up the focus may also pass into it (a drop-down list's view) or, without a window
// manager, leave the window; the focus comes back when the popup closes.
inline bool IsPopupFocusChange(const QFocusEvent* event) {
  return event->reason() == Qt::PopupFocusReason || QApplication::activePopupWidget() != nullptr;
}

// Enter and Escape in a cell editor hand the focus back to the grid (the editor's parent
// is the grid's viewport, whose focus goes to the grid), so that the keyboard carries on
// there. Leaving the editor is what stores it.
inline void GiveFocusToGrid(QWidget* editor) {
  if (QWidget* cells = editor->parentWidget()) cells->setFocus(Qt::OtherFocusReason);
}

}  // namespace qorrin::gui
