#include "gui/views/CCellCombo.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

namespace qorrin::gui {
namespace {

// A pause this long between two typed characters starts a new search.
constexpr qint64 kSearchPauseMs = 1000;
// Page Up and Page Down move by what the open list would show.
constexpr int kPageItems = 12;

}  // namespace

CCellCombo::CCellCombo(QWidget* parent) : QComboBox(parent), m_state(this) {
  setEditable(false);
  setMaxVisibleItems(kPageItems);
  connect(this, &QComboBox::activated, this, [this] { m_bPendingChoice = false; });
}

int CCellCombo::FindItemStarting(const QString& text) const {
  for (int i = 0; i < count(); ++i) {
    if (itemText(i).startsWith(text, Qt::CaseInsensitive)) return i;
  }
  return -1;
}

// A text that no item begins with keeps the selection the list had.
void CCellCombo::ShowOver(const QRect& rect, const QString& text) {
  m_state.Open(rect);
  if (const int item = FindItemStarting(text); item >= 0) setCurrentIndex(item);
  m_remembered = text;
  m_search.clear();
  m_bPendingChoice = false;
  setFocus(Qt::OtherFocusReason);
}

void CCellCombo::Choose(int item) {
  if (item < 0 || item >= count() || item == currentIndex()) return;
  setCurrentIndex(item);
  m_bPendingChoice = true;
}

bool CCellCombo::SearchTyped(const QString& typed) {
  if (!m_lastTyped.isValid() || m_lastTyped.elapsed() >= kSearchPauseMs) m_search.clear();
  m_lastTyped.restart();
  m_search += typed;
  // An item that begins with the whole prefix; a prefix that no item begins with keeps
  // the current item, as a list search does.
  Choose(FindItemStarting(m_search));
  return true;
}

bool CCellCombo::MoveBy(int key) {
  int item = currentIndex();
  switch (key) {
    case Qt::Key_Up: --item; break;
    case Qt::Key_Down: ++item; break;
    case Qt::Key_PageUp: item -= kPageItems - 1; break;
    case Qt::Key_PageDown: item += kPageItems - 1; break;
    case Qt::Key_Home: item = 0; break;
    case Qt::Key_End: item = count() - 1; break;
    default: return false;
  }
  m_search.clear();
  Choose(std::clamp(item, 0, count() - 1));
  return true;
}

void CCellCombo::keyPressEvent(QKeyEvent* event) {
  const bool listShown = view() != nullptr && view()->isVisible();
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  switch (event->key()) {
    case Qt::Key_Escape:
      if (const int item = FindItemStarting(m_remembered); item >= 0) setCurrentIndex(item);
      m_bPendingChoice = false;
      Q_EMIT restored();
      m_state.GiveFocusBack();
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      m_state.GiveFocusBack();
      event->accept();
      return;
    default:
      break;
  }
  // With the list closed the keys only move the choice; Alt+Down, F4 and Space open the
  // list as usual, and a pick from it stores at once.
  if (!listShown && modifiers == Qt::NoModifier && MoveBy(event->key())) {
    event->accept();
    return;
  }
  const QString typed = event->text();
  if (!listShown && !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
      !typed.isEmpty() && typed.front().isPrint() && typed != QStringLiteral(" ")) {
    SearchTyped(typed);
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}

void CCellCombo::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (m_state.CommitsOnFocusOut(event)) Q_EMIT focusLost();
}

}  // namespace qorrin::gui
