#pragma once
// How far a notch of the mouse wheel scrolls, as the system is set. Qt follows the lines
// per notch itself; the page-wise setting of Windows ("one screen at a time") it does not
// know, so the grid asks here.

namespace qorrin::gui {

// True when the system scrolls a page per wheel notch.
bool WheelScrollsByPage();

}  // namespace qorrin::gui
