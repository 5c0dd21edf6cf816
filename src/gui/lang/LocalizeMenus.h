#pragma once
// Applies the current language to the main menu: the four titles by position, the
// command items by command id wherever they sit. A missing key gives "Not Found" and the
// item still works; a command the menu does not hold is skipped; the recent-file entries
// and separators are left alone.
class QMenuBar;

namespace qorrin::gui {

void LocalizeMenus(QMenuBar* menuBar);

}  // namespace qorrin::gui
