// Kiv_HSClass: a horizontal fader, a thumb over a rail. Press, drag and the
// wheel set the value; the parent hears of every change through WM_HSCROLL
// (SB_THUMBPOSITION, drags included), and of a right click through
// WM_COMMAND code 2. SBM_GETPOS and SBM_SETPOS read and set the value;
// disabling the slider sets it to 0. WM_USER to WM_USER + 2 store an owner's
// number and a label of at most 7 characters (a longer one is cut). A tab
// stop: Right and Left move it as a wheel notch away from and toward the
// user does.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"

struct HorizontalSliderArgs {
    int leftStop;     // the smallest thumb position in pixels
    int rightStop;    // the largest one, and the length maxValue maps to: above 0
    int maxValue;     // the largest value: above 0
    int value;        // the first value
    SkinImage rail;   // the rail; its size is the slider's (the caller's, never deleted)
    SkinImage thumb;  // the thumb without and with the keyboard focus
    SkinImage focusedThumb;
    const char* label = nullptr;  // its window text, for assistive tools; never drawn
};

// Creates a visible slider the size of its rail. Null when the window cannot
// be made, or when `rightStop` or `maxValue` is not above 0 (both divide).
HWND CreateHorizontalSlider(HINSTANCE instance, HWND parent, int id, int x, int y, const HorizontalSliderArgs& args);
