#include "controls/push_button.h"

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_input.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"

namespace {

const char kButtonClassName[] = "Kiv_ButtonClass";

struct ButtonState {
    SkinImage pressedBitmap;   // drawn while a mouse button is held on it
    SkinImage releasedBitmap;  // drawn otherwise
};

enum ButtonNotification : WORD { kLeftClick = 1, kRightClick = 2 };
enum ButtonFace { kReleasedFace = 0, kPressedFace = 1 };

// Shared by every push button: set once the pointer has been seen outside
// the held button, cleared at every press. Only one button is held at a time.
bool pointerLeft = false;

void Kiv_DrawButton(const PaintTarget& target, int pressed, ButtonState* state) {
    ToolkitTrace("Kiv_DrawButton\n");
    if (state == nullptr) return;
    DrawFace(target, pressed == kPressedFace ? state->pressedBitmap : state->releasedBitmap);
    DrawFocusMark(target.window, target.dc, target.client);
}

const ControlClass<ButtonState> kButton = {Kiv_DrawButton, 0, true, nullptr, nullptr, ControlKeys::kBothClicks};

void Press(HWND window) {
    CapturePointer(window);
    PaintNow(window, kButton, kPressedFace);
    SetFocus(window);
    pointerLeft = false;
}

void Move(HWND window, WPARAM keyState, LPARAM lParam) {
    if (keyState == 0 || pointerLeft) return;
    if (!IsInsideClient(window, PointerPosition(lParam))) {
        PaintNow(window, kButton, kReleasedFace);
        pointerLeft = true;
    }
}

void Release(HWND window, LPARAM lParam, WORD code) {
    const bool inside = IsInsideClient(window, PointerPosition(lParam));
    ReleasePointer();
    PaintNow(window, kButton, kReleasedFace);
    if (inside) PostControlCommand(window, code);
}

// A push button, pressed while a mouse button holds it.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_PUSHBUTTON;
    facts->states = GetCapture() == window ? STATE_SYSTEM_PRESSED : 0;
    facts->click = ClickMeaning::kPress;
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE: Move(window, wParam, lParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: Press(window); return 0;
    case WM_LBUTTONUP: Release(window, lParam, kLeftClick); return 0;
    case WM_RBUTTONUP: Release(window, lParam, kRightClick); return 0;
    default: return ControlProcedure(kButton, window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK PushButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreatePushButton(HINSTANCE instance, HWND parent, int id, int x, int y, const SkinImage& released,
                      const SkinImage& pressed, const char* label) {
    return CreateControl<ButtonState>(
        kButtonClassName, {instance, parent, id, x, y, released.size, label, WS_TABSTOP},
        [&](HWND, ButtonState& state) {
            state.pressedBitmap = pressed;
            state.releasedBitmap = released;
        });
}
