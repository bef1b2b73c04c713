// Kiv_KnobClass: a rotary control on a 270-degree sweep, its value shown by
// a small indicator on a circle around the centre (the minimum lower left,
// the maximum lower right). Pointing (press or drag), the Up and Down keys
// and the wheel set the value; the parent hears of every change through
// WM_HSCROLL (SB_THUMBTRACK while dragging, SB_THUMBPOSITION otherwise).
// SBM_GETPOS and SBM_SETPOS read and set it; a double click goes on to the
// parent. The knob never draws its whole face: it puts back, from its
// background picture, the patch under the indicator's last place and draws
// the indicator at the new one. A tab stop.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"

struct KnobArgs {
    int width;  // the client size
    int height;
    int minValue;  // below maxValue
    int maxValue;
    int value;                    // the first value
    int step;                     // per key press or wheel notch
    SkinImage indicator;          // without and with the keyboard focus (the
    SkinImage focusedIndicator;   // caller's, never deleted)
    HBITMAP background;           // what lies under the knob, in client coordinates
    const char* label = nullptr;  // its window text, for assistive tools; never drawn
};

// Creates a visible knob. It takes `background` over and deletes it with
// itself; when it cannot be made (no window, or `minValue` not below
// `maxValue`) it deletes the background at once and returns null.
HWND CreateKnob(HINSTANCE instance, HWND parent, int id, int x, int y, const KnobArgs& args);

// A picture of what `parent` shows in the `width` x `height` area at (x, y)
// of its client area, drawn by the parent itself (WM_ERASEBKGND and
// WM_PRINTCLIENT), for a knob's background. The caller owns it.
HBITMAP CaptureParentArea(HWND parent, int x, int y, int width, int height);
