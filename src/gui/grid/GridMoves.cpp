// Where the grid's keys move the focus cell (CGridCtrl.h).
#include "gui/grid/CGridCtrl.h"

#include <QScrollBar>

#include <algorithm>

namespace qorrin::gui {

// Arrows move one cell; Tab and Shift+Tab wrap across rows but stop at the ends; Home and
// End take the first and last row of the column; Page Up and Down move by what scrolled.
QModelIndex CGridCtrl::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
  const QModelIndex current = currentIndex();
  const int rows = model() ? model()->rowCount() : 0, columns = model() ? model()->columnCount() : 0;
  if (rows == 0 || columns == 0) return {};
  if (!current.isValid()) return model()->index(0, 0);
  const int row = current.row(), column = current.column();
  switch (action) {
    case MoveLeft: return model()->index(row, std::max(column - 1, 0));
    case MoveRight: return model()->index(row, std::min(column + 1, columns - 1));
    case MoveUp: return model()->index(std::max(row - 1, 0), column);
    case MoveDown: return model()->index(std::min(row + 1, rows - 1), column);
    case MoveNext: return MoveTab(true);
    case MovePrevious: return MoveTab(false);
    case MoveHome:
      verticalScrollBar()->setValue(verticalScrollBar()->minimum());
      return model()->index(0, column);
    case MoveEnd:
      verticalScrollBar()->setValue(verticalScrollBar()->maximum());
      return model()->index(rows - 1, column);
    case MovePageDown: return MovePage(true);
    case MovePageUp: return MovePage(false);
  }
  return current;
}

QModelIndex CGridCtrl::MoveTab(bool forward) const {
  const QModelIndex current = currentIndex();
  if (model() == nullptr) return {};
  const int rows = model()->rowCount(), columns = model()->columnCount();
  if (!current.isValid()) return model()->index(0, 0);
  int row = current.row(), column = current.column() + (forward ? 1 : -1);
  if (column >= columns) {
    if (row + 1 >= rows) return current;
    ++row;
    column = 0;
  } else if (column < 0) {
    if (row == 0) return current;
    --row;
    column = columns - 1;
  }
  return model()->index(row, column);
}

QModelIndex CGridCtrl::MovePage(bool down) {
  const QModelIndex current = currentIndex();
  QScrollBar* bar = verticalScrollBar();
  const int before = bar->value();
  bar->setValue(before + (down ? bar->pageStep() : -bar->pageStep()));
  const int scrolled = bar->value() - before;  // rows, the scrolling being by rows
  const int last = model()->rowCount() - 1;
  const int row = scrolled != 0 ? std::clamp(current.row() + scrolled, 0, last) : (down ? last : 0);
  return model()->index(row, current.column());
}

}  // namespace qorrin::gui
