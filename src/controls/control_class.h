// The frame every Kiv_ class's window procedure stands on. A class describes
// itself once, in a ControlClass: its state block (the type), its paint
// routine, what WM_ERASEBKGND answers, whether WM_GETDLGCODE is answered,
// what WM_CREATE sets in the block, what the block owns and what it does
// with the keyboard. Its procedure then lists only the messages the class
// adds and leaves the rest to ControlProcedure, which answers the shared
// ones:
//   WM_CREATE      allocate the zeroed block and store it under GWL_USERDATA
//                  (-1 when out of memory, so the window is not created),
//                  then the class's own start values
//   WM_DESTROY     release what the block owns, free it, clear the pointer
//   WM_PAINT       BeginPaint, the paint routine (flag 0), EndPaint
//   WM_PRINTCLIENT the paint routine (flag 0) into the context in wParam,
//                  on a copy of the block, so that what the block records
//                  of the screen stays true
//   WM_ERASEBKGND  nothing; the class's answer
//   WM_GETDLGCODE  DLGC_WANTALLKEYS, for the classes that answer it, except
//                  for the Tab key's press (WantedKeys)
//   WM_SETFOCUS, WM_KILLFOCUS
//                  for a class with a focus mark: noted, and drawn at once
//                  while the focus marks are on
//   WM_KEYDOWN     Space and Enter played as the class's click (PlayKeyClick)
// and passes everything else to DefWindowProcA.
#pragma once

#include <windows.h>

#include <type_traits>

#include "controls/control_drawing.h"
#include "controls/control_input.h"
#include "win32/gdi_scope_win32.h"

template <typename State>
struct ControlClass {
    // The class's paint routine; `state` is null when the window has none.
    void (*paint)(const PaintTarget& target, int flag, State* state);
    LRESULT eraseAnswer;
    bool answersDialogCode;
    // Start values that WM_CREATE writes into the new (zeroed) block; null
    // when zero is every field's start.
    void (*initialise)(HWND window, State& state);
    // Releases what the block owns at WM_DESTROY; null when it owns nothing.
    void (*release)(State& state);
    // What the class does with the keyboard: a display takes none of it.
    ControlKeys keys = ControlKeys::kNone;
};

// ---- State block ---------------------------------------------------------

void* AllocateStateBlock(HWND window, SIZE_T size);
void FreeStateBlock(HWND window);

// The window's block, or null when it has none.
template <typename State>
State* StateOf(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// ---- Painting ------------------------------------------------------------

// Fills `target` for `window` and a DC; false when there is no DC.
bool MakePaintTarget(HWND window, HDC dc, PaintTarget* target);

// A change drawn at once: GetDC, the paint routine with `flag`, ReleaseDC.
// Skipped while the window is hidden (a hidden desk restores its panels
// before anyone sees them); showing the window paints it anyway.
template <typename State>
void PaintNow(HWND window, const ControlClass<State>& control, int flag = 0) {
    if (!IsWindowVisible(window)) return;
    WindowDC dc(window);
    PaintTarget target;
    if (MakePaintTarget(window, dc.get(), &target)) control.paint(target, flag, StateOf<State>(window));
}

// ---- The shared messages -------------------------------------------------

template <typename State>
LRESULT ControlProcedure(const ControlClass<State>& control, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static_assert(std::is_trivial<State>::value, "state blocks are plain data");
    switch (message) {
    case WM_CREATE: {
        State* state = static_cast<State*>(AllocateStateBlock(window, sizeof(State)));
        if (state == nullptr) return -1;
        if (control.initialise != nullptr) control.initialise(window, *state);
        return 0;
    }
    case WM_DESTROY:
        if (State* state = StateOf<State>(window)) {
            if (control.release != nullptr) control.release(*state);
            FreeStateBlock(window);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintTarget target;
        if (MakePaintTarget(window, dc, &target)) control.paint(target, 0, StateOf<State>(window));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: {
        State* state = StateOf<State>(window);
        State copy = state != nullptr ? *state : State();
        PaintTarget target;
        if (MakePaintTarget(window, reinterpret_cast<HDC>(wParam), &target))
            control.paint(target, 0, state != nullptr ? &copy : nullptr);
        return 0;
    }
    case WM_ERASEBKGND: return control.eraseAnswer;
    case WM_GETDLGCODE:
        if (control.answersDialogCode) return WantedKeys(lParam);
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (control.keys == ControlKeys::kNone) break;
        NoteFocus(window, message == WM_SETFOCUS);
        if (FocusMarksOn()) PaintNow(window, control);  // with marks off the picture stays as it is
        break;
    case WM_KEYDOWN:
        if (PlayKeyClick(window, control.keys, wParam, lParam)) return 0;
        break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// ---- Creation ------------------------------------------------------------

// Creates a hidden child control (extended style 0, WS_CHILD and `style`, the
// id in place of the menu, no creation parameter), with an empty title unless
// one is given (the window system keeps it; the text controls show their own).
// Null on failure.
HWND CreateControlWindow(const char* className, HINSTANCE instance, HWND parent, int id, int x, int y, int width,
                         int height, const char* title = "", DWORD style = 0);

// Where a control is made, and what its window keeps as its title (the
// window system keeps it; the text controls show their own; for the others
// it is the label that names them to assistive tools).
struct ControlPlace {
    HINSTANCE instance;
    HWND parent;
    int id;
    int x, y;
    SIZE size;
    const char* title = "";
    DWORD style = 0;  // beside WS_CHILD: WS_TABSTOP for a control the user acts on
};

// The one way a control is made: created hidden, its new state block handed
// to `fill` (with the window) for the creator's values, then shown. Null
// when the window cannot be made; then nothing is filled, and the creator
// gives back what it made for the control.
template <typename State, typename Fill>
HWND CreateControl(const char* className, const ControlPlace& place, Fill fill) {
    HWND window = CreateControlWindow(className, place.instance, place.parent, place.id, place.x, place.y,
                                      place.size.cx, place.size.cy, place.title, place.style);
    State* state = window != nullptr ? StateOf<State>(window) : nullptr;
    if (state == nullptr) return nullptr;
    fill(window, *state);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}
