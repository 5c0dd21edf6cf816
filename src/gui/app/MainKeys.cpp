#include "gui/app/MainKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>

namespace qorrin::gui {
namespace {

// Refuses the "shortcut override" of a focused field inside the frame for the window's
// own keys, so the key goes to the window's shortcut instead of the field.
class MainKeyFilter : public QObject {
 public:
  explicit MainKeyFilter(QMainWindow* frame) : QObject(frame), m_frame(frame) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_frame) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    if (pressed == QKeySequence(Qt::CTRL | Qt::Key_C) || SilentKeys().contains(pressed)) {
      event->ignore();
      return true;
    }
    return false;
  }

 private:
  QMainWindow* m_frame;
};

}  // namespace

QList<QKeySequence> SilentKeys() {
  return {QKeySequence(Qt::CTRL | Qt::Key_V),   QKeySequence(Qt::SHIFT | Qt::Key_Insert),
          QKeySequence(Qt::CTRL | Qt::Key_X),   QKeySequence(Qt::SHIFT | Qt::Key_Delete),
          QKeySequence(Qt::CTRL | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_Z),
          QKeySequence(Qt::ALT | Qt::Key_Backspace), QKeySequence(Qt::Key_F6),
          QKeySequence(Qt::SHIFT | Qt::Key_F6)};
}

void InstallMainKeys(QMainWindow* frame) { qApp->installEventFilter(new MainKeyFilter(frame)); }

}  // namespace qorrin::gui
