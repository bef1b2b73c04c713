// Kiv_BmpTextClass: a short upper-case text, one character per 6 x 7 cell
// copied from a glyph strip of 39 cells. WM_SETTEXT replaces the text (at
// most 30 characters) and redraws at once, without changing the window's
// own title. It takes no input and sends nothing.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"

constexpr int kBitmapTextMostCells = 32;

// Creates a visible display of `cellCount` cells (cellCount x 6 by 7
// pixels) drawing from `glyphStrip` (the caller's, never deleted), with the
// window title `title` and the first text `text`. Null when the window cannot
// be made or `cellCount` is outside 0 to 32.
HWND CreateBitmapText(HINSTANCE instance, HWND parent, int id, int x, int y, const SkinImage& glyphStrip, int cellCount,
                      const char* title, const char* text);
