#pragma once
// Draws a grid cell as the grid wants it: its background, its text centred on one line in
// its colour, and a frame around the focus cell (in the text colour, so that it shows on
// light and dark themes alike). No selection highlight: the grid has no selection.
#include <QStyledItemDelegate>

namespace qorrin::gui {

class GridCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace qorrin::gui
