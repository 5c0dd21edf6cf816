#include "gui/app/FormScrollArea.h"

#include <QEvent>

namespace qorrin::gui {

FormScrollArea::FormScrollArea(QWidget* form, QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("FormScrollArea"));
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(false);  // sized here: never below what it needs
  setWidget(form);
  form->installEventFilter(this);
  FitForm();
}

QSize FormScrollArea::sizeHint() const {
  const QWidget* form = widget();
  if (form == nullptr) return QScrollArea::sizeHint();
  const int frame = 2 * frameWidth();
  return form->sizeHint().expandedTo(form->minimumSizeHint()) + QSize(frame, frame);
}

// The form fills the window where there is room and keeps the size it needs where not.
void FormScrollArea::FitForm() {
  if (QWidget* form = widget()) form->resize(viewport()->size().expandedTo(form->sizeHint()));
}

void FormScrollArea::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  FitForm();
}

bool FormScrollArea::eventFilter(QObject* watched, QEvent* event) {
  // The form measured itself again (new texts, a filled table): its size and the
  // window's wish follow.
  if (watched == widget() && event->type() == QEvent::LayoutRequest) {
    updateGeometry();
    FitForm();
  }
  return QScrollArea::eventFilter(watched, event);
}

}  // namespace qorrin::gui
