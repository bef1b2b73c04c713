// Kiv_DigitExClass: a number of at least two digits in a coloured box.
// Left click counts up, right click resets to the minimum (both post
// WM_COMMAND code 1), the wheel counts up or down (posts WM_VSCROLL with
// the new value in the high word); the value wraps within its range.
// SBM_SETPOS / SBM_GETPOS set and read it without notification. A tab stop:
// Up and Down count as a wheel notch does, digits typed in set the value
// (each posting WM_VSCROLL as a notch does), Space and Enter are its left
// click, Shift+Space and Delete its right one.
#pragma once

#include <windows.h>

struct DigitFieldArgs {
    int width;  // the client size; the font is as tall as the field
    int height;
    COLORREF textColour;          // the digits
    COLORREF backColour;          // the box
    int maximum;                  // the largest value
    int minimum;                  // replaces a value above the maximum; a right click sets it
    const char* label = nullptr;  // its window text, for assistive tools; never drawn
};

// Creates a visible field showing 0, with its own bold Arial font as tall as
// the field. Returns nullptr when the window cannot be made.
HWND CreateDigitField(HINSTANCE instance, HWND parent, int id, int x, int y, const DigitFieldArgs& args);
