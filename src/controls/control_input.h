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
// of a window in the background never pulls the focus), unless the focus
// marks are on: while the keyboard is in use, a pointer that strays over a
// control leaves the focus where the keys put it.
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

// ---- The keyboard ----------------------------------------------------------

// Focus marks: the dotted frame on the control that has the keyboard focus.
// They come on at a key press in a window whose loop runs
// ToolkitDialogMessage and go off at the next mouse press there, so a user
// who only clicks never sees one. The keys the toolkit gives its classes
// answer only while the marks are on: in a window whose loop does not run
// that step, a key reaching a control does what it always did.
bool FocusMarksOn();
// Turns the marks on or off; a change draws the focused control at once.
void SetFocusMarks(bool on);

// Notes that `control` gained (or lost) the keyboard focus, at its
// WM_SETFOCUS (WM_KILLFOCUS), so that its paint knows.
void NoteFocus(HWND control, bool gained);
// Whether `control` shows its focus mark now: the marks are on and the focus
// is the control's.
bool ShowsFocusMark(HWND control);

// What a class does with the keyboard, its one line in its ControlClass.
enum class ControlKeys {
    kNone,        // a display: never a tab stop, no focus mark
    kOwn,         // a focus mark, and the class's own keys alone
    kLeftClick,   // a focus mark; Space and Enter play the left button's click
    kBothClicks,  // ... and Shift+Space the right button's
};

enum class MouseButton { kLeft, kRight };

// Plays a click of `button` on `control` as the mouse makes one: the press,
// then the release, sent to the control's own procedure with the pointer at
// the middle of its client area, so that the class's own click runs step by
// step. The mouse capture is left as it is: CapturePointer and
// ReleasePointer do nothing while a played click runs.
void PlayClick(HWND control, MouseButton button);

// The key step of the classes: a WM_KEYDOWN of Space or Enter (lParam its
// key data; the auto-repeat of a held key is no new press) is played as the
// left button's click, Shift+Space as the right button's, as far as `keys`
// lets the class have them, while the focus marks are on. True when the key
// was played as a click.
bool PlayKeyClick(HWND control, ControlKeys keys, WPARAM key, LPARAM keyData);

// The capture at a press, SetCapture(control); its end at a release,
// ReleaseCapture(). Neither does anything within a played click.
void CapturePointer(HWND control);
void ReleasePointer();

// Whether a WM_KEYDOWN's key data tells of an auto-repeat of a held key.
bool IsKeyRepeat(LPARAM keyData);

// True while a Shift key is held.
bool ShiftHeld();

bool IsArrowKey(WPARAM key);

// An arrow key moves the focus within the control's group, as a dialog's
// arrows do: Up and Left to the previous member, Down and Right to the next,
// wrapping; the group runs from a control marked WS_GROUP up to the next one.
// Returns the control that has the focus now, or null when `key` is no
// arrow or the control is alone in its group (the focus stays).
HWND MoveFocusInGroup(HWND control, WPARAM key);

// The WM_GETDLGCODE answer of a class that wants every key: DLGC_WANTALLKEYS,
// except for the press of the Tab key (lParam: the MSG the dialog manager
// looks at, or 0), which the dialog manager keeps to move the focus with.
LRESULT WantedKeys(LPARAM lParam);
