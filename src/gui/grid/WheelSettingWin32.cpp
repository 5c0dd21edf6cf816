#include <windows.h>

#include "gui/grid/WheelSetting.h"

namespace qorrin::gui {

// Asked at every wheel event, so a change in the Control Panel counts at once.
bool WheelScrollsByPage() {
  UINT lines = 3;
  return ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0) && lines == WHEEL_PAGESCROLL;
}

}  // namespace qorrin::gui
