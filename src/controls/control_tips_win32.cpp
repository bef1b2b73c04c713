#include "controls/control_tips.h"

#include <commctrl.h>

#include "controls/control_access.h"
#include "win32/system_function_win32.h"

namespace {

// Tips wrap at this width rather than run across a small screen.
constexpr int kTipWidth = 280;

// The tooltip controls made so far, by the window whose controls they serve.
struct Tips {
    HWND window;
    HWND tooltip;
};
Tips tipsOf[4] = {};

void Remember(HWND window, HWND tooltip) {
    for (Tips& tips : tipsOf) {
        if (tips.window != nullptr && IsWindow(tips.window)) continue;
        tips = {window, tooltip};
        return;
    }
}

bool IsMouseMessage(UINT message) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return true;
    default: return false;
    }
}

// The tooltip control's class, registered by the common controls' library.
bool LoadTooltipClass() {
    static int loaded = -1;
    if (loaded < 0) {
        HMODULE library = LoadLibraryA("comctl32.dll");
        const auto initialise = SystemFunction<void(WINAPI*)()>(library, "InitCommonControls");
        if (initialise != nullptr) initialise();
        loaded = initialise != nullptr ? 1 : 0;
    }
    return loaded == 1;
}

BOOL CALLBACK AddTip(HWND control, LPARAM tooltip) {
    const char* tip = ControlTip(control);
    if (tip == nullptr) return TRUE;
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;  // the size every version of the library takes
    // The control is the tool; its window's loop hands the tooltip the
    // control's mouse messages (a tooltip that subclassed every control
    // would sit in every message of every control, the paints too). A click
    // on a tip goes through it, to the control under it.
    tool.uFlags = TTF_IDISHWND | TTF_TRANSPARENT;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(tip);
    SendMessageA(reinterpret_cast<HWND>(tooltip), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return TRUE;
}

}  // namespace

bool ShowControlTips(HWND window) {
    if (window == nullptr || !LoadTooltipClass()) return false;
    // Owned by the window, it goes with it. It shows whether or not the
    // window is active: the panel opens from the tray without always
    // becoming the active window.
    HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)), nullptr);
    if (tooltip == nullptr) return false;
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
    EnumChildWindows(window, AddTip, reinterpret_cast<LPARAM>(tooltip));
    Remember(window, tooltip);
    return true;
}

void RelayToControlTips(HWND window, const MSG& message) {
    if (!IsMouseMessage(message.message)) return;
    // A click takes the tip away, and it stays away while the pointer rests
    // on the control clicked: it comes again once the pointer has been on
    // something else. (Else it comes back after the delay, under the
    // pointer, over the control the next click is meant for.)
    static HWND clicked = nullptr;
    if (message.message != WM_MOUSEMOVE)
        clicked = message.hwnd;
    else if (message.hwnd == clicked)
        return;
    else
        clicked = nullptr;
    // After a click the tooltip is also told the pointer is on no control:
    // a tip it was about to show (the pointer came a moment before the
    // click) is then not shown.
    MSG away = message;
    away.hwnd = window;
    away.message = WM_MOUSEMOVE;
    away.lParam = 0;
    for (const Tips& tips : tipsOf) {
        if (tips.window != window || tips.window == nullptr) continue;
        SendMessageA(tips.tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
        if (clicked != nullptr) SendMessageA(tips.tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&away));
    }
}
