#pragma once
// How an owner's editors work on the grid, through Qt's item delegate: the owner's subclass
// creates the editor that fits a cell (createEditor). As Qt's own delegate does, the
// editor's user property is filled from the model's Qt::EditRole (setEditorData) and stored
// through the model's setData (setModelData), which a subclass may narrow. The view opens
// the editor exactly over its cell (updateEditorGeometry), keeps it there and closes it; this class has it committed and closed when the focus leaves it (Enter and
// Escape, which the editors answer by handing the focus back to the grid; Tab; a click
// elsewhere; the wheel), but not when only a popup opens over it (its drop-down list, its
// context menu). Keys are the editors' own: unlike Qt's default delegate, this one does
// not take Enter, Escape or Tab from them.
//
// An open editor keeps what the user typed: a change of the document made elsewhere, which
// the model announces for every item, does not fill the editor again.
#include "gui/grid/GridCellDelegate.h"

namespace qorrin::gui {

class CellEditingDelegate : public GridCellDelegate {
 public:
  using GridCellDelegate::GridCellDelegate;

  void setEditorData(QWidget* editor, const QModelIndex& index) const final;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace qorrin::gui
