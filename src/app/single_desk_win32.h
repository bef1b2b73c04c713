// One desk at a time: a second start of the desk finds the first one, shows
// its panel the way a click on its tray icon does, and ends before it opens
// the driver, touches a card or reads or writes the registry. Two desks
// would both restore the cards from the stored records, behind the first
// desk's panel, and hold the driver's notify window in turn.
#pragma once

#include <windows.h>

// Claims the desk of `kind` ("desk" for the real one, "simulated" for the
// simulated one: the two do not count as each other) for this process, for
// the rest of its life, within this Windows session. True when no other
// desk of that kind runs. Otherwise false comes back with `running` set to
// the running desk's main window (a desk still starting is given a few
// seconds to make it; null when it does not): the caller hands it what it
// was asked to do and ends at once.
bool ClaimDesk(HINSTANCE instance, const char* kind, HWND* running);

// Shows the running desk's panel as a click on its tray icon does
// (WM_TRAY_NOTIFY with a left press). Nothing for a null window.
void ShowRunningDesk(HWND running);

// Marks the main window as the claimed desk's, so that a second start of
// the same kind finds it. Nothing when no desk was claimed (a desk built
// inside a test program).
void MarkClaimedDeskWindow(HWND window);
// Takes the mark off again, before the window is destroyed.
void UnmarkClaimedDeskWindow(HWND window);
