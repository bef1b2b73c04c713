// Kiv_State3Class: a button that steps through three states, 0 -> 1 -> 2 ->
// 0, one step per left press, each state with its own face. It posts
// WM_COMMAND (code 0) at every press; the parent reads and sets the state
// with BM_GETCHECK and BM_SETCHECK. A tab stop: Space and Enter are its
// press.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"

struct ThreeStateButtonArgs {
    SkinImage faces[3];           // the faces of states 0, 1 and 2; the caller's, never deleted
    int state;                    // the first state, 0 to 2
    const char* label = nullptr;  // its window text, for assistive tools; never drawn
};

// Creates a visible button the size of the face of state 0 (zero when it is
// null). Null when the window cannot be made.
HWND CreateThreeStateButton(HINSTANCE instance, HWND parent, int id, int x, int y, const ThreeStateButtonArgs& args);
