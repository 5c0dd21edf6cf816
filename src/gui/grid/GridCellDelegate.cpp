#include "gui/grid/GridCellDelegate.h"

#include <QAbstractItemView>
#include <QPainter>

namespace qorrin::gui {
namespace {

constexpr qsizetype kMaxKeptTexts = 8192;  // far more than two grids show; a bound all the same

}  // namespace

const QStaticText& GridCellDelegate::LaidOut(const QString& text, const QFont& font) const {
  if (font != m_font || m_texts.size() >= kMaxKeptTexts) {
    m_texts.clear();
    m_font = font;
  }
  auto found = m_texts.find(text);
  if (found == m_texts.end()) {
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), font);
    found = m_texts.insert(text, laidOut);
  }
  return *found;
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  const QPalette& palette = option.palette;
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  const QVariant back = index.data(Qt::BackgroundRole);
  if (selected) {
    painter->fillRect(option.rect, palette.color(QPalette::Highlight));
  } else {
    painter->fillRect(option.rect, back.isValid() ? back.value<QColor>() : palette.color(QPalette::Base));
  }

  const QString text = index.data(Qt::DisplayRole).toString();
  if (!text.isEmpty()) {
    const QVariant fore = index.data(Qt::ForegroundRole);
    const QStaticText& laidOut = LaidOut(text, option.font);
    const QSizeF size = laidOut.size();
    const QPointF at(option.rect.left() + (option.rect.width() - size.width()) / 2.0,
                     option.rect.top() + (option.rect.height() - size.height()) / 2.0);
    painter->save();
    painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                             : (fore.isValid() ? fore.value<QColor>() : palette.color(QPalette::Text)));
    painter->setFont(option.font);
    // A text wider than its cell is cut at the cell's edges less a space's margin.
    const int margin = option.fontMetrics.horizontalAdvance(QLatin1Char(' '));
    if (size.width() > option.rect.width() - 2 * margin) {
      painter->setClipRect(option.rect.adjusted(margin, 0, -margin, 0), Qt::IntersectClip);
    }
    painter->drawStaticText(at, laidOut);
    painter->restore();
  }

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
