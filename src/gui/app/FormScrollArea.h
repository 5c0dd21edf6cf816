#pragma once
// The main window's client area: the form inside a scroll area that asks for the form's
// full size, so that the window grows to show all of it, yet may be made smaller than
// the form (a small screen, a large scale): then the form keeps the size it needs and
// scrolls inside the window, instead of reaching past the screen's edge or squeezing its
// lists until their texts are cut.
#include <QScrollArea>

namespace qorrin::gui {

class FormScrollArea : public QScrollArea {
  Q_OBJECT
 public:
  explicit FormScrollArea(QWidget* form, QWidget* parent);
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FitForm();
};

}  // namespace qorrin::gui
