#pragma once
// The project files' type in the desktop shell. On Windows the program registers ".7Q" for
// the current user each time it starts (no administrator rights needed), so a double-click
// on a project file opens it even when the program was only unzipped somewhere. On Linux
// the installed desktop entry and MIME type do that; nothing happens at start.

namespace qorrin::gui {

void RegisterProjectFileType();

}  // namespace qorrin::gui
