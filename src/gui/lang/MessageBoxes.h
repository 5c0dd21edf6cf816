#pragma once
// The program's message boxes: a question with OK and Cancel, an error and a warning, their
// buttons in the language of the window.
#include <QString>

class QWidget;

namespace qorrin::gui {

// A question with the exclamation icon and the language's OK and Cancel buttons; true
// for OK. Questions whose OK may do harm make Cancel the default button.
bool AskOkCancel(QWidget* parent, const QString& caption, const QString& text, bool cancelIsDefault = false);

// An error box with the language's OK button; returns when the user has seen it.
void ShowErrorBox(QWidget* parent, const QString& caption, const QString& text);
// The same with the warning icon.
void ShowWarningBox(QWidget* parent, const QString& caption, const QString& text);

}  // namespace qorrin::gui
