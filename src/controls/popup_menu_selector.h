// Kiv_PopMenuClass: a one-of-many selector that shows the text of the
// selected item of its own popup menu over a face, 20 pixels in from its
// left edge. A left click steps to the next item (wrapping); a left click on
// its opener, a child control with id 5000 in the 20-pixel strip, opens the
// menu at the pointer to pick an item directly. Every change by the user
// posts WM_COMMAND (code 1) to the parent; SBM_GETPOS and SBM_SETPOS read and
// set the selection. A tab stop: Space and Enter open the menu (under the
// face), Down and Right step, Shift+Space is its right click.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"

constexpr int kPopupMenuOpenerId = 5000;
constexpr int kPopupMenuFirstItemId = 5001;  // item i carries 5001 + i

struct PopupMenuSelectorArgs {
    SkinImage face;            // drawn at (20, 0); the caller's, never deleted
    const char* const* items;  // the items' texts, in order
    int itemCount;
    int selection;                // the first selection
    SkinImage openerReleased;     // the opener's faces (a push button, id 5000, at
    SkinImage openerPressed;      // (0, 0)); no opener when both are null
    const char* label = nullptr;  // its window text, for assistive tools; never drawn
};

// Creates a visible selector, 20 pixels plus the face's width wide and the
// face's height high, with a menu of the items that it owns and destroys
// with itself, and its opener. Null when the window or the menu cannot be
// made: also for an item count below 0 or beyond what 16-bit commands can
// number (5001 + i up to 0xFFFF), and for a positive count without texts (a
// null text in the list is an empty item).
HWND CreatePopupMenuSelector(HINSTANCE instance, HWND parent, int id, int x, int y, const PopupMenuSelectorArgs& args);
