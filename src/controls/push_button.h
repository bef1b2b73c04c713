// Kiv_ButtonClass: a momentary push button drawn from a pressed and a
// released face. It shows the pressed face while a mouse button is held on
// it and posts WM_COMMAND to its parent when the button is released over it:
// code 1 for the left button, 2 for the right one. A tab stop: Space and
// Enter are its left click, Shift+Space its right one.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"

// Creates a visible push button the size of its released face (zero when
// that face is null). The faces belong to the caller (normally the skin
// bitmap cache) and are never deleted by the button; `label` is its window
// text, for assistive tools, never drawn. Null when the window cannot be
// made.
HWND CreatePushButton(HINSTANCE instance, HWND parent, int id, int x, int y, const SkinImage& released,
                      const SkinImage& pressed, const char* label = nullptr);
