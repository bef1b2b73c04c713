// Input and notification helpers of the toolkit, each doing one thing; every
// class has its own order of capture, drawing, focus and posting, so
// none of these bundles steps.
#pragma once

#include <windows.h>

// The pointer in a mouse message's lParam: x the low word, y the high word,
// both unsigned, so a captured pointer left of or above a control lies far
// outside it.
POINT PointerPosition(LPARAM lParam);

// Inside the client rectangle: left <= x < right and top <= y < bottom.
bool IsInsideClient(HWND window, POINT point);

// Releases the mouse capture when `control` holds it, and only then.
void ReleaseOwnCapture(HWND control);

// Gives `control` the keyboard focus when its parent is the foreground
// window (so the wheel reaches the control under the pointer, and a control
// of a window in the background never pulls the focus).
void TakeFocusOnHover(HWND control);

// The control's id as GetWindowLongA with GWL_ID gives it.
LONG ControlId(HWND control);

// Posts (never sends) `message` to the parent with lParam = the low 16 bits
// of the control's handle.
void PostToParent(HWND control, UINT message, WPARAM wParam);

// Posts WM_COMMAND with the control's id in the low word and `code` in the
// high word.
void PostControlCommand(HWND control, WORD code);

// Posts WM_VSCROLL or WM_HSCROLL (`message`) with `code` in the low word and
// the low 16 bits of `value` in the high word.
void PostScroll(HWND control, UINT message, WORD code, int value);

// Sends `buddy` SBM_SETPOS with `value` (lParam 0) and waits for it; nothing
// without a buddy.
void SendBuddyPosition(HWND buddy, int value);
