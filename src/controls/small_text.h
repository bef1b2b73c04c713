// Kiv_SmallTextClass: a one-line label in the toolkit's shared font, centred
// at the top of a solid background. WM_SETTEXT replaces the text shown (at
// most 63 characters; a longer one is cut) without changing the window's own
// title. It takes no input and sends nothing.
#pragma once

#include <windows.h>

// Creates a visible label of the given client size whose window title and
// first text are both `text`. Null when the window cannot be made.
HWND CreateSmallText(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height, const char* text,
                     COLORREF textColor, COLORREF backColor);
