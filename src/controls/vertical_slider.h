// Kiv_VSClass: a vertical fader, a thumb over a rail, value 0 at the bottom.
// Press and drag, the Up and Down keys and the wheel set the value; the
// parent hears of every change through WM_VSCROLL (SB_THUMBTRACK while
// dragging, SB_THUMBPOSITION otherwise), and a buddy window, when given,
// follows the value through SBM_SETPOS. SBM_GETPOS and SBM_SETPOS read and
// set it; a double click goes on to the parent. A tab stop.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"

struct VerticalSliderArgs {
    int bottomStop;   // pointer y of value 0, and the divisor of both mappings: above 0
    int topStop;      // the smallest pointer y the mouse mapping uses
    int maxValue;     // the largest value: above 0
    int value;        // the first value
    int step;         // per key press or wheel notch
    SkinImage rail;   // the rail; its size is the slider's (the caller's, never deleted)
    SkinImage thumb;  // the thumb without and with the keyboard focus
    SkinImage focusedThumb;
    HWND buddy;                   // follows the value; null for none
    const char* label = nullptr;  // its window text, for assistive tools; never drawn
};

// Creates a visible slider the size of its rail. Null when the window cannot
// be made, or when `bottomStop` or `maxValue` is not above 0 (both divide).
HWND CreateVerticalSlider(HINSTANCE instance, HWND parent, int id, int x, int y, const VerticalSliderArgs& args);
