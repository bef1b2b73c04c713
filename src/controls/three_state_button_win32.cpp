#include "controls/three_state_button.h"

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_input.h"
#include "controls/three_state_ring.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"

namespace {

const char kThreeStateClassName[] = "Kiv_State3Class";

struct State3State {
    LONG state;  // 0, 1 or 2: every value set is folded into the ring
    SkinImage face1;
    SkinImage face2;
    SkinImage face0;  // the face of state 0 comes last
};

constexpr WORD kThreeStateStepped = 0;

SkinImage FaceOf(const State3State& state) {
    switch (FoldThreeState(state.state)) {
    case 1: return state.face1;
    case 2: return state.face2;
    default: return state.face0;
    }
}

void Kiv_DrawState3(const PaintTarget& target, int, State3State* state) {
    ToolkitTrace("Kiv_DrawState3\n");
    if (state == nullptr) return;
    DrawFace(target, FaceOf(*state));
    DrawFocusMark(target.window, target.dc, target.client);
}

const ControlClass<State3State> kThreeState = {Kiv_DrawState3, 0, true, nullptr, nullptr, ControlKeys::kLeftClick};

// A press steps forward once; the release never undoes it.
void Advance(HWND window, State3State* state) {
    if (state != nullptr) state->state = NextThreeState(state->state);
    CapturePointer(window);
    SetFocus(window);
    PaintNow(window, kThreeState);
    PostControlCommand(window, kThreeStateStepped);
}

// A check button: unchecked in state 0, checked in 1, mixed in 2.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_CHECKBUTTON;
    facts->click = ClickMeaning::kPress;
    const State3State* state = StateOf<State3State>(window);
    const LONG ring = state != nullptr ? FoldThreeState(state->state) : 0;
    facts->states = ring == 1 ? STATE_SYSTEM_CHECKED : ring == 2 ? STATE_SYSTEM_MIXED : 0;
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    State3State* state = StateOf<State3State>(window);
    switch (message) {
    case BM_GETCHECK: return state != nullptr ? state->state : 0;
    case BM_SETCHECK:
        // A state outside the ring has no face: it is folded into the ring,
        // where a press from it lands where it would have landed anyway.
        if (state != nullptr) state->state = FoldThreeState(static_cast<LONG>(wParam));
        PaintNow(window, kThreeState);
        return 0;
    case WM_LBUTTONDOWN: Advance(window, state); return 0;
    case WM_LBUTTONUP: ReleasePointer(); return state != nullptr ? state->state : 0;
    default: return ControlProcedure(kThreeState, window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK ThreeStateButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateThreeStateButton(HINSTANCE instance, HWND parent, int id, int x, int y, const ThreeStateButtonArgs& args) {
    const ControlPlace place = {instance, parent, id, x, y, args.faces[0].size, args.label, WS_TABSTOP};
    return CreateControl<State3State>(kThreeStateClassName, place, [&](HWND, State3State& state) {
        state.state = FoldThreeState(args.state);
        state.face1 = args.faces[1];
        state.face2 = args.faces[2];
        state.face0 = args.faces[0];
    });
}
