#pragma once
// The program's style: the one Qt picked (Fusion, or the platform's own) with a clear
// focus ring. The control that has the keyboard focus gets a two-pixel ring in the
// highlight colour, from start-up on and after a click as after Tab, where the styles
// themselves draw a faint line or a dotted frame, and only once a key was pressed.
#include <QProxyStyle>

namespace qorrin::gui {

class FocusRingStyle : public QProxyStyle {
  Q_OBJECT
 public:
  explicit FocusRingStyle(QStyle* base);

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                          const QWidget* widget = nullptr) const override;

 private:
  mutable bool m_bOwnRing = false;  // a ring of our own is drawn around the whole control
};

// Wraps the application's current style (once; later calls keep it).
void InstallFocusRingStyle();

}  // namespace qorrin::gui
