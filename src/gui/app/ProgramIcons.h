#pragma once
// Icons of the tool bar and the program. The desktop theme's icon is used where the theme
// has one; otherwise our own, drawn as vectors at whatever size and pixel ratio the
// screen asks for, so they stay crisp at any scaling.
#include <QIcon>

namespace qorrin::gui {

enum class ProgramIcon { New, Open, Save, Read, Write, Print, Radio };

// The theme icon of that meaning, or our drawing of it.
QIcon ToolIcon(ProgramIcon icon);

// Our own drawing only (for the program icon and for tests).
QIcon DrawnIcon(ProgramIcon icon);

}  // namespace qorrin::gui
