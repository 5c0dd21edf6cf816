#pragma once
// The typed-text editors that a delegate opens over a grid cell: they filter typed
// characters, remember the text they opened with (Load) and hand the focus back to the
// grid on Enter and Escape, Escape first going back to that text. Leaving the editor is
// what stores it: the delegate commits it then.
//
// The filter is for typing only: pasted text arrives unfiltered, and the owner's rules
// must take any text.
#include <QLineEdit>

namespace qorrin::gui {

class CellLineEdit : public QLineEdit {
  Q_OBJECT
  // What a delegate loads (the cell's text) and stores (the text now).
  Q_PROPERTY(QString cellText READ text WRITE Load USER true)

 public:
  CellLineEdit(int maxLength, QWidget* parent);

  // Shows the text and remembers it.
  void Load(const QString& text);

 protected:
  virtual bool AcceptsTyped(QChar character) const = 0;
  // The character a typed one stands for (a decimal comma for the point); itself by default.
  virtual QChar Translated(QChar character) const { return character; }
  void keyPressEvent(QKeyEvent* event) override;

 private:
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
