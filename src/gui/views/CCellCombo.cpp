#include "gui/views/CCellCombo.h"

#include <QAbstractItemView>
#include <QKeyEvent>

#include <algorithm>
#include <utility>

#include "gui/grid/EditorFocus.h"

namespace qorrin::gui {
namespace {

// A pause this long between two typed characters starts a new search.
constexpr qint64 kSearchPauseMs = 1000;
// Page Up and Page Down move by what the open list would show.
constexpr int kPageItems = 12;

}  // namespace

CCellCombo::CCellCombo(const QStringList& items, QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  setMaxVisibleItems(kPageItems);
  addItems(items);
  connect(this, &QComboBox::activated, this, [this] { m_bChoiceMade = true; });
}

void CCellCombo::Load(int item) {
  if (item >= 0 && item < count()) setCurrentIndex(item);
  m_remembered = item;
}

bool CCellCombo::TakeChoice() { return std::exchange(m_bChoiceMade, false); }

void CCellCombo::GiveFocusBack() { GiveFocusToGrid(this); }

// The first item that begins with the text, letter case ignored; -1 when none does.
int CCellCombo::FindItemStarting(const QString& text) const {
  for (int i = 0; i < count(); ++i) {
    if (itemText(i).startsWith(text, Qt::CaseInsensitive)) return i;
  }
  return -1;
}

void CCellCombo::Choose(int item) {
  if (item < 0 || item >= count() || item == currentIndex()) return;
  setCurrentIndex(item);
  m_bChoiceMade = true;
}

void CCellCombo::SearchTyped(const QString& typed) {
  if (!m_lastTyped.isValid() || m_lastTyped.elapsed() >= kSearchPauseMs) m_search.clear();
  m_lastTyped.restart();
  m_search += typed;
  // An item that begins with the whole prefix; a prefix that no item begins with keeps
  // the current item, as a list search does.
  Choose(FindItemStarting(m_search));
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
      if (m_remembered >= 0 && m_remembered < count()) setCurrentIndex(m_remembered);
      m_bChoiceMade = true;
      Q_EMIT restored();
      GiveFocusBack();
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      GiveFocusBack();
      event->accept();
      return;
    default:
      break;
  }
  // With the list closed the keys only move the choice; Alt+Down, F4 and Space open the
  // list as usual.
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

}  // namespace qorrin::gui
