#pragma once
// The drop-down list placed over a grid cell (tones, bandwidth, power, FM presets). The
// owner fills it before showing it; it opens on the first item that begins with the cell's
// text, remembers that text, and hands the focus back on Enter and Escape, Escape first
// going back to the item of the remembered text. The owner commits on focusLost (and, for
// lists that store every change, on the combo box's own activated signal).
#include <QComboBox>

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

 Q_SIGNALS:
  void focusLost();
  // Escape put the remembered item back (it is the current item now).
  void restored();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  CellEditorState m_state;
  QString m_remembered;
};

}  // namespace qorrin::gui
