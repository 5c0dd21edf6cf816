#include "gui/grid/GridModel.h"

#include <algorithm>

namespace qorrin::gui {

void GridModel::SetShape(int rows, int columns, int fixedRows, int fixedColumns) {
  rows = std::max(rows, 0);
  columns = std::max(columns, 0);
  std::vector<GridCell> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
  for (int r = 0; r < std::min(rows, m_rows); ++r) {
    for (int c = 0; c < std::min(columns, m_columns); ++c) {
      cells[static_cast<std::size_t>(r * columns + c)] = std::move(*Cell(r, c));
    }
  }
  beginResetModel();
  m_cells = std::move(cells);
  m_rows = rows;
  m_columns = columns;
  m_fixedRows = std::clamp(fixedRows, 0, std::min(rows, 1));
  m_fixedColumns = std::clamp(fixedColumns, 0, std::min(columns, 1));
  endResetModel();
}

GridCell* GridModel::Cell(int row, int column) {
  return IsValid(row, column) ? &m_cells[static_cast<std::size_t>(row * m_columns + column)] : nullptr;
}

const GridCell* GridModel::Cell(int row, int column) const {
  return IsValid(row, column) ? &m_cells[static_cast<std::size_t>(row * m_columns + column)] : nullptr;
}

void GridModel::CellsChanged(int row, int firstColumn, int lastColumn) {
  if (m_bHeld || !IsValid(row, firstColumn) || !IsValid(row, lastColumn)) return;
  if (row < m_fixedRows) {
    Q_EMIT headerDataChanged(Qt::Horizontal, std::max(firstColumn - m_fixedColumns, 0),
                             std::max(lastColumn - m_fixedColumns, 0));
    return;
  }
  if (firstColumn < m_fixedColumns) {
    Q_EMIT headerDataChanged(Qt::Vertical, row - m_fixedRows, row - m_fixedRows);
    firstColumn = m_fixedColumns;
  }
  if (firstColumn <= lastColumn) Q_EMIT dataChanged(IndexOf(row, firstColumn), IndexOf(row, lastColumn));
}

void GridModel::HoldNotifications(bool hold) {
  if (m_bHeld == hold) return;
  m_bHeld = hold;
  if (hold) return;
  if (rowCount() > 0 && columnCount() > 0) {
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }
  if (columnCount() > 0) Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  if (rowCount() > 0) Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

QModelIndex GridModel::IndexOf(int row, int column) const {
  if (!IsValid(row, column) || row < m_fixedRows || column < m_fixedColumns) return {};
  return index(row - m_fixedRows, column - m_fixedColumns);
}

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_rows - m_fixedRows;
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_columns - m_fixedColumns;
}

QVariant GridModel::CellData(const GridCell& cell, int role) const {
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return cell.text;
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::ForegroundRole:
      if (cell.bReadOnly && m_greyText.isValid()) return m_greyText;
      return {};
    case Qt::BackgroundRole:
      return cell.backColour.isValid() ? QVariant(cell.backColour) : QVariant();
    default:
      return {};
  }
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const GridCell* cell = Cell(GridRow(index), GridColumn(index));
  return cell ? CellData(*cell, role) : QVariant();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const GridCell* cell = orientation == Qt::Horizontal ? (m_fixedRows ? Cell(0, section + m_fixedColumns) : nullptr)
                                                       : (m_fixedColumns ? Cell(section + m_fixedRows, 0) : nullptr);
  if (!cell) return {};
  if (role == Qt::ForegroundRole || role == Qt::BackgroundRole) return {};  // the header's look
  return CellData(*cell, role);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const GridCell* cell = Cell(GridRow(index), GridColumn(index));
  Qt::ItemFlags flags = Qt::ItemIsEnabled;
  if (cell && !cell->bReadOnly) flags |= Qt::ItemIsEditable;
  return flags;
}

}  // namespace qorrin::gui
