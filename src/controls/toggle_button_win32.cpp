#include "controls/toggle_button.h"

#include <cstring>

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_input.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"

namespace {

const char kToggleClassName[] = "Kiv_TogleClass";

struct ToggleState {
    LONG onState;  // 1 = on, 0 = off
    SkinImage onBitmap;
    SkinImage offBitmap;
};

enum ToggleNotification : WORD { kToggleClicked = 1, kToggleRightClicked = 2 };

void Kiv_DrawTogle(const PaintTarget& target, int, ToggleState* state) {
    ToolkitTrace("Kiv_DrawTogle\n");
    if (state == nullptr) return;
    DrawFace(target, state->onState == 1 ? state->onBitmap : state->offBitmap);
    DrawFocusMark(target.window, target.dc, target.client);
}

const ControlClass<ToggleState> kToggle = {Kiv_DrawTogle, 0, true, nullptr, nullptr, ControlKeys::kBothClicks};

bool IsToggle(HWND window) {
    char name[sizeof kToggleClassName + 1];
    return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, kToggleClassName) == 0;
}

// An arrow moves the focus within the toggle's group and, as a dialog's
// radio buttons do, clicks the toggle it lands on when that one is off.
// False for a key that is no arrow; a toggle alone in its group keeps the
// focus and nothing changes.
bool ArrowInGroup(HWND window, WPARAM key) {
    if (!FocusMarksOn() || !IsArrowKey(key)) return false;
    HWND next = MoveFocusInGroup(window, key);
    if (next != nullptr && IsToggle(next) && SendMessageA(next, BM_GETCHECK, 0, 0) == 0)
        PlayClick(next, MouseButton::kLeft);
    return true;
}

// A check button, or a radio button among the others of its group; checked
// while on; a click flips it.
void Describe(HWND window, AccessibleFacts* facts) {
    const ToggleState* state = StateOf<ToggleState>(window);
    facts->role = kRoleByGroup;
    facts->states = state != nullptr && state->onState == 1 ? STATE_SYSTEM_CHECKED : 0;
    facts->click = ClickMeaning::kToggle;
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ToggleState* state = StateOf<ToggleState>(window);
    switch (message) {
    case BM_GETCHECK: return state != nullptr && state->onState == 1 ? 1 : 0;
    case BM_SETCHECK:
        if (state != nullptr && (wParam == 0 || wParam == 1)) state->onState = static_cast<LONG>(wParam);
        PaintNow(window, kToggle);
        return 0;
    case WM_LBUTTONDOWN:
        if (state != nullptr) state->onState = state->onState == 0 ? 1 : 0;
        CapturePointer(window);
        SetFocus(window);
        PaintNow(window, kToggle);
        PostControlCommand(window, kToggleClicked);
        return 0;
    case WM_LBUTTONUP:
        ReleasePointer();
        PaintNow(window, kToggle);
        return 0;
    case WM_RBUTTONUP: PostControlCommand(window, kToggleRightClicked); return 0;
    case WM_KEYDOWN:
        if (ArrowInGroup(window, wParam)) return 0;
        break;
    default: break;
    }
    return ControlProcedure(kToggle, window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK ToggleButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateToggle(HINSTANCE instance, HWND parent, int id, int x, int y, const char* onBitmap, const char* offBitmap,
                  const char* label) {
    const SkinImage on = LoadSkinBitmap(instance, onBitmap);
    const SkinImage off = LoadSkinBitmap(instance, offBitmap);
    return CreateControl<ToggleState>(kToggleClassName, {instance, parent, id, x, y, on.size, label, WS_TABSTOP},
                                      [&](HWND, ToggleState& state) {
                                          state.onBitmap = on;
                                          state.offBitmap = off;
                                      });
}
