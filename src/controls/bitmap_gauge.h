// Kiv_BmpGageClass: a horizontal bar gauge showing a percentage as a filled
// left part and an empty right part. SBM_SETPOS sets the percentage and
// redraws at once; it takes no input and sends nothing.
#pragma once

#include <windows.h>

// Creates a visible gauge of the given client size showing `position`, named
// `label` (its window text, for assistive tools; never drawn). Null when the
// window cannot be made.
HWND CreateBitmapGauge(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height, int position,
                       const char* label = nullptr);
