// The control gallery in the test's own process: its window on every class
// of the toolkit, for tests that drive or draw the classes as the gallery
// shows them.
#pragma once

#include <windows.h>

namespace wintest {

// Registers the toolkit's classes and makes the gallery's window (hidden);
// null when it cannot be made.
HWND OpenGalleryInProcess();
// Destroys the window, lets its last messages go and unregisters the classes.
void CloseGalleryInProcess(HWND gallery);

}  // namespace wintest
