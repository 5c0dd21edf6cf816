#include "gui/grid/CellEditingDelegate.h"

#include <QPointer>

#include "gui/grid/EditorFocus.h"

namespace qorrin::gui {
namespace {

// Properties an editor carries while it is open: filled once, and not yet closed.
constexpr char kLoaded[] = "qorrinCellEditorLoaded";
constexpr char kClosed[] = "qorrinCellEditorClosed";

}  // namespace

void CellEditingDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (editor->property(kLoaded).toBool()) return;
  editor->setProperty(kLoaded, true);
  GridCellDelegate::setEditorData(editor, index);
}

void CellEditingDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                               const QModelIndex&) const {
  editor->setGeometry(option.rect);
}

void CellEditingDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
  editor->setProperty(kClosed, true);
  GridCellDelegate::destroyEditor(editor, index);
}

bool CellEditingDelegate::eventFilter(QObject* watched, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(watched);
  if (editor == nullptr || event->type() != QEvent::FocusOut ||
      IsPopupFocusChange(static_cast<QFocusEvent*>(event))) {
    return false;
  }
  const QPointer<QWidget> guard(editor);
  Q_EMIT commitData(editor);
  // Storing may have closed it already (a view update that the store led to).
  if (guard && !guard->property(kClosed).toBool()) Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
  return false;
}

}  // namespace qorrin::gui
