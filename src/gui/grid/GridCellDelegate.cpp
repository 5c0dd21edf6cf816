#include "gui/grid/GridCellDelegate.h"

#include <QAbstractItemView>
#include <QPainter>

namespace qorrin::gui {

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  const QPalette& palette = option.palette;
  const QVariant back = index.data(Qt::BackgroundRole);
  painter->fillRect(option.rect, back.isValid() ? back.value<QColor>() : palette.color(QPalette::Base));

  const QVariant fore = index.data(Qt::ForegroundRole);
  const QColor textColour = fore.isValid() ? fore.value<QColor>() : palette.color(QPalette::Text);
  const int margin = option.fontMetrics.horizontalAdvance(QLatin1Char(' '));
  const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
  painter->save();
  painter->setPen(textColour);
  painter->setFont(option.font);
  painter->setClipRect(option.rect);
  painter->drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, index.data(Qt::DisplayRole).toString());
  painter->restore();

  const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
  if (view && view->currentIndex() == index) {
    painter->save();
    painter->setPen(QPen(palette.color(QPalette::WindowText), 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter->restore();
  }
}

}  // namespace qorrin::gui
