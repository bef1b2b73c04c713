// The toolkit's share in a top-level window's message loop: the dialog
// manager's keys over the window's controls (Tab and Shift+Tab from tab stop
// to tab stop, the arrows of a toggle within its group) and the focus marks,
// which the keyboard turns on and the mouse off.
#pragma once

#include <windows.h>

// The loop step: called by the loop of a window whose controls are to be
// worked from the keyboard, for each message, before anything else it does
// with it (but after an accelerator table). A key press in `dialog` or one
// of its children turns the focus marks on, a mouse button press there
// turns them off (the focused control is drawn again at once either way);
// a control's mouse message goes to the window's tips (ShowControlTips);
// then IsDialogMessageA(dialog, message) has the message. Returns what that
// returned: true when the message was the dialog's and has been dealt with
// (translated and dispatched), so the loop goes on to the next.
bool ToolkitDialogMessage(HWND dialog, MSG* message);

// Marks `first` as the first control of a group of choices (WS_GROUP): the
// group runs up to the next control so marked, in creation order. A control
// alone in its group carries the mark too.
void StartControlGroup(HWND first);

// Keeps a window's keyboard focus on its controls as a dialog does. Called at
// the window's WM_ACTIVATE with its wParam and the window's own place for the
// control: when the window goes inactive, the control that has the focus is
// kept there; when it comes back, the focus goes to that control again, or,
// the first time, to the first tab stop. True when the focus was given (the
// window then answers 0 without the default handling, which would take the
// focus itself).
bool KeepFocusOnActivation(HWND window, WPARAM activation, HWND* kept);
