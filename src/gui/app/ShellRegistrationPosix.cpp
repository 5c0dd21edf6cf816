#include "gui/app/ShellRegistration.h"

namespace qorrin::gui {

// The desktop entry and the MIME package (packaging/) register the type when installed.
void RegisterProjectFileType() {}

}  // namespace qorrin::gui
