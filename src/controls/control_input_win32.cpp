#include "controls/control_input.h"

POINT PointerPosition(LPARAM lParam) {
    POINT point = {static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
    return point;
}

bool IsInsideClient(HWND window, POINT point) {
    RECT client;
    return GetClientRect(window, &client) && PtInRect(&client, point);
}

void ReleaseOwnCapture(HWND control) {
    if (GetCapture() == control) ReleaseCapture();
}

void TakeFocusOnHover(HWND control) {
    if (GetParent(control) == GetForegroundWindow()) SetFocus(control);
}

LONG ControlId(HWND control) { return GetWindowLongA(control, GWL_ID); }

void PostToParent(HWND control, UINT message, WPARAM wParam) {
    const LPARAM handleLow = static_cast<LPARAM>(reinterpret_cast<UINT_PTR>(control) & 0xFFFF);
    PostMessageA(GetParent(control), message, wParam, handleLow);
}

void PostControlCommand(HWND control, WORD code) {
    const WORD id = static_cast<WORD>(ControlId(control) & 0xFFFF);
    PostToParent(control, WM_COMMAND, MAKEWPARAM(id, code));
}

void PostScroll(HWND control, UINT message, WORD code, int value) {
    PostToParent(control, message, MAKEWPARAM(code, static_cast<WORD>(value & 0xFFFF)));
}

void SendBuddyPosition(HWND buddy, int value) {
    if (buddy != nullptr) SendMessageA(buddy, SBM_SETPOS, static_cast<WPARAM>(value), 0);
}
