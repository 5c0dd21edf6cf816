#include "gui/grid/CGridCtrl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>

#include <algorithm>

#include "gui/grid/GridCellDelegate.h"
#include "gui/grid/GridModel.h"

namespace qorrin::gui {
namespace {

// The corner cell (the heading of the heading column) is the table's corner button, which
// Qt draws without a text; this draws it as a heading with the corner cell's text.
class CornerText : public QObject {
 public:
  CornerText(QAbstractButton* corner, const GridModel* model) : QObject(corner), m_model(model) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    auto* corner = static_cast<QWidget*>(watched);
    QStyleOptionHeader option;
    option.initFrom(corner);
    // The corner cannot be clicked, yet reads as a heading, not greyed.
    option.state |= QStyle::State_Enabled;
    option.palette.setCurrentColorGroup(corner->isActiveWindow() ? QPalette::Active : QPalette::Inactive);
    option.rect = corner->rect();
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.orientation = Qt::Horizontal;
    const GridCell* cell = m_model->FixedRows() && m_model->FixedColumns() ? m_model->Cell(0, 0) : nullptr;
    if (cell) option.text = cell->text;
    QStylePainter painter(corner);
    painter.drawControl(QStyle::CE_Header, option);
    return true;
  }

 private:
  const GridModel* m_model;
};

}  // namespace

CGridCtrl::CGridCtrl(QWidget* parent) : QTableView(parent), m_model(new GridModel(this)) {
  setModel(m_model);
  setItemDelegate(new GridCellDelegate(this));
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setFocusPolicy(Qt::StrongFocus);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  setCornerButtonEnabled(false);
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    header->setHighlightSections(false);
    header->setSectionsClickable(true);
    header->setDefaultAlignment(Qt::AlignCenter);
  }
  horizontalHeader()->setStretchLastSection(false);
  verticalHeader()->setDefaultSectionSize(30);
  connect(horizontalHeader(), &QHeaderView::sectionPressed, this,
          [this](int section) { OnHeadingPressed(Qt::Horizontal, section); });
  connect(verticalHeader(), &QHeaderView::sectionPressed, this,
          [this](int section) { OnHeadingPressed(Qt::Vertical, section); });
  if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) {
    corner->installEventFilter(new CornerText(corner, m_model));
  }
  UpdateColours();
  ApplyHeadingSizes();
}

bool CGridCtrl::SetRows(int rows) {
  if (rows < 0) return false;
  m_model->SetShape(rows, m_model->Columns(), m_model->FixedRows(), m_model->FixedColumns());
  ApplyHeadingSizes();
  return true;
}

bool CGridCtrl::SetColumns(int columns) {
  if (columns < 0) return false;
  m_model->SetShape(m_model->Rows(), columns, m_model->FixedRows(), m_model->FixedColumns());
  ApplyHeadingSizes();
  return true;
}

bool CGridCtrl::SetFixedRows(int rows) {
  if (rows < 0 || rows > 1) return false;
  m_model->SetShape(std::max(m_model->Rows(), rows), m_model->Columns(), rows, m_model->FixedColumns());
  ApplyHeadingSizes();
  return true;
}

bool CGridCtrl::SetFixedColumns(int columns) {
  if (columns < 0 || columns > 1) return false;
  m_model->SetShape(m_model->Rows(), std::max(m_model->Columns(), columns), m_model->FixedRows(), columns);
  ApplyHeadingSizes();
  return true;
}

int CGridCtrl::GetRowCount() const { return m_model->Rows(); }
int CGridCtrl::GetColumnCount() const { return m_model->Columns(); }
int CGridCtrl::GetFixedRowCount() const { return m_model->FixedRows(); }

// The heading row and column are Qt's headers: their height and width are the sizes of
// the fixed row and column; a missing heading hides its header.
void CGridCtrl::ApplyHeadingSizes() {
  updateGeometry();  // the size hint follows the rows and columns
  horizontalHeader()->setVisible(m_model->FixedRows() > 0);
  verticalHeader()->setVisible(m_model->FixedColumns() > 0);
  horizontalHeader()->setFixedHeight(m_fixedRowHeight);
  verticalHeader()->setFixedWidth(m_fixedColumnWidth);
}

QSize CGridCtrl::sizeHint() const {
  int width = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  for (int column = 0; column < GetColumnCount(); ++column) width += GetColumnWidth(column);
  int height = 2 * frameWidth() + (GetFixedRowCount() ? m_fixedRowHeight : 0);
  for (int row = GetFixedRowCount(); row < std::min(GetRowCount(), 16); ++row) height += GetRowHeight(row);
  return {width, height};
}

bool CGridCtrl::SetRowHeight(int row, int height) {
  if (height < 0 || row < 0 || row >= m_model->Rows()) return false;
  if (row < m_model->FixedRows()) {
    m_fixedRowHeight = height;
    ApplyHeadingSizes();
  } else {
    verticalHeader()->resizeSection(row - m_model->FixedRows(), height);
  }
  return true;
}

bool CGridCtrl::SetColumnWidth(int column, int width) {
  if (width < 0 || column < 0 || column >= m_model->Columns()) return false;
  if (column < m_model->FixedColumns()) {
    m_fixedColumnWidth = width;
    ApplyHeadingSizes();
  } else {
    horizontalHeader()->resizeSection(column - m_model->FixedColumns(), width);
    updateGeometry();
  }
  return true;
}

int CGridCtrl::GetRowHeight(int row) const {
  if (row < 0 || row >= m_model->Rows()) return -1;
  return row < m_model->FixedRows() ? m_fixedRowHeight : verticalHeader()->sectionSize(row - m_model->FixedRows());
}

int CGridCtrl::GetColumnWidth(int column) const {
  if (column < 0 || column >= m_model->Columns()) return -1;
  return column < m_model->FixedColumns() ? m_fixedColumnWidth
                                          : horizontalHeader()->sectionSize(column - m_model->FixedColumns());
}

bool CGridCtrl::SetCellText(int row, int column, const QString& text) {
  GridCell* cell = m_model->Cell(row, column);
  if (!cell) return false;
  if (cell->text != text) {
    cell->text = text;
    m_model->CellsChanged(row, column, column);
    if (row == 0 && column == 0) {
      if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) corner->update();
    }
  }
  return true;
}

QString CGridCtrl::GetCellText(int row, int column) const {
  const GridCell* cell = m_model->Cell(row, column);
  return cell ? cell->text : QString();
}

bool CGridCtrl::SetCellReadOnly(int row, int column, bool readOnly) {
  GridCell* cell = m_model->Cell(row, column);
  if (!cell) return false;
  if (cell->bReadOnly != readOnly) {
    cell->bReadOnly = readOnly;
    m_model->CellsChanged(row, column, column);
  }
  return true;
}

bool CGridCtrl::SetCellBackColour(int row, int column, const QColor& colour) {
  GridCell* cell = m_model->Cell(row, column);
  if (!cell) return false;
  if (cell->backColour != colour) {
    cell->backColour = colour;
    m_model->CellsChanged(row, column, column);
  }
  return true;
}

bool CGridCtrl::IsCellEditable(int row, int column) const {
  const GridCell* cell = m_model->Cell(row, column);
  return cell && !cell->bReadOnly && row >= m_model->FixedRows() &&
         column >= m_model->FixedColumns();
}

void CGridCtrl::EnableDrawing(bool allow) {
  m_model->HoldNotifications(!allow);
  if (allow) viewport()->update();
}

void CGridCtrl::RedrawRow(int row) {
  const QModelIndex first = m_model->IndexOf(row, m_model->FixedColumns());
  if (!first.isValid()) return;
  const QRect rect(0, rowViewportPosition(first.row()), viewport()->width(), rowHeight(first.row()));
  viewport()->repaint(rect);
}

bool CGridCtrl::SetFocusCell(int row, int column) {
  if (row == -1 && column == -1) {
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return true;
  }
  const QModelIndex index = m_model->IndexOf(row, column);
  if (!index.isValid()) return false;
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  return true;
}

int CGridCtrl::FocusRow() const {
  return currentIndex().isValid() ? m_model->GridRow(currentIndex()) : -1;
}

int CGridCtrl::FocusColumn() const {
  return currentIndex().isValid() ? m_model->GridColumn(currentIndex()) : -1;
}

QRect CGridCtrl::GetCellRect(int row, int column) const {
  const QModelIndex index = m_model->IndexOf(row, column);
  return index.isValid() ? visualRect(index) : QRect();
}

bool CGridCtrl::IsCellShown(int row, int column) const {
  const QRect rect = GetCellRect(row, column);
  return rect.isValid() && viewport()->rect().contains(rect.topLeft());
}

void CGridCtrl::ScrollIntoView(int row, int column) {
  const QModelIndex index = m_model->IndexOf(row, column);
  if (index.isValid()) scrollTo(index, QAbstractItemView::EnsureVisible);
}

void CGridCtrl::BeginEdit(int row, int column) {
  if (!m_model->IsValid(row, column)) return;
  ScrollIntoView(row, column);
  if (!IsCellEditable(row, column)) return;
  const QRect rect = GetCellRect(row, column);
  if (!rect.isValid() || !rect.intersects(viewport()->rect())) return;
  Q_EMIT beginEdit(row, column, GetCellText(row, column), rect);
}

// A click on a heading moves the focus into the body next to it and starts no edit.
void CGridCtrl::OnHeadingPressed(Qt::Orientation orientation, int section) {
  setFocus(Qt::MouseFocusReason);
  const QModelIndex current = currentIndex();
  const QModelIndex target = orientation == Qt::Horizontal
                                 ? m_model->index(0, section)
                                 : m_model->index(section, current.isValid() ? current.column() : 0);
  if (target.isValid()) selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
}

// Arrows move one cell; Tab and Shift+Tab wrap across rows but stop at the ends; Home and
// End take the first and last row of the column; Page Up and Down move by what scrolled.
QModelIndex CGridCtrl::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
  const QModelIndex current = currentIndex();
  const int rows = m_model->rowCount(), columns = m_model->columnCount();
  if (rows == 0 || columns == 0) return {};
  if (!current.isValid()) return m_model->index(0, 0);
  const int row = current.row(), column = current.column();
  switch (action) {
    case MoveLeft: return m_model->index(row, std::max(column - 1, 0));
    case MoveRight: return m_model->index(row, std::min(column + 1, columns - 1));
    case MoveUp: return m_model->index(std::max(row - 1, 0), column);
    case MoveDown: return m_model->index(std::min(row + 1, rows - 1), column);
    case MoveNext: return MoveTab(true);
    case MovePrevious: return MoveTab(false);
    case MoveHome:
      verticalScrollBar()->setValue(verticalScrollBar()->minimum());
      return m_model->index(0, column);
    case MoveEnd:
      verticalScrollBar()->setValue(verticalScrollBar()->maximum());
      return m_model->index(rows - 1, column);
    case MovePageDown: return MovePage(true);
    case MovePageUp: return MovePage(false);
  }
  return current;
}

QModelIndex CGridCtrl::MoveTab(bool forward) const {
  const QModelIndex current = currentIndex();
  const int rows = m_model->rowCount(), columns = m_model->columnCount();
  if (!current.isValid()) return m_model->index(0, 0);
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
  return m_model->index(row, column);
}

QModelIndex CGridCtrl::MovePage(bool down) {
  const QModelIndex current = currentIndex();
  QScrollBar* bar = verticalScrollBar();
  const int before = bar->value();
  bar->setValue(before + (down ? bar->pageStep() : -bar->pageStep()));
  const int scrolled = bar->value() - before;  // rows, the scrolling being by rows
  const int last = m_model->rowCount() - 1;
  const int row = scrolled != 0 ? std::clamp(current.row() + scrolled, 0, last) : (down ? last : 0);
  return m_model->index(row, current.column());
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
    BeginEdit(FocusRow(), FocusColumn());
    event->accept();
    return;
  }
  // Ctrl+Tab leaves the grid for the next control; plain Tab moves within it.
  if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
      (event->modifiers() & Qt::ControlModifier)) {
    QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

// Tab, also from inside an open editor (a child of the viewport): the editor gives up the
// focus, which commits it, and the focus cell moves on.
bool CGridCtrl::focusNextPrevChild(bool next) {
  if (!isVisible() || !isEnabled()) return QTableView::focusNextPrevChild(next);
  TakeFocusFromEditor();
  const QModelIndex target = MoveTab(next);
  if (target.isValid() && target != currentIndex()) {
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    scrollTo(target);
  }
  return true;
}

void CGridCtrl::TakeFocusFromEditor() {
  if (!hasFocus()) setFocus(Qt::OtherFocusReason);
}

void CGridCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  setFocus(Qt::MouseFocusReason);
  m_bLeftPressed = true;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && index != currentIndex()) {
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  }
  event->accept();
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CGridCtrl::mouseMoveEvent(QMouseEvent* event) {
  if (m_bLeftPressed && (event->buttons() & Qt::LeftButton)) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index != currentIndex()) {
      selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
  }
  event->accept();
}

// The release that ends a click (or a drag) starts an edit of the focus cell.
void CGridCtrl::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || !m_bLeftPressed) return;
  m_bLeftPressed = false;
  if (currentIndex().isValid()) BeginEdit(FocusRow(), FocusColumn());
}

void CGridCtrl::wheelEvent(QWheelEvent* event) {
  TakeFocusFromEditor();
  QTableView::wheelEvent(event);
}

// Scrolling moves the cells under an open editor: the editor gives up the focus first,
// which commits and closes it.
void CGridCtrl::scrollContentsBy(int dx, int dy) {
  if (m_bExternalEditor) TakeFocusFromEditor();
  QTableView::scrollContentsBy(dx, dy);
}

// The focus coming and going repaints only the focus cell (the item view would repaint
// every visible cell, which is most of the cost of closing an editor). A grid entered with
// the keyboard and no focus cell starts on the first cell.
void CGridCtrl::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  if (!currentIndex().isValid() && event->reason() != Qt::MouseFocusReason && m_model->rowCount() > 0 &&
      m_model->columnCount() > 0) {
    selectionModel()->setCurrentIndex(m_model->index(0, 0), QItemSelectionModel::NoUpdate);
  }
  if (currentIndex().isValid()) viewport()->update(visualRect(currentIndex()));
}

void CGridCtrl::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  if (currentIndex().isValid()) viewport()->update(visualRect(currentIndex()));
}

void CGridCtrl::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) UpdateColours();
  QTableView::changeEvent(event);
}

void CGridCtrl::UpdateColours() {
  m_model->SetGreyTextColour(palette().color(QPalette::Disabled, QPalette::WindowText));
}

}  // namespace qorrin::gui
