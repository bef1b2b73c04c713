// The card monitor: desk-sim.exe's own window beside the desk. For every
// simulated card it shows, live, what the card and its external unit were
// told (decoded from the registers, not taken from the desk), and it lets
// the user play the driver's part: post a routing notification to the desk,
// or unplug and replug the external unit. Closing it ends the simulated
// desk, whose own interface has no way to end.
#pragma once

#include <windows.h>

class SimDriverLink;

// Creates and shows the monitor for every card of `driver`, placed so that
// it leaves the desk's window `desk` free in its tallest form. The driver
// must outlive the window. Null when the window cannot be made.
HWND CreateCardMonitor(HINSTANCE instance, HWND desk, SimDriverLink* driver);

// Shows `text` in the monitor's footer, where the latest word of the
// simulated driver stands until the next one. Nothing without a monitor.
void ShowMonitorNotice(HWND monitor, const char* text);

// Destroys the monitor (when it still exists) and unregisters its class.
void DestroyCardMonitor(HINSTANCE instance, HWND monitor);
