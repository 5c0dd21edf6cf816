// The grid's selection of whole rows (CGridCtrl.h): picked, extended and toggled as a
// spreadsheet does it.
#include "gui/grid/CGridCtrl.h"

#include <QApplication>

#include <algorithm>

namespace qorrin::gui {

// A click on a heading moves the focus into the body next to it and starts no edit; on a
// row heading it selects rows as well.
void CGridCtrl::OnHeadingPressed(Qt::Orientation orientation, int section) {
  setFocus(Qt::MouseFocusReason);
  if (model() == nullptr) return;
  const QModelIndex current = currentIndex();
  const QModelIndex target = orientation == Qt::Horizontal
                                 ? model()->index(0, section)
                                 : model()->index(section, current.isValid() ? current.column() : 0);
  if (target.isValid()) selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
  if (orientation == Qt::Vertical) PickRow(section, QApplication::keyboardModifiers());
}

void CGridCtrl::PickRow(int modelRow, Qt::KeyboardModifiers modifiers) {
  if (model() == nullptr || modelRow < 0 || modelRow >= model()->rowCount()) return;
  if (modifiers & Qt::ShiftModifier) {
    SelectRange(m_anchorRow >= 0 ? m_anchorRow : modelRow, modelRow);
    return;
  }
  m_anchorRow = modelRow;
  const QItemSelection row(model()->index(modelRow, 0), model()->index(modelRow, model()->columnCount() - 1));
  if (modifiers & Qt::ControlModifier) {
    selectionModel()->select(row, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
  } else {
    selectionModel()->select(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
}

void CGridCtrl::SelectRange(int fromModelRow, int toModelRow) {
  if (model() == nullptr) return;
  const int first = std::min(fromModelRow, toModelRow), last = std::max(fromModelRow, toModelRow);
  const QItemSelection rows(model()->index(first, 0), model()->index(last, model()->columnCount() - 1));
  selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

std::vector<int> CGridCtrl::SelectedRows() const {
  std::vector<int> rows;
  if (model() == nullptr) return rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row() + 1);
  std::sort(rows.begin(), rows.end());
  return rows;
}

void CGridCtrl::SelectRows(const std::vector<int>& rows) {
  if (model() == nullptr) return;
  QItemSelection selection;
  for (int row : rows) {
    if (row >= 1 && row <= model()->rowCount()) {
      selection.select(model()->index(row - 1, 0), model()->index(row - 1, model()->columnCount() - 1));
    }
  }
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  m_anchorRow = rows.empty() ? -1 : rows.front() - 1;
}

void CGridCtrl::SelectAllRows() {
  if (model() == nullptr || model()->rowCount() == 0) return;
  SelectRange(0, model()->rowCount() - 1);
  m_anchorRow = 0;
}

void CGridCtrl::ClearRowSelection() {
  selectionModel()->clearSelection();
  m_anchorRow = -1;
}

}  // namespace qorrin::gui
