#pragma once
// The drop-down list that a delegate opens over a grid cell (tones, bandwidth, power, FM
// presets). It opens on the cell's item (Load) and remembers it; Enter and Escape hand
// the focus back to the grid, Escape first going back to the remembered item (and saying
// so with restored()). Leaving the editor is what stores it: the delegate commits it then.
//
// With the list closed, typed characters search it as one growing prefix ("136" finds
// 136.5; a pause of a second starts a new search) and the arrow, page, Home and End keys
// move through it. A pick from the opened list comes as the combo box's activated signal.
// TakeChoice tells a delegate that stores every pick at once whether a choice is still to
// be stored.
#include <QComboBox>
#include <QElapsedTimer>

namespace qorrin::gui {

class CCellCombo : public QComboBox {
  Q_OBJECT
  // What a delegate loads (the cell's item) and stores (the current item).
  Q_PROPERTY(int item READ currentIndex WRITE Load USER true)

 public:
  CCellCombo(const QStringList& items, QWidget* parent);

  // Selects the item (an item outside the list keeps the first one) and remembers it.
  void Load(int item);
  // Whether a choice was made since the last call (keys or a search that moved it, a pick
  // from the opened list, Escape going back), and forgets it.
  bool TakeChoice();
  void GiveFocusBack();

 Q_SIGNALS:
  // Escape put the remembered item back (it is the current item now).
  void restored();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int FindItemStarting(const QString& text) const;
  void SearchTyped(const QString& typed);
  bool MoveBy(int key);
  void Choose(int item);

  int m_remembered = -1;
  QString m_search;  // the prefix typed so far
  QElapsedTimer m_lastTyped;
  bool m_bChoiceMade = false;
};

}  // namespace qorrin::gui
