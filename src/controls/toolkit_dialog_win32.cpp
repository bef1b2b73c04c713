#include "controls/toolkit_dialog.h"

#include "controls/control_input.h"
#include "controls/control_tips.h"

namespace {

bool IsKeyPress(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

bool IsMousePress(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK: return true;
    default: return false;
    }
}

bool IsOwnControl(HWND dialog, HWND window) {
    return window != nullptr && (window == dialog || IsChild(dialog, window));
}

}  // namespace

bool ToolkitDialogMessage(HWND dialog, MSG* message) {
    if (dialog == nullptr || message == nullptr) return false;
    if (IsOwnControl(dialog, message->hwnd)) {
        if (IsKeyPress(message->message))
            SetFocusMarks(true);
        else if (IsMousePress(message->message))
            SetFocusMarks(false);
        RelayToControlTips(dialog, *message);
    }
    return IsDialogMessageA(dialog, message) != FALSE;
}

void StartControlGroup(HWND first) {
    if (first != nullptr) SetWindowLongA(first, GWL_STYLE, GetWindowLongA(first, GWL_STYLE) | WS_GROUP);
}

bool KeepFocusOnActivation(HWND window, WPARAM activation, HWND* kept) {
    if (LOWORD(activation) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != window && IsOwnControl(window, focus)) *kept = focus;
        return false;
    }
    if (HIWORD(activation) != 0) return false;  // minimised: no focus to give
    HWND target = IsWindow(*kept) && IsChild(window, *kept) ? *kept : GetNextDlgTabItem(window, nullptr, FALSE);
    if (target == nullptr) return false;
    SetFocus(target);
    return true;
}
