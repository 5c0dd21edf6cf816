#include "gui/views/ChannelTableKeys.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

#include "gui/grid/CGridCtrl.h"

namespace qorrin::gui {
namespace {

class ChannelTableKeys : public QObject {
 public:
  ChannelTableKeys(CGridCtrl* grid, std::function<void()> clearRows, std::function<void(const QPoint&)> openMenu)
      : QObject(grid), m_grid(grid), m_clearRows(std::move(clearRows)), m_openMenu(std::move(openMenu)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != m_grid) return false;
    if (event->type() == QEvent::KeyPress) return KeyPressed(static_cast<QKeyEvent*>(event));
    // The platform's own keyboard request for a context menu (where it sends one).
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
      m_openMenu(MenuPoint());
      return true;
    }
    return false;
  }

 private:
  bool KeyPressed(const QKeyEvent* key) {
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Delete && modifiers == Qt::NoModifier && !m_grid->SelectedRows().empty()) {
      m_clearRows();
      return true;
    }
    const bool menuKey = key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier;
    const bool shiftF10 = key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier;
    if (menuKey || shiftF10) {
      m_openMenu(MenuPoint());
      return true;
    }
    return false;
  }

  // Below the focus cell's left part, where the eye is; the table's corner without one.
  QPoint MenuPoint() const {
    QRect cell = m_grid->GetCellRect(m_grid->FocusRow(), m_grid->FocusColumn());
    if (cell.isValid()) cell = cell.intersected(m_grid->viewport()->rect());
    const QPoint at = cell.isValid() ? QPoint(cell.left() + cell.width() / 4, cell.bottom()) : QPoint(0, 0);
    return m_grid->viewport()->mapToGlobal(at);
  }

  CGridCtrl* m_grid;
  std::function<void()> m_clearRows;
  std::function<void(const QPoint&)> m_openMenu;
};

}  // namespace

void InstallChannelTableKeys(CGridCtrl* grid, std::function<void()> clearRows,
                             std::function<void(const QPoint& global)> openMenu) {
  grid->installEventFilter(new ChannelTableKeys(grid, std::move(clearRows), std::move(openMenu)));
}

}  // namespace qorrin::gui
