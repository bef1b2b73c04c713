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
// desk of that kind runs. Otherwise the running desk's panel is shown
// (WM_TRAY_NOTIFY with a left press, once its main window exists; a desk
// still starting is given a few seconds to make it) and false comes back:
// the caller then ends at once with exit code 0.
bool ClaimDesk(HINSTANCE instance, const char* kind);

// Marks the main window as the claimed desk's, so that a second start of
// the same kind finds it. Nothing when no desk was claimed (a desk built
// inside a test program).
void MarkClaimedDeskWindow(HWND window);
// Takes the mark off again, before the window is destroyed.
void UnmarkClaimedDeskWindow(HWND window);
