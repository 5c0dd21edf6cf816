#include "gui/grid/CGridCtrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>

#include "gui/grid/GridCellDelegate.h"
#include "gui/grid/GridRoles.h"
#include "gui/grid/HeadingCorner.h"
#include "gui/grid/WheelSetting.h"

namespace qorrin::gui {
namespace {

constexpr int kDefaultFixedColumnWidth = 40;

}  // namespace

CGridCtrl::CGridCtrl(QWidget* parent) : QTableView(parent) {
  setItemDelegate(new GridCellDelegate(this));
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
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
  // Dragging over the row headings extends the selection.
  connect(verticalHeader(), &QHeaderView::sectionEntered, this, [this](int section) {
    if (m_anchorRow >= 0 && (QApplication::mouseButtons() & Qt::LeftButton)) {
      SelectRange(m_anchorRow, section);
      if (model()) selectionModel()->setCurrentIndex(model()->index(section, std::max(currentIndex().column(), 0)),
                                                     QItemSelectionModel::NoUpdate);
    }
  });
  verticalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(verticalHeader(), &QHeaderView::customContextMenuRequested, this, [this](const QPoint& at) {
    const int section = verticalHeader()->logicalIndexAt(at);
    // A right click on a row outside the selection selects that row and moves the focus
    // cell to it first, as a left click does.
    if (section >= 0 && !selectionModel()->isRowSelected(section, {})) {
      if (model()) selectionModel()->setCurrentIndex(model()->index(section, std::max(currentIndex().column(), 0)),
                                                     QItemSelectionModel::NoUpdate);
      PickRow(section, Qt::NoModifier);
    }
    Q_EMIT rowMenuRequested(verticalHeader()->viewport()->mapToGlobal(at));
  });
  ShowHeadingTitleInCorner(this);
  ApplySizes();
}

void CGridCtrl::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  if (model == nullptr) return;
  // Connected after the headers' own handling, so the sizes come back once they reset.
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    ApplySizes();
    UpdateHeadingCorner(this);
  });
  connect(model, &QAbstractItemModel::headerDataChanged, this, [this](Qt::Orientation orientation) {
    if (orientation == Qt::Vertical) UpdateHeadingCorner(this);
  });
  ApplySizes();
}

int CGridCtrl::GetRowCount() const { return model() ? model()->rowCount() + 1 : 0; }
int CGridCtrl::GetColumnCount() const { return model() ? model()->columnCount() + 1 : 0; }

QModelIndex CGridCtrl::IndexOf(int row, int column) const {
  if (model() == nullptr || row < 1 || column < 1) return {};
  return model()->index(row - 1, column - 1);
}

// The heading row and column are Qt's headers: their height and width are the sizes of
// the fixed row and column. A model reset forgets the sections' widths; they are set again.
void CGridCtrl::ApplySizes() {
  horizontalHeader()->setFixedHeight(m_fixedRowHeight);
  verticalHeader()->setFixedWidth(GetColumnWidth(0));
  for (int column = 1; column < std::min(GetColumnCount(), static_cast<int>(m_columnWidths.size())); ++column) {
    if (m_columnWidths[static_cast<std::size_t>(column)] > 0) {
      horizontalHeader()->resizeSection(column - 1, m_columnWidths[static_cast<std::size_t>(column)]);
    }
  }
  updateGeometry();  // the size hint follows the sizes
}

void CGridCtrl::SetFixedRowHeight(int height) {
  m_fixedRowHeight = std::max(height, 0);
  ApplySizes();
}

void CGridCtrl::SetRowHeight(int height) {
  verticalHeader()->setDefaultSectionSize(std::max(height, 0));
  updateGeometry();
}

bool CGridCtrl::SetColumnWidth(int column, int width) {
  if (width < 0 || column < 0) return false;
  if (static_cast<std::size_t>(column) >= m_columnWidths.size()) m_columnWidths.resize(static_cast<std::size_t>(column) + 1, 0);
  m_columnWidths[static_cast<std::size_t>(column)] = width;
  ApplySizes();
  return true;
}

int CGridCtrl::GetRowHeight(int row) const {
  if (row < 0 || row >= GetRowCount()) return -1;
  return row == 0 ? m_fixedRowHeight : verticalHeader()->sectionSize(row - 1);
}

int CGridCtrl::GetColumnWidth(int column) const {
  if (column == 0) {
    return m_columnWidths.empty() || m_columnWidths[0] == 0 ? kDefaultFixedColumnWidth : m_columnWidths[0];
  }
  if (column < 0 || column >= GetColumnCount()) return -1;
  return horizontalHeader()->sectionSize(column - 1);
}

QSize CGridCtrl::sizeHint() const {
  int width = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  for (int column = 0; column < GetColumnCount(); ++column) width += GetColumnWidth(column);
  int height = 2 * frameWidth() + m_fixedRowHeight;
  for (int row = 1; row < std::min(GetRowCount(), 16); ++row) height += GetRowHeight(row);
  return {width, height};
}

QString CGridCtrl::GetCellText(int row, int column) const {
  if (model() == nullptr || row < 0 || column < 0 || row >= GetRowCount() || column >= GetColumnCount()) {
    return {};
  }
  if (row == 0 && column == 0) return model()->headerData(0, Qt::Vertical, kHeadingTitleRole).toString();
  if (row == 0) return model()->headerData(column - 1, Qt::Horizontal, Qt::DisplayRole).toString();
  if (column == 0) return model()->headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString();
  return IndexOf(row, column).data(Qt::DisplayRole).toString();
}

bool CGridCtrl::IsCellEditable(int row, int column) const {
  const QModelIndex index = IndexOf(row, column);
  return index.isValid() && (index.flags() & Qt::ItemIsEditable);
}

void CGridCtrl::RedrawRow(int row) {
  const QModelIndex first = IndexOf(row, 1);
  if (!first.isValid()) return;
  viewport()->repaint(0, rowViewportPosition(first.row()), viewport()->width(), rowHeight(first.row()));
}

bool CGridCtrl::SetFocusCell(int row, int column) {
  if (row == -1 && column == -1) {
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return true;
  }
  const QModelIndex index = IndexOf(row, column);
  if (!index.isValid()) return false;
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  return true;
}

int CGridCtrl::FocusRow() const { return currentIndex().isValid() ? currentIndex().row() + 1 : -1; }
int CGridCtrl::FocusColumn() const { return currentIndex().isValid() ? currentIndex().column() + 1 : -1; }

QRect CGridCtrl::GetCellRect(int row, int column) const {
  const QModelIndex index = IndexOf(row, column);
  return index.isValid() ? visualRect(index) : QRect();
}

bool CGridCtrl::IsCellShown(int row, int column) const {
  const QRect rect = GetCellRect(row, column);
  return rect.isValid() && viewport()->rect().contains(rect.topLeft());
}

void CGridCtrl::ScrollIntoView(int row, int column) {
  const QModelIndex index = IndexOf(row, column);
  if (index.isValid()) scrollTo(index, QAbstractItemView::EnsureVisible);
}

void CGridCtrl::BeginEdit(int row, int column) {
  const QModelIndex index = IndexOf(row, column);
  if (!index.isValid()) return;
  ScrollIntoView(row, column);
  if (!IsCellEditable(row, column)) return;
  const QRect rect = GetCellRect(row, column);
  if (!rect.isValid() || !rect.intersects(viewport()->rect())) return;
  EndEdit(true);  // an editor still open elsewhere (its focus gone) counts as entered
  m_editIndex = index;
  edit(index, QAbstractItemView::AllEditTriggers, nullptr);
}

QWidget* CGridCtrl::OpenEditor() const {
  return state() == EditingState && m_editIndex.isValid() ? indexWidget(m_editIndex) : nullptr;
}

void CGridCtrl::EndEdit(bool store) {
  QWidget* editor = OpenEditor();
  if (editor == nullptr) return;
  if (store) commitData(editor);
  // Storing may have closed it already (a view update that the store led to).
  if (OpenEditor() == editor) closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
  // Shift with the keys that move between rows extends the row selection.
  const bool rowKey = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down || event->key() == Qt::Key_PageUp ||
                      event->key() == Qt::Key_PageDown || event->key() == Qt::Key_Home || event->key() == Qt::Key_End;
  if (rowKey && (event->modifiers() & Qt::ShiftModifier) && currentIndex().isValid()) {
    if (m_anchorRow < 0 || selectionModel()->selectedRows().isEmpty()) m_anchorRow = currentIndex().row();
    QTableView::keyPressEvent(event);
    SelectRange(m_anchorRow, currentIndex().row());
    return;
  }
  // Without Shift they leave the selection behind, as a plain click does.
  if (rowKey && event->modifiers() == Qt::NoModifier && !selectionModel()->selectedRows().isEmpty()) {
    ClearRowSelection();
  }
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
  // Shift or Ctrl with a click on a cell selects rows (and edits nothing); a plain click
  // leaves none selected.
  const Qt::KeyboardModifiers modifiers = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
  m_bSelectingPress = index.isValid() && modifiers != Qt::NoModifier;
  if (m_bSelectingPress) {
    PickRow(index.row(), modifiers);
  } else if (!selectionModel()->selectedRows().isEmpty()) {
    ClearRowSelection();
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
  if (m_bSelectingPress) return;
  if (currentIndex().isValid()) BeginEdit(FocusRow(), FocusColumn());
}

// A notch scrolls the system's lines per notch (Qt reads them), or a page when the system
// is set to scroll page-wise.
void CGridCtrl::wheelEvent(QWheelEvent* event) {
  TakeFocusFromEditor();
  const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
  if (notches != 0 && WheelScrollsByPage()) {
    for (int i = 0; i < std::abs(notches); ++i) {
      verticalScrollBar()->triggerAction(notches > 0 ? QAbstractSlider::SliderPageStepSub
                                                     : QAbstractSlider::SliderPageStepAdd);
    }
    event->accept();
    return;
  }
  QTableView::wheelEvent(event);
}

// Scrolling moves the cells under an open editor: the editor gives up the focus first,
// which stores and closes it.
void CGridCtrl::scrollContentsBy(int dx, int dy) {
  if (state() == EditingState) TakeFocusFromEditor();
  QTableView::scrollContentsBy(dx, dy);
}

// The focus coming and going repaints only the focus cell (the item view would repaint
// every visible cell, which is most of the cost of closing an editor). A grid entered with
// the keyboard and no focus cell starts on the first cell.
void CGridCtrl::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  if (!currentIndex().isValid() && event->reason() != Qt::MouseFocusReason && model() &&
      model()->rowCount() > 0 && model()->columnCount() > 0) {
    selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
  }
  if (currentIndex().isValid()) viewport()->update(visualRect(currentIndex()));
}

void CGridCtrl::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  if (currentIndex().isValid()) viewport()->update(visualRect(currentIndex()));
}

}  // namespace qorrin::gui
