#include "gui/grid/WheelSetting.h"

namespace qorrin::gui {

// Linux desktops give lines per notch only, which Qt applies.
bool WheelScrollsByPage() { return false; }

}  // namespace qorrin::gui
