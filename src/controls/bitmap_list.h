// Kiv_BmpListClass: shows one picture of a list. A left press moves to the
// next picture, a right press to the previous one, the wheel either way; the
// index stops at both ends. Every press and notch posts WM_COMMAND; the
// parent reads and sets the index with SBM_GETPOS and SBM_SETPOS. A tab
// stop: Space, Enter, Down and Right are its left press, Shift+Space, Up and
// Left its right one.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"

// Creates a visible list of `count` pictures (at least 1) showing `index`,
// the size of the largest picture. The control keeps its own copy of the
// array and frees it with itself; the bitmaps stay the caller's.
// `label` is its window text, for assistive tools, never drawn. Null when the
// window cannot be made or `count` is below 1.
HWND CreateBitmapList(HINSTANCE instance, HWND parent, int id, int x, int y, const SkinImage* pictures, int count,
                      int index, const char* label = nullptr);
