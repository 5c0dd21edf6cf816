#pragma once
// The program's table control over an item model that its owner sets: the model's items
// are the cells, its horizontal header data the fixed heading row and its vertical header
// data the fixed heading column. The grid keeps one focus cell and moves it with the
// keyboard and the mouse. It has no editor of its own: the owner sets an item delegate
// (CellEditingDelegate.h) that creates the editor fitting a cell, and the grid opens it
// over the cell when the user wants to edit it (Enter, or the release of a click). Qt's
// own edit triggers stay off: those two are the only ways into an edit. Scrolling, the
// wheel and Tab first take the focus from an open editor, which stores and closes it.
// Sizes are the grid's own, not the model's.
//
// Besides the focus cell, whole rows can be selected (for commands on several rows): a
// click on a row heading selects that row, Shift with a click or with the arrow, page,
// Home and End keys extends the selection from the row it started at, Ctrl with a click
// adds or removes a row. A plain click on a cell leaves no rows selected. Selecting moves
// the focus cell into the row but never starts an edit. Resizing is off.
//
// Row and column numbers count the fixed row and column: cell (0, 0) is the corner,
// (r, 0) a row heading, (0, c) a column heading, (r, c) the model's item (r - 1, c - 1).
// A call with a cell outside the grid does nothing and returns false (or an empty text, or
// -1 for a size).
//
// What the grid reads of the model: Qt::DisplayRole (the text), flags() (a cell without
// Qt::ItemIsEditable starts no edit), Qt::ForegroundRole and Qt::BackgroundRole (colours
// other than the grid's), and kHeadingTitleRole (GridRoles.h) for the corner.
#include <QPersistentModelIndex>
#include <QTableView>

#include <vector>

namespace qorrin::gui {

class CGridCtrl : public QTableView {
  Q_OBJECT
 public:
  explicit CGridCtrl(QWidget* parent = nullptr);

  void setModel(QAbstractItemModel* model) override;

  // The model's rows and columns, each plus the fixed one; 0 without a model.
  int GetRowCount() const;
  int GetColumnCount() const;

  // Sizes in device-independent pixels: the heading row's height, the height of every
  // other row (they are all alike) and each column's width, column 0 the heading column.
  // They stay when the model is reset.
  void SetFixedRowHeight(int height);
  void SetRowHeight(int height);
  bool SetColumnWidth(int column, int width);
  int GetRowHeight(int row) const;
  int GetColumnWidth(int column) const;

  // What the cell shows, headings included.
  QString GetCellText(int row, int column) const;
  // Whether an edit may start there: not a heading, and the model lets the item be edited.
  bool IsCellEditable(int row, int column) const;
  // Paints a row at once, for callers that want the paint to happen now.
  void RedrawRow(int row);

  // The focus cell; (-1, -1) when there is none.
  bool SetFocusCell(int row, int column);
  int FocusRow() const;
  int FocusColumn() const;

  // The rectangle of a non-heading cell in the viewport's coordinates, where the owner's
  // editors live (children of viewport()); empty for headings and cells outside.
  QRect GetCellRect(int row, int column) const;
  bool IsCellShown(int row, int column) const;
  void ScrollIntoView(int row, int column);

  // Scrolls the cell into view and, when it is editable and shown, opens the delegate's
  // editor over it.
  virtual void BeginEdit(int row, int column);
  // The editor open over a cell; null when none is.
  QWidget* OpenEditor() const;
  // Closes an open editor, first storing what it holds when `store` is true (a command
  // that reads the document counts an open editor as entered); the focus it had goes to
  // the grid.
  void EndEdit(bool store);

  // Selected rows, grid numbering (1 = the first row of the model), ascending.
  std::vector<int> SelectedRows() const;
  void SelectRows(const std::vector<int>& rows);  // replaces the selection
  void SelectAllRows();
  void ClearRowSelection();

  // Wide enough for every column beside the vertical scroll bar, and about fifteen rows.
  QSize sizeHint() const override;

 Q_SIGNALS:
  // The context menu was asked for on a row heading (`global` in screen coordinates).
  void rowMenuRequested(const QPoint& global);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  // The view's own handlers never select: rows are selected by the grid's rules only.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex&, const QEvent*) const override {
    return QItemSelectionModel::NoUpdate;
  }
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void keyboardSearch(const QString&) override {}  // typing a letter does not move the focus
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QModelIndex IndexOf(int row, int column) const;  // invalid for headings and outside
  QModelIndex MoveTab(bool forward) const;
  QModelIndex MovePage(bool down);
  void OnHeadingPressed(Qt::Orientation orientation, int section);
  // A row picked with the keyboard's modifiers as given: extend, toggle or select alone.
  void PickRow(int modelRow, Qt::KeyboardModifiers modifiers);
  void SelectRange(int fromModelRow, int toModelRow);
  void ApplySizes();
  void TakeFocusFromEditor();

  bool m_bLeftPressed = false;  // a left press on the grid that the release completes
  bool m_bSelectingPress = false;  // that press selected rows: its release edits nothing
  int m_anchorRow = -1;            // model row the selection was started from
  int m_fixedRowHeight = 30;
  std::vector<int> m_columnWidths;  // by grid column; 0: the header's default
  QPersistentModelIndex m_editIndex;  // the cell of the last edit begun
};

}  // namespace qorrin::gui
