// The frame of the top-level windows (the desk's main window, the gallery,
// the card monitor), as ControlClass is the controls': CreateTopLevelWindow
// registers a TopLevelClass (the desk's icons, the arrow) and makes a window
// whose procedure binds the state block under GWLP_USERDATA at WM_NCCREATE,
// realises the program's palette (WM_QUERYNEWPALETTE, WM_PALETTECHANGED),
// hands every other message to the class's handler with it, and frees it at
// the end.
#pragma once

#include <windows.h>

#include <functional>
#include <new>
#include <type_traits>

#include "win32/program_palette_win32.h"

template <typename State>
struct TopLevelClass {
    const char* name;
    UINT style;         // the class style
    HBRUSH background;  // null where the window paints its whole client area
    bool endsLoop;      // its WM_DESTROY posts WM_QUIT (before the handler)
    // The block of a window the program has one of: a fixed program-wide
    // table. Null: each window gets a new State(its CREATESTRUCTA).
    State* table;
    // The window's own procedure; what it leaves goes to DefWindowProcA.
    LRESULT (*handle)(HWND window, State& state, UINT message, WPARAM wParam, LPARAM lParam);
};

template <const auto& kClass>
LRESULT CALLBACK TopLevelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    using State = std::remove_pointer_t<decltype(kClass.table)>;
    if (message == WM_NCCREATE) {
        State* bound = kClass.table;
        if constexpr (std::is_constructible<State, const CREATESTRUCTA&>::value) {
            if (bound == nullptr) bound = new (std::nothrow) State(*reinterpret_cast<const CREATESTRUCTA*>(lParam));
        }
        if (bound == nullptr) return FALSE;  // no block, no window
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bound));
    }
    State* state = reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_DESTROY && kClass.endsLoop) PostQuitMessage(0);
    LRESULT answer = 0;
    if (AnswerPaletteMessage(window, message, wParam, &answer)) return answer;
    const LRESULT result = kClass.handle(window, *state, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (state != kClass.table) delete state;
    }
    return result;
}

// True also when the class exists already (tests make a window again).
bool RegisterTopLevelClass(HINSTANCE instance, const char* name, UINT classStyle, HBRUSH background, WNDPROC procedure);

// Registers kClass and makes a window of it: no extended style, parent or
// menu; `parameter` goes in lpCreateParams. Null on failure.
template <const auto& kClass>
HWND CreateTopLevelWindow(HINSTANCE instance, const char* title, DWORD style, int x, int y, int width, int height,
                          void* parameter = nullptr) {
    if (!RegisterTopLevelClass(instance, kClass.name, kClass.style, kClass.background, TopLevelProcedure<kClass>))
        return nullptr;
    return CreateWindowExA(0, kClass.name, title, style, x, y, width, height, nullptr, nullptr, instance, parameter);
}

// What a window's loop does first with each message (a dialog's keys, an
// accelerator table): true when it has dealt with the message, which then
// goes no further.
using MessageFilter = std::function<bool(MSG* message)>;

// GetMessageA, then `filter` when there is one, TranslateMessage and
// DispatchMessageA for what it leaves, until WM_QUIT; its wParam.
int RunMessageLoop(const MessageFilter& filter = nullptr);
