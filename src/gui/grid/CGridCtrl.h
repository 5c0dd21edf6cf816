#pragma once
// The program's table control: a grid of text cells with an optional fixed heading row
// and fixed heading column, one focus cell, keyboard and mouse navigation, and no editor
// of its own. When the user wants to edit a cell (Enter, or the release of a click) the
// grid asks its owner through beginEdit, and the owner places its own editor over the
// cell. Selection and resizing are off: the focus cell is all there is.
//
// Row and column numbers count the fixed row and column: cell (0, 0) is the corner,
// (r, 0) a row heading, (0, c) a column heading. A call with a cell outside the grid does
// nothing and returns false (or an empty text, or -1 for a size).
#include <QTableView>

namespace qorrin::gui {

class GridModel;

class CGridCtrl : public QTableView {
  Q_OBJECT
 public:
  explicit CGridCtrl(QWidget* parent = nullptr);

  // Shape. A fixed count is 0 or 1 (the heading row, the heading column).
  bool SetRows(int rows);
  bool SetColumns(int columns);
  bool SetFixedRows(int rows);
  bool SetFixedColumns(int columns);
  int GetRowCount() const;
  int GetColumnCount() const;
  int GetFixedRowCount() const;

  // Sizes in device-independent pixels.
  bool SetRowHeight(int row, int height);
  bool SetColumnWidth(int column, int width);
  int GetRowHeight(int row) const;
  int GetColumnWidth(int column) const;

  // Cells.
  bool SetCellText(int row, int column, const QString& text);
  QString GetCellText(int row, int column) const;
  bool SetCellReadOnly(int row, int column, bool readOnly);
  bool SetCellBackColour(int row, int column, const QColor& colour);  // invalid: the grid's
  // Whether an edit may start there: the cell is neither fixed nor read-only.
  bool IsCellEditable(int row, int column) const;

  // While drawing is off, cell changes are only stored; switching it on again repaints
  // everything once. For building a whole table quickly.
  void EnableDrawing(bool allow);
  // Repaints a row at once (after its cells changed while drawing was on they repaint
  // anyway; this is for callers that want the paint to happen now).
  void RedrawRow(int row);

  // The focus cell; (-1, -1) when there is none.
  bool SetFocusCell(int row, int column);
  int FocusRow() const;
  int FocusColumn() const;

  // The rectangle of a non-fixed cell in the viewport's coordinates, where the owner's
  // editors live (children of viewport()); empty for fixed cells and cells outside.
  QRect GetCellRect(int row, int column) const;
  bool IsCellShown(int row, int column) const;
  void ScrollIntoView(int row, int column);

  // Scrolls the cell into view and, when it is editable and shown, emits beginEdit.
  virtual void BeginEdit(int row, int column);

  // Wide enough for every column beside the vertical scroll bar, and about fifteen rows.
  QSize sizeHint() const override;

  // Set by the owner while one of its editors is open over a cell.
  void SetExternalEditor(bool open) { m_bExternalEditor = open; }

 Q_SIGNALS:
  // The user wants to edit the cell; `rect` is GetCellRect(row, column).
  void beginEdit(int row, int column, const QString& text, const QRect& rect);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void keyboardSearch(const QString&) override {}  // typing a letter does not move the focus
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QModelIndex MoveTab(bool forward) const;
  QModelIndex MovePage(bool down);
  void OnHeadingPressed(Qt::Orientation orientation, int section);
  void ApplyHeadingSizes();
  void TakeFocusFromEditor();
  void UpdateColours();

  GridModel* m_model = nullptr;
  bool m_bExternalEditor = false;
  bool m_bLeftPressed = false;  // a left press on the grid that the release completes
  int m_fixedRowHeight = 30;
  int m_fixedColumnWidth = 40;
};

}  // namespace qorrin::gui
