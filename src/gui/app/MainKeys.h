#pragma once
// The main window's keys and its edit fields: Ctrl+C opens the port dialog even where a
// field would copy, the pane keys do nothing, and the edit keys (undo, redo, cut, copy,
// paste, select all) act on a text field that has the focus and otherwise on the document
// through the Edit menu. Dialogs on top of the window keep their keys.
#include <QKeySequence>
#include <QList>

class QMainWindow;

namespace qorrin::gui {

// F6, Shift+F6: taken by the window and doing nothing.
QList<QKeySequence> SilentKeys();
// Ctrl+V, Shift+Insert, Ctrl+X, Shift+Delete, Ctrl+Insert, Ctrl+Z, Alt+Backspace, Ctrl+Y,
// Ctrl+Shift+Z, Ctrl+A.
QList<QKeySequence> EditKeys();

void InstallMainKeys(QMainWindow* frame);

}  // namespace qorrin::gui
