// The skeleton the two sliders and the knob share. Each holds a value that
// the pointer sets (press, then drag), that the owner sets and reads
// (SBM_SETPOS, SBM_GETPOS) and that a key, a wheel notch or the release
// settles, and each shows a face that follows the keyboard focus. A class
// describes itself once in a ValueControl beside its ControlClass; its
// procedure keeps the messages in which it differs from the others (its key
// and wheel arithmetic, the order of its release, its own messages) and
// leaves the rest to ValueControlProcedure, which answers:
//   WM_SETFOCUS     hasFocus 1, the focus noted (for the focus mark), drawn
//                   at once with the class's focus flag
//   WM_KILLFOCUS    hasFocus 0, noted, drawn at once
//   SBM_SETPOS      the value as given, without a range test; drawn at once;
//                   the buddy told; nothing posted
//   SBM_GETPOS      the value
//   WM_LBUTTONDOWN  capture, the value from the pointer, drawn at once with
//                   the pointer flag; nothing posted
//   WM_MOUSEMOVE    no key-state flag: the focus on hover (not while the
//                   focus marks are on), nothing else;
//                   any flag, the pointer inside: the value from the pointer,
//                   drawn with the pointer flag, the drag code posted; then,
//                   inside or not, the buddy told
// and passes everything else to ControlProcedure. The state block has the
// LONG fields `value` and `hasFocus`.
#pragma once

#include <windows.h>

#include "controls/control_class.h"
#include "controls/control_input.h"

template <typename State>
struct ValueControl {
    const ControlClass<State>& frame;
    UINT scrollMessage;  // WM_VSCROLL or WM_HSCROLL
    WORD dragCode;       // what a drag move inside posts
    int pointerFlag;     // the drawing flag of a press or a drag move
    int focusFlag;       // the drawing flag of a focus gain
    // The value a pointer at lParam gives.
    LONG (*valueAt)(const State& state, LPARAM lParam);
    // The window that follows the value through SBM_SETPOS; null when the
    // class has none.
    HWND (*buddy)(const State& state);
};

template <typename State>
void TellBuddy(const ValueControl<State>& control, const State& state) {
    if (control.buddy != nullptr) SendBuddyPosition(control.buddy(state), state.value);
}

// A key press, a wheel notch or a release: the value stored, drawn at once,
// posted with SB_THUMBPOSITION, the buddy told.
template <typename State>
void Settle(HWND window, const ValueControl<State>& control, State* state, LONG value) {
    state->value = value;
    PaintNow(window, control.frame);
    PostScroll(window, control.scrollMessage, SB_THUMBPOSITION, state->value);
    TellBuddy(control, *state);
}

template <typename State>
void PressValue(HWND window, const ValueControl<State>& control, State* state, LPARAM lParam) {
    SetCapture(window);
    state->value = control.valueAt(*state, lParam);
    PaintNow(window, control.frame, control.pointerFlag);
}

// A pointer dragged out of the control leaves the value where the last move
// inside put it; one left of or above the client area counts as outside.
template <typename State>
void DragValue(HWND window, const ValueControl<State>& control, State* state, WPARAM keyState, LPARAM lParam) {
    if (keyState == 0) {
        TakeFocusOnHover(window);
        return;
    }
    if (IsInsideClient(window, PointerPosition(lParam))) {
        state->value = control.valueAt(*state, lParam);
        PaintNow(window, control.frame, control.pointerFlag);
        PostScroll(window, control.scrollMessage, control.dragCode, state->value);
    }
    TellBuddy(control, *state);
}

template <typename State>
LRESULT ValueControlProcedure(const ValueControl<State>& control, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam) {
    State* state = StateOf<State>(window);
    if (state == nullptr) return ControlProcedure(control.frame, window, message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS:
        state->hasFocus = 1;
        NoteFocus(window, true);
        PaintNow(window, control.frame, control.focusFlag);
        return 0;
    case WM_KILLFOCUS:
        state->hasFocus = 0;
        NoteFocus(window, false);
        PaintNow(window, control.frame);
        return 0;
    case SBM_SETPOS:
        state->value = static_cast<LONG>(wParam);
        PaintNow(window, control.frame);
        TellBuddy(control, *state);
        return 0;
    case SBM_GETPOS: return state->value;
    case WM_LBUTTONDOWN: PressValue(window, control, state, lParam); return 0;
    case WM_MOUSEMOVE: DragValue(window, control, state, wParam, lParam); return 0;
    default: return ControlProcedure(control.frame, window, message, wParam, lParam);
    }
}
