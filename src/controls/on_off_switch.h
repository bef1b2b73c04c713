// Kiv_OnOffClass: a two-state switch that flips at each left press and posts
// WM_COMMAND to its parent; BM_GETCHECK and BM_SETCHECK read and set it. Its
// four faces (off and on, pressed and released) are the program's bitmap
// resources 129 to 132, shared by every switch. A tab stop: Space and Enter
// are its press.
#pragma once

#include <windows.h>

// Creates a visible switch, off, the size of its released off face (resource
// 130), named `label` (its window text, for assistive tools; never drawn).
// Null when the window cannot be made.
HWND CreateOnOffSwitch(HINSTANCE instance, HWND parent, int id, int x, int y, const char* label = nullptr);
