#include "gui/app/ProgramIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qorrin::gui {
namespace {

// Draws one icon into a 16 x 16 design grid scaled to the requested rectangle.
class DrawnIconEngine : public QIconEngine {
 public:
  explicit DrawnIconEngine(ProgramIcon icon) : m_icon(icon) {}
  QIconEngine* clone() const override { return new DrawnIconEngine(m_icon); }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / 16.0, rect.height() / 16.0);
    if (mode == QIcon::Disabled) painter->setOpacity(0.4);
    Draw(*painter);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }

  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    QPixmap pixmap(size * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }

 private:
  void Draw(QPainter& p) const {
    const QColor ink(0x33, 0x3b, 0x44);
    const QPen outline(ink, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(outline);
    switch (m_icon) {
      case ProgramIcon::New: {
        QPainterPath page;
        page.moveTo(3.5, 1.5); page.lineTo(9.5, 1.5); page.lineTo(12.5, 4.5);
        page.lineTo(12.5, 14.5); page.lineTo(3.5, 14.5); page.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(page);
        p.drawPolyline(QPolygonF({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}));
        break;
      }
      case ProgramIcon::Open: {
        p.setBrush(QColor(0xf2, 0xc1, 0x4e));
        p.drawPolygon(QPolygonF({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}}));
        p.setBrush(QColor(0xf7, 0xd6, 0x7f));
        p.drawPolygon(QPolygonF({{3, 7.5}, {15, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
        break;
      }
      case ProgramIcon::Save: {
        p.setBrush(QColor(0x3d, 0x6f, 0xb6));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(0xdd, 0xe6, 0xf2));
        p.drawRect(QRectF(4, 9.5, 8, 5));
        break;
      }
      case ProgramIcon::Read:
      case ProgramIcon::Write: {
        DrawRadio(p, 1.0);
        const bool down = m_icon == ProgramIcon::Read;
        p.setPen(QPen(QColor(0x1f, 0x8a, 0x3c), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(12, 3), QPointF(12, 13));
        if (down) p.drawPolyline(QPolygonF({{9.5, 10.5}, {12, 13}, {14.5, 10.5}}));
        else p.drawPolyline(QPolygonF({{9.5, 5.5}, {12, 3}, {14.5, 5.5}}));
        break;
      }
      case ProgramIcon::Print: {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0x8a, 0x93, 0x9c));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.2, 1.2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
      }
      case ProgramIcon::Radio: DrawRadio(p, 0.0); break;
    }
  }

  // A handheld radio: antenna, body, display and keypad; `left` shifts it for the
  // transfer icons, which put an arrow beside it.
  void DrawRadio(QPainter& p, double shift) const {
    const double x = m_icon == ProgramIcon::Radio ? 3.5 : 1.5 - shift + 1.0;
    const double w = m_icon == ProgramIcon::Radio ? 9.0 : 7.0;
    p.drawLine(QPointF(x + 1.5, 1.0), QPointF(x + 1.5, 4.5));
    p.setBrush(QColor(0x2e, 0x34, 0x3b));
    p.drawRoundedRect(QRectF(x, 4.5, w, 10.5), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9f, 0xd6, 0xf2));
    p.drawRect(QRectF(x + 1.2, 6, w - 2.4, 3));
    p.setBrush(QColor(0xc8, 0xcd, 0xd2));
    for (int row = 0; row < 2; ++row) {
      for (int col = 0; col < 2; ++col) {
        p.drawRect(QRectF(x + 1.3 + col * (w - 2.6) / 2, 10.2 + row * 2.2, (w - 3.2) / 2, 1.4));
      }
    }
    p.setPen(QPen(QColor(0x33, 0x3b, 0x44), 1.0));
  }

  ProgramIcon m_icon;
};

const char* ThemeName(ProgramIcon icon) {
  switch (icon) {
    case ProgramIcon::New: return "document-new";
    case ProgramIcon::Open: return "document-open";
    case ProgramIcon::Save: return "document-save";
    case ProgramIcon::Print: return "document-print";
    default: return nullptr;  // no theme icon means "radio to PC"
  }
}

}  // namespace

QIcon DrawnIcon(ProgramIcon icon) { return QIcon(new DrawnIconEngine(icon)); }

QIcon ToolIcon(ProgramIcon icon) {
  const char* name = ThemeName(icon);
  return name ? QIcon::fromTheme(QString::fromLatin1(name), DrawnIcon(icon)) : DrawnIcon(icon);
}

}  // namespace qorrin::gui
