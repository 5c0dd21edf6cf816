#pragma once
// The editors of the channel table's cells: the frequency editor for the receive and
// transmit frequency, a tone list for each tone, the bandwidth and power list and the name
// editor, each opened on what the model's Qt::EditRole gives (the text, or the item of the
// list) and stored through the model, that is the core's commit of the cell, as the base
// class does it.
//
// When each stores: a frequency or name when it is left; a tone when it is left, which a
// pick from its opened list does at once, and also when Escape took it back to the
// opening item (every tone commit counts as a change); bandwidth and power at every pick
// from the opened list and at Escape, staying open, and a choice made with the keys when
// the editor is left.
#include "gui/grid/CellEditingDelegate.h"

namespace qorrin::gui {

class CCellCombo;

class ChannelCellDelegate : public CellEditingDelegate {
 public:
  using CellEditingDelegate::CellEditingDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

 private:
  CCellCombo* CreateList(QWidget* parent, int column) const;
};

}  // namespace qorrin::gui
