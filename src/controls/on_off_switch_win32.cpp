#include "controls/on_off_switch.h"

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_input.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"

namespace {

const char kOnOffClassName[] = "Kiv_OnOffClass";

struct OnOffState {
    LONG isOn;  // 1 when on, 0 when off
};

// The faces by resource number.
enum OnOffFaceId : WORD {
    kPressedOffId = 129,
    kReleasedOffId = 130,
    kReleasedOnId = 131,
    kPressedOnId = 132,
};

// Shared by every switch. The faces belong to the skin bitmap cache; they
// are fetched again at every switch's creation and never deleted here.
struct OnOffFaces {
    SkinImage pressedOff;
    SkinImage releasedOff;
    SkinImage releasedOn;
    SkinImage pressedOn;
};
OnOffFaces onOffFaces = {};

// Set once a captured pointer has been seen outside the switch, cleared at
// every press. Only one window holds the capture at a time, so one flag
// serves all switches.
bool pointerLeft = false;

enum OnOffFace { kReleasedFace = 0, kPressedFace = 1 };

SkinImage LoadFace(HINSTANCE instance, WORD id) { return LoadSkinBitmap(instance, MAKEINTRESOURCEA(id)); }

void FetchFaces(HINSTANCE instance) {
    onOffFaces.pressedOn = LoadFace(instance, kPressedOnId);
    onOffFaces.releasedOn = LoadFace(instance, kReleasedOnId);
    onOffFaces.pressedOff = LoadFace(instance, kPressedOffId);
    onOffFaces.releasedOff = LoadFace(instance, kReleasedOffId);
}

void Kiv_DrawOnOff(const PaintTarget& target, int pressed, OnOffState* state) {
    ToolkitTrace("Kiv_DrawOnOff\n");
    if (state == nullptr) return;
    SkinImage face;
    if (pressed == kPressedFace)
        face = state->isOn != 0 ? onOffFaces.pressedOn : onOffFaces.pressedOff;
    else
        face = state->isOn != 0 ? onOffFaces.releasedOn : onOffFaces.releasedOff;
    DrawFace(target, face);
    DrawFocusMark(target.window, target.dc, target.client);
}

const ControlClass<OnOffState> kOnOff = {Kiv_DrawOnOff, 0, true, nullptr, nullptr, ControlKeys::kLeftClick};

// The pressed face shows the state before the flip; the parent handles the
// posted notification only after it, so BM_GETCHECK there gives the new one.
void Press(HWND window, OnOffState* state) {
    CapturePointer(window);
    PaintNow(window, kOnOff, kPressedFace);
    SetFocus(window);
    PostToParent(window, WM_COMMAND, static_cast<WPARAM>(ControlId(window)));
    if (state != nullptr) state->isOn = state->isOn == 0 ? 1 : 0;
    pointerLeft = false;
}

// The first move outside with a key-state flag set shows the released face
// of the new state.
void Move(HWND window, WPARAM keys, LPARAM lParam) {
    if (keys == 0 || pointerLeft) return;
    if (IsInsideClient(window, PointerPosition(lParam))) return;
    PaintNow(window, kOnOff, kReleasedFace);
    pointerLeft = true;
}

// A check button, checked while on; a click switches it.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_CHECKBUTTON;
    const OnOffState* state = StateOf<OnOffState>(window);
    facts->states = state != nullptr && state->isOn != 0 ? STATE_SYSTEM_CHECKED : 0;
    facts->click = ClickMeaning::kToggle;
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    OnOffState* state = StateOf<OnOffState>(window);
    switch (message) {
    case WM_CREATE: {
        // Fetched first, so also when the block cannot be had.
        const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        FetchFaces(creation != nullptr ? creation->hInstance : toolkitInstance);
        return ControlProcedure(kOnOff, window, message, wParam, lParam);
    }
    case BM_GETCHECK: return state != nullptr && state->isOn == 1 ? 1 : 0;
    case BM_SETCHECK:
        if (state != nullptr && (wParam == 0 || wParam == 1)) state->isOn = static_cast<LONG>(wParam);
        PaintNow(window, kOnOff, kReleasedFace);
        return 0;
    case WM_MOUSEMOVE: Move(window, wParam, lParam); return 0;
    case WM_LBUTTONDOWN: Press(window, state); return 0;
    case WM_LBUTTONUP:
        // The flip happened at the press, wherever the button comes up.
        ReleasePointer();
        PaintNow(window, kOnOff, kReleasedFace);
        return 0;
    default: return ControlProcedure(kOnOff, window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK OnOffSwitchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateOnOffSwitch(HINSTANCE instance, HWND parent, int id, int x, int y, const char* label) {
    const SIZE size = LoadFace(instance, kReleasedOffId).size;
    return CreateControl<OnOffState>(kOnOffClassName, {instance, parent, id, x, y, size, label, WS_TABSTOP},
                                     [](HWND, OnOffState&) {});
}
