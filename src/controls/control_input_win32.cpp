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
    if (!FocusMarksOn() && GetParent(control) == GetForegroundWindow()) SetFocus(control);
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

namespace {

bool focusMarksOn = false;
HWND focusedControl = nullptr;  // the control that last noted the focus as its own
bool playingClick = false;

constexpr LPARAM kRepeatBit = 1 << 30;  // set in a held key's auto-repeats

}  // namespace

bool FocusMarksOn() { return focusMarksOn; }

void SetFocusMarks(bool on) {
    if (on == focusMarksOn) return;
    focusMarksOn = on;
    // Only a control draws a mark; a top-level window with the focus itself
    // is left alone (drawn again, it could cover the controls over it).
    HWND focus = GetFocus();
    if (focus != nullptr && (GetWindowLongA(focus, GWL_STYLE) & WS_CHILD) != 0)
        RedrawWindow(focus, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void NoteFocus(HWND control, bool gained) {
    if (gained)
        focusedControl = control;
    else if (focusedControl == control)
        focusedControl = nullptr;
}

bool ShowsFocusMark(HWND control) { return focusMarksOn && control != nullptr && control == focusedControl; }

void PlayClick(HWND control, MouseButton button) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(control, &client);
    const LPARAM middle = MAKELPARAM((client.left + client.right) / 2, (client.top + client.bottom) / 2);
    const bool left = button == MouseButton::kLeft;
    const bool outer = playingClick;
    playingClick = true;
    SendMessageA(control, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, left ? MK_LBUTTON : MK_RBUTTON, middle);
    SendMessageA(control, left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, middle);
    playingClick = outer;
}

bool PlayKeyClick(HWND control, ControlKeys keys, WPARAM key, LPARAM keyData) {
    if (!focusMarksOn || IsKeyRepeat(keyData)) return false;
    if (keys != ControlKeys::kLeftClick && keys != ControlKeys::kBothClicks) return false;
    if (key != VK_SPACE && key != VK_RETURN) return false;
    const bool right = key == VK_SPACE && ShiftHeld();
    if (right && keys != ControlKeys::kBothClicks) return false;
    PlayClick(control, right ? MouseButton::kRight : MouseButton::kLeft);
    return true;
}

void CapturePointer(HWND control) {
    if (!playingClick) SetCapture(control);
}

void ReleasePointer() {
    if (!playingClick) ReleaseCapture();
}

bool IsKeyRepeat(LPARAM keyData) { return (keyData & kRepeatBit) != 0; }

bool ShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }

bool IsArrowKey(WPARAM key) { return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT; }

HWND MoveFocusInGroup(HWND control, WPARAM key) {
    if (!IsArrowKey(key)) return nullptr;
    const bool back = key == VK_UP || key == VK_LEFT;
    HWND next = GetNextDlgGroupItem(GetParent(control), control, back ? TRUE : FALSE);
    if (next == nullptr || next == control) return nullptr;
    SetFocus(next);
    return next;
}

LRESULT WantedKeys(LPARAM lParam) {
    const MSG* looked = reinterpret_cast<const MSG*>(lParam);
    if (looked != nullptr && looked->message == WM_KEYDOWN && looked->wParam == VK_TAB) return 0;
    return DLGC_WANTALLKEYS;
}
