#pragma once
// What the cell editors share: open over a cell (enabled, placed, shown, on top) or closed
// (disabled, hidden), the owner that Enter and Escape hand the focus to, and whether a
// loss of the focus commits.
#include <QApplication>
#include <QFocusEvent>
#include <QPointer>
#include <QWidget>

namespace qorrin::gui {

// Whether an editor's loss of the focus is only a popup opening over it (its own drop-down
// list, its context menu): then the editor stays open and nothing is committed. While a
// popup is up the focus may also pass into it (a drop-down list's view) or, without a
// window manager, leave the window; the focus comes back when the popup closes.
inline bool IsPopupFocusChange(const QFocusEvent* event) {
  return event->reason() == Qt::PopupFocusReason || QApplication::activePopupWidget() != nullptr;
}

class CellEditorState {
 public:
  explicit CellEditorState(QWidget* editor) : m_editor(editor) {
    editor->hide();
    editor->setEnabled(false);
  }

  void SetOwner(QWidget* owner) { m_owner = owner; }
  bool IsOpen() const { return m_bOpen; }

  void Open(const QRect& rect) {
    m_bOpen = true;
    m_editor->setEnabled(true);
    m_editor->setGeometry(rect);
    m_editor->show();
    m_editor->raise();
  }

  // Closed first, so that giving up the focus is no second commit; the focus goes to the
  // owner (a hidden focus widget would pass it on to the next cell).
  void Close() {
    const bool hadFocus = m_editor->hasFocus();
    m_bOpen = false;
    if (hadFocus) GiveFocusBack();
    m_editor->setEnabled(false);
    m_editor->hide();
  }

  void GiveFocusBack() const {
    QWidget* target = m_owner ? m_owner.data() : m_editor->parentWidget();
    if (target) target->setFocus(Qt::OtherFocusReason);
  }

  bool CommitsOnFocusOut(const QFocusEvent* event) const { return m_bOpen && !IsPopupFocusChange(event); }

 private:
  QWidget* m_editor;
  QPointer<QWidget> m_owner;
  bool m_bOpen = false;
};

}  // namespace qorrin::gui
