#pragma once
// The drop-down list placed over a grid cell (tones, bandwidth, power, FM presets). The
// owner fills it before showing it; it opens on the first item that begins with the cell's
// text, remembers that text, and hands the focus back on Enter and Escape, Escape first
// going back to the item of the remembered text. The owner commits on focusLost (and, for
// lists that store every pick, on the combo box's own activated signal, which only a pick
// from the open list gives).
//
// With the list closed, typed characters search it as one growing prefix ("136" finds
// 136.5; a pause of a second starts a new search) and the arrow, page, Home and End keys
// move through it; none of these stores anything by itself: the choice counts when the
// editor is left (Enter, Tab, a click elsewhere). HasPendingChoice tells an owner that
// stores every pick whether such a choice is still to be stored.
#include <QComboBox>
#include <QElapsedTimer>

#include "gui/views/CellEditorState.h"

namespace qorrin::gui {

class CCellCombo : public QComboBox {
  Q_OBJECT
 public:
  explicit CCellCombo(QWidget* parent);

  void ShowOver(const QRect& rect, const QString& text);
  void HideEditor() { m_state.Close(); }
  bool IsOpen() const { return m_state.IsOpen(); }
  void SetOwner(QWidget* owner) { m_state.SetOwner(owner); }
  // The first item that begins with the text, letter case ignored; -1 when none does.
  int FindItemStarting(const QString& text) const;
  bool HasPendingChoice() const { return m_bPendingChoice; }

 Q_SIGNALS:
  void focusLost();
  // Escape put the remembered item back (it is the current item now).
  void restored();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool SearchTyped(const QString& typed);
  bool MoveBy(int key);
  void Choose(int item);

  CellEditorState m_state;
  QString m_remembered;
  QString m_search;  // the prefix typed so far
  QElapsedTimer m_lastTyped;
  bool m_bPendingChoice = false;
};

}  // namespace qorrin::gui
