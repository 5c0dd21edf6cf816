#pragma once
// The OK (1) and Cancel (2) buttons every dialog of the program has, with their ids and
// built-in texts, so LocalizeDialog gives them the language's words.
class QDialogButtonBox;
class QPushButton;
class QWidget;

namespace qorrin::gui {

struct DialogButtons {
  QDialogButtonBox* box;
  QPushButton* ok;      // the default button
  QPushButton* cancel;
};

DialogButtons MakeOkCancel(QWidget* parent);

}  // namespace qorrin::gui
