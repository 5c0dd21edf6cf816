#include "gui/app/FocusRingStyle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace qorrin::gui {
namespace {

constexpr qreal kRingWidth = 2;

bool HasFocus(const QStyleOption* option) { return option != nullptr && (option->state & QStyle::State_HasFocus); }

void DrawRing(QPainter* painter, const QRect& rect, const QPalette& palette) {
  if (rect.width() < 2 * kRingWidth || rect.height() < 2 * kRingWidth) return;
  painter->save();
  QPen pen(palette.color(QPalette::Active, QPalette::Highlight), kRingWidth);
  pen.setJoinStyle(Qt::MiterJoin);
  painter->setPen(pen);
  painter->setBrush(Qt::NoBrush);
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->drawRect(QRectF(rect).adjusted(kRingWidth / 2, kRingWidth / 2, -kRingWidth / 2, -kRingWidth / 2));
  painter->restore();
}

}  // namespace

FocusRingStyle::FocusRingStyle(QStyle* base) : QProxyStyle(base) {}

void FocusRingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
  switch (element) {
    case PE_FrameFocusRect:
      if (m_bOwnRing) return;  // the whole control is ringed: no second frame inside it
      // The current item of a list keeps the style's own frame.
      if (qobject_cast<const QAbstractItemView*>(widget) != nullptr) break;
      DrawRing(painter, option->rect, option->palette);
      return;
    case PE_FrameLineEdit:
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      if (HasFocus(option) && !m_bOwnRing) DrawRing(painter, option->rect, option->palette);
      return;
    default:
      break;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusRingStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
  // A push button: the ring around the whole button.
  if (element == CE_PushButton && HasFocus(option)) {
    m_bOwnRing = true;
    QProxyStyle::drawControl(element, option, painter, widget);
    m_bOwnRing = false;
    DrawRing(painter, option->rect, option->palette);
    return;
  }
  QProxyStyle::drawControl(element, option, painter, widget);
  // The frame of a table or a list that has the focus.
  if (element == CE_ShapedFrame && HasFocus(option) && qobject_cast<const QAbstractScrollArea*>(widget) != nullptr) {
    DrawRing(painter, option->rect, option->palette);
  }
}

void FocusRingStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
  const bool ring = (control == CC_ComboBox || control == CC_SpinBox) && HasFocus(option);
  m_bOwnRing = ring;
  QProxyStyle::drawComplexControl(control, option, painter, widget);
  m_bOwnRing = false;
  if (ring) DrawRing(painter, option->rect, option->palette);
}

void InstallFocusRingStyle() {
  if (qobject_cast<FocusRingStyle*>(QApplication::style()) != nullptr) return;
  QStyle* base = QStyleFactory::create(QApplication::style()->name());
  if (base == nullptr) return;
  QApplication::setStyle(new FocusRingStyle(base));
}

}  // namespace qorrin::gui
