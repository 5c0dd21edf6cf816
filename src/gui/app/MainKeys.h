#pragma once
// The main window's keys take precedence over its edit fields: Ctrl+C opens the port
// dialog and the editing and pane keys of the window do nothing, even where a field
// would otherwise copy, paste or undo. Dialogs on top of the window keep their keys.
#include <QKeySequence>
#include <QList>

class QMainWindow;

namespace qorrin::gui {

// Ctrl+V, Shift+Insert, Ctrl+X, Shift+Delete, Ctrl+Insert, Ctrl+Z, Alt+Backspace, F6, Shift+F6.
QList<QKeySequence> SilentKeys();

void InstallMainKeys(QMainWindow* frame);

}  // namespace qorrin::gui
