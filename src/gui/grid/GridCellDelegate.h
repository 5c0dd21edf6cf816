#pragma once
// Draws a grid cell as the grid wants it: its background, its text centred on one line in
// its colour, and a frame around the focus cell (in the text colour, so that it shows on
// light and dark themes alike). No selection highlight: the grid has no selection.
//
// Cell texts are laid out once and kept (a table shows the same few hundred texts on
// every repaint), which makes a repaint of the whole visible table several times quicker.
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace qorrin::gui {

class GridCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const QStaticText& LaidOut(const QString& text, const QFont& font) const;

  mutable QHash<QString, QStaticText> m_texts;
  mutable QFont m_font;  // the font m_texts were laid out in
};

}  // namespace qorrin::gui
