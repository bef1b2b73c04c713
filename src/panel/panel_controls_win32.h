// The panel's controls as Windows sees them: toggles and digit fields are
// child windows reached with their messages, and the timecode row is shown
// by giving the main window its tall form.
#pragma once

#include <windows.h>

// Installs the Windows controls for the panel logic. `instance` is the one
// the skin bitmaps are loaded from.
void InstallWin32PanelControls(HINSTANCE instance);
