#pragma once
// The editor of the FM presets grid: the FM list opened on the preset's item (the model's
// Qt::EditRole). A pick from the opened list closes it, and leaving it stores its item
// through the model, also the item it opened with (that counts as a change too), as the
// base class does it.
#include "gui/grid/CellEditingDelegate.h"

namespace qorrin::gui {

class FmPresetDelegate : public CellEditingDelegate {
 public:
  using CellEditingDelegate::CellEditingDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
};

}  // namespace qorrin::gui
