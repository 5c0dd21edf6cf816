#include "gui/app/MainKeys.h"

#include <QApplication>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace qorrin::gui {
namespace {

// The window's Ctrl+C is the port dialog's even inside a field: the field's "shortcut
// override" is refused so that the key goes to the window's shortcut. The edit keys act on
// the text of a field that has the focus (a cell editor, a frequency field), never on the
// document behind it; elsewhere they are the Edit menu's.
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
    if (EditKeys().contains(pressed) && IsTextField(widget)) {
      event->accept();  // the field's own key
      return true;
    }
    // Alt+Up and Alt+Down open and close a drop-down list; elsewhere they move channels.
    if ((pressed == QKeySequence(Qt::ALT | Qt::Key_Up) || pressed == QKeySequence(Qt::ALT | Qt::Key_Down)) &&
        qobject_cast<const QComboBox*>(widget) != nullptr) {
      event->accept();
      return true;
    }
    return false;
  }

 private:
  static bool IsTextField(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) != nullptr || qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(widget) != nullptr || qobject_cast<const QTextEdit*>(widget) != nullptr;
  }

  QMainWindow* m_frame;
};

}  // namespace

QList<QKeySequence> SilentKeys() { return {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)}; }

QList<QKeySequence> EditKeys() {
  return {QKeySequence(Qt::CTRL | Qt::Key_V),      QKeySequence(Qt::SHIFT | Qt::Key_Insert),
          QKeySequence(Qt::CTRL | Qt::Key_X),      QKeySequence(Qt::SHIFT | Qt::Key_Delete),
          QKeySequence(Qt::CTRL | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_Z),
          QKeySequence(Qt::ALT | Qt::Key_Backspace), QKeySequence(Qt::CTRL | Qt::Key_Y),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_A)};
}

void InstallMainKeys(QMainWindow* frame) { qApp->installEventFilter(new MainKeyFilter(frame)); }

}  // namespace qorrin::gui
