#pragma once
// The typed-text editors placed over a grid cell: hidden until an owner shows one over a
// cell, they filter typed characters, remember the text they opened with and hand the
// focus back on Enter and Escape. Committing is the owner's: it listens to focusLost,
// which comes whenever the editor gives up the focus while open (Enter, Escape, Tab, a
// click elsewhere), but not while its own context menu is up.
//
// The filter is for typing only: pasted text arrives unfiltered, and the owner's rules
// must take any text.
#include <QLineEdit>

#include "gui/views/CellEditorState.h"

namespace qorrin::gui {

class CellLineEdit : public QLineEdit {
  Q_OBJECT
 public:
  CellLineEdit(int maxLength, QWidget* parent);

  // Shows the editor exactly over `rect` (its parent's coordinates) with the text, all of
  // it selected, remembers the text and takes the focus.
  void ShowOver(const QRect& rect, const QString& text);
  void HideEditor() { m_state.Close(); }
  bool IsOpen() const { return m_state.IsOpen(); }
  // Where Enter and Escape send the focus; the parent when none is set.
  void SetOwner(QWidget* owner) { m_state.SetOwner(owner); }

 Q_SIGNALS:
  void focusLost();

 protected:
  virtual bool AcceptsTyped(QChar character) const = 0;
  // The character a typed one stands for (a decimal comma for the point); itself by default.
  virtual QChar Translated(QChar character) const { return character; }
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  CellEditorState m_state;
  QString m_remembered;
};

// Frequencies: nine characters, digits and one decimal point; a typed comma is the
// decimal point, as many keyboards and locales write it.
class CCellEdit : public CellLineEdit {
  Q_OBJECT
 public:
  explicit CCellEdit(QWidget* parent) : CellLineEdit(9, parent) {}

 protected:
  QChar Translated(QChar character) const override {
    return character == QLatin1Char(',') ? QLatin1Char('.') : character;
  }
  // A point only while the text holds none, even if the one there is selected and would
  // be replaced.
  bool AcceptsTyped(QChar character) const override {
    return (character >= QLatin1Char('0') && character <= QLatin1Char('9')) ||
           (character == QLatin1Char('.') && !text().contains(QLatin1Char('.')));
  }
};

// Channel names: four characters, digits, letters (lower case shown as typed), space
// and minus.
class CNameCellEdit : public CellLineEdit {
  Q_OBJECT
 public:
  explicit CNameCellEdit(QWidget* parent) : CellLineEdit(4, parent) {}

 protected:
  bool AcceptsTyped(QChar character) const override {
    const char16_t c = character.unicode();
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u' ' ||
           c == u'-';
  }
};

}  // namespace qorrin::gui
