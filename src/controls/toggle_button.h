// Kiv_TogleClass: a two-state bitmap button. It flips on a left press and
// posts WM_COMMAND code 1 to its parent (code 2 for a right click); the
// parent reads and sets it with BM_GETCHECK / BM_SETCHECK.
#pragma once

#include <windows.h>

// Creates a visible toggle, initially off, the size of its on bitmap (zero
// when that bitmap is missing). Returns nullptr when the window cannot be made.
HWND CreateToggle(HINSTANCE instance, HWND parent, int id, int x, int y, const char* onBitmap, const char* offBitmap);
