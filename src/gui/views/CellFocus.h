#pragma once
// Whether an editor's loss of the focus is only a popup opening over it (its own drop-down
// list, its context menu): then the editor stays open and nothing is committed. While a
// popup is up the focus may also pass into it (a drop-down list's view) or, without a
// window manager, leave the window; the focus comes back when the popup closes.
#include <QApplication>
#include <QFocusEvent>

namespace qorrin::gui {

inline bool IsPopupFocusChange(const QFocusEvent* event) {
  return event->reason() == Qt::PopupFocusReason || QApplication::activePopupWidget() != nullptr;
}

}  // namespace qorrin::gui
