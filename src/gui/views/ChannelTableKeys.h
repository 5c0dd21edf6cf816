#pragma once
// Keys of the channel table that stand for a channel command, as in a spreadsheet: Delete
// on selected rows empties them (Clear Channels; the channels below stay where they are),
// and Shift+F10 or the Menu key opens the row commands' menu at the focus cell. They
// count only where the table itself has the focus: in an open cell editor Delete and the
// menu keys are the editor's.
#include <functional>

class QPoint;

namespace qorrin::gui {

class CGridCtrl;

void InstallChannelTableKeys(CGridCtrl* grid, std::function<void()> clearRows,
                             std::function<void(const QPoint& global)> openMenu);

}  // namespace qorrin::gui
