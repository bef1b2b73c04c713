// Kiv_TogleClass: a two-state bitmap button. It flips on a left press and
// posts WM_COMMAND code 1 to its parent (code 2 for a right click); the
// parent reads and sets it with BM_GETCHECK / BM_SETCHECK. A tab stop: Space
// and Enter are its left click, Shift+Space its right one, and the arrows
// move the focus within its WS_GROUP group, clicking the toggle they land on
// when it is off, as a dialog's radio buttons do.
#pragma once

#include <windows.h>

// Creates a visible toggle, initially off, the size of its on bitmap (zero
// when that bitmap is missing), named `label` (its window text, for
// assistive tools; never drawn). Returns nullptr when the window cannot be
// made.
HWND CreateToggle(HINSTANCE instance, HWND parent, int id, int x, int y, const char* onBitmap, const char* offBitmap,
                  const char* label = nullptr);
