// Kiv_DigitClass: a three-digit readout drawn from a strip of ten 6 x 7
// digit cells. SBM_SETPOS sets the number and redraws at once; a new display
// shows 359. It takes no input and sends nothing.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"

// Creates a visible 18 x 7 display drawing from `digitStrip` (the caller's,
// never deleted), named `label` (its window text, for assistive tools; never
// drawn). Null when the window cannot be made.
HWND CreateDigitDisplay(HINSTANCE instance, HWND parent, int id, int x, int y, const SkinImage& digitStrip,
                        const char* label = nullptr);
