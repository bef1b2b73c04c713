// The real desk built inside a benchmark program: the cards found through
// the given driver link, the control classes registered and the main window
// created as the desk does it, shown with its timecode row.
#pragma once

#include <windows.h>

#include "card/driver_link.h"

// Installs `driver`, a settings key that holds nothing (every card starts
// from the default record) and the multimedia clock; finds the cards,
// registers the control classes, creates the main window and shows it with
// the timecode row open (by a click on column 0's show/hide toggle). Null
// when there is no card or no window. `buildMs`, when given, receives the
// time from finding the cards to the window's existence (its four panels
// built and restored).
HWND BuildInProcessDesk(HINSTANCE instance, DriverLink* driver, double* buildMs = nullptr);

// Destroys the window and unregisters the control classes.
void CloseInProcessDesk(HWND window);

// Dispatches every message waiting for this thread.
void PumpMessages();

// The size of the window's client area.
SIZE ClientSize(HWND window);
