#include "gui/grid/HeadingCorner.h"

#include <QAbstractButton>
#include <QEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableView>

#include "gui/grid/GridRoles.h"

namespace qorrin::gui {
namespace {

// The corner is the view's own button, a direct child.
QAbstractButton* CornerOf(const QTableView* view) {
  return view->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
}

class CornerPainter : public QObject {
 public:
  CornerPainter(QAbstractButton* corner, const QTableView* view) : QObject(corner), m_view(view) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    auto* corner = static_cast<QWidget*>(watched);
    QStyleOptionHeader option;
    option.initFrom(corner);
    // The corner cannot be clicked, yet reads as a heading, not greyed.
    option.state |= QStyle::State_Enabled;
    option.palette.setCurrentColorGroup(corner->isActiveWindow() ? QPalette::Active : QPalette::Inactive);
    option.rect = corner->rect();
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.orientation = Qt::Horizontal;
    if (const QAbstractItemModel* model = m_view->model()) {
      option.text = model->headerData(0, Qt::Vertical, kHeadingTitleRole).toString();
    }
    QStylePainter painter(corner);
    painter.drawControl(QStyle::CE_Header, option);
    return true;
  }

 private:
  const QTableView* m_view;
};

}  // namespace

void ShowHeadingTitleInCorner(QTableView* view) {
  if (QAbstractButton* corner = CornerOf(view)) corner->installEventFilter(new CornerPainter(corner, view));
}

void UpdateHeadingCorner(const QTableView* view) {
  if (QAbstractButton* corner = CornerOf(view)) corner->update();
}

}  // namespace qorrin::gui
