// Tips under the pointer: the system's tooltip control shows each control's
// tip (SetControlWords) after the system's delay while the pointer rests on
// it, keeps it on the screen, and takes it away at a click.
//
// The tooltip control lives in the common controls' library, which the
// program does not import: it is loaded when a window first asks for tips
// (the desk's panel when it is first shown), so that a desk resident in the
// notification area, never opened, does not carry it.
#pragma once

#include <windows.h>

// Gives every control of `window` that has a tip (and the controls within
// them) a tip under the pointer, once per window: the tooltip control it
// makes is owned by the window and goes with it. False when the system has
// no tooltip control; the controls work as before without.
bool ShowControlTips(HWND window);

// The loop's part (ToolkitDialogMessage calls it): the mouse messages of
// `window`'s controls go to the window's tooltip control too, which tells
// from them when the pointer rests on a control and when it moves or clicks.
void RelayToControlTips(HWND window, const MSG& message);
