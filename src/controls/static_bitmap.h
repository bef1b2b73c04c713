// Kiv_StaticClass: shows one cached skin bitmap; WM_SETICON with a bitmap
// name (lParam, a char*) replaces it. Sends nothing to its parent.
#pragma once

#include <windows.h>

// Creates a visible static bitmap the size of its bitmap (zero when it is
// missing), named `label` (its window text, for assistive tools; never
// drawn). Returns nullptr when the window cannot be made.
HWND CreateStaticBitmap(HINSTANCE instance, HWND parent, int id, int x, int y, const char* bitmap,
                        const char* label = nullptr);
