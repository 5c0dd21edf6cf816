#pragma once
// Applies the current language to a dialog or form: the caption from [Resource] under
// the template id, and every descendant that carries a control id (labels, buttons,
// check boxes, group boxes) from [Resource] under its own id. A missing or empty entry
// keeps the widget's built-in text. Afterwards every control's accessible name is its
// visible label, and a field with a buddy label is named by that label, so a screen
// reader announces the field with its label in the current language.
class QWidget;

namespace qorrin::gui {

void LocalizeDialog(QWidget* window, int templateId);

}  // namespace qorrin::gui
