#include "controls/control_tips.h"

#include <commctrl.h>

#include "controls/control_access.h"
#include "win32/system_function_win32.h"

namespace {

// Tips wrap at this width rather than run across a small screen.
constexpr int kTipWidth = 280;

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
    // The control is the tool; the tooltip watches its mouse messages
    // itself. A click on a tip goes through it, to the control under it.
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
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
    return true;
}
