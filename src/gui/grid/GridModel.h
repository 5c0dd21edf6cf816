#pragma once
// The cells of a grid: a rectangle of text cells, the first row and the first column
// optionally fixed (headings). The fixed row becomes the view's horizontal header, the
// fixed column its vertical header; the other cells are the model's items. Indexes in the
// public calls count the fixed row and column, as the grid's own calls do.
#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <vector>

namespace qorrin::gui {

struct GridCell {
  QString text;
  bool bReadOnly = false;
  QColor backColour;  // invalid: the grid's own colour
};

class GridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit GridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  // Shape, fixed row and column included. Cells kept where they still fit.
  void SetShape(int rows, int columns, int fixedRows, int fixedColumns);
  int Rows() const { return m_rows; }
  int Columns() const { return m_columns; }
  int FixedRows() const { return m_fixedRows; }
  int FixedColumns() const { return m_fixedColumns; }
  bool IsValid(int row, int column) const {
    return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
  }

  // Null outside the grid.
  GridCell* Cell(int row, int column);
  const GridCell* Cell(int row, int column) const;

  // Tells the view that cells changed. While notifications are held, nothing is sent
  // until they are released, which then sends one change for everything.
  void CellsChanged(int row, int firstColumn, int lastColumn);
  void HoldNotifications(bool hold);

  // The model index of a grid cell (invalid for fixed cells) and back.
  QModelIndex IndexOf(int row, int column) const;
  int GridRow(const QModelIndex& index) const { return index.row() + m_fixedRows; }
  int GridColumn(const QModelIndex& index) const { return index.column() + m_fixedColumns; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Read-only cells show their text in this colour unless they have one of their own.
  void SetGreyTextColour(const QColor& colour) { m_greyText = colour; }

 private:
  QVariant CellData(const GridCell& cell, int role) const;

  int m_rows = 0, m_columns = 0, m_fixedRows = 0, m_fixedColumns = 0;
  std::vector<GridCell> m_cells;  // row-major, m_rows x m_columns
  bool m_bHeld = false;
  QColor m_greyText;
};

}  // namespace qorrin::gui
