#include "controls/vertical_slider.h"

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_input.h"
#include "controls/slider_math.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"
#include "controls/value_control.h"

namespace {

const char kVerticalSliderClassName[] = "Kiv_VSClass";

struct VSliderState {
    LONG bottomStop;  // pointer y of value 0; divisor of both mappings (> 0)
    LONG topStop;     // the smallest pointer y the mouse mapping uses
    LONG maxValue;    // > 0
    LONG value;
    LONG hasFocus;         // picks the thumb face
    LONG step;             // per key press or wheel notch
    SkinImage railBitmap;  // its size is the size of the drawing
    SkinImage focusedThumb;
    SkinImage thumb;
    HWND buddy;  // follows the value through SBM_SETPOS; null for none
};

// Drawing flag of a press, a drag move or a focus gain; only handed to the
// trace hook.
constexpr int kPointerDraw = 1;

// The thumb is put on the rail off screen and the picture reaches the window
// in one copy.
void Kiv_DrawVS(const PaintTarget& target, int flag, VSliderState* state) {
    if (state == nullptr) return;
    ToolkitTrace("Kiv_DrawVS %d\n", flag);
    const SIZE rail = state->railBitmap.size;
    BackBuffer buffer(target.dc, rail.cx, rail.cy);
    if (!buffer.Ready()) return;
    CopyWholeImage(buffer.dc(), 0, 0, state->railBitmap);
    const SkinImage& face = state->hasFocus == 1 ? state->focusedThumb : state->thumb;
    const SIZE thumb = face.size;
    const int top = VerticalThumbTop(state->value, state->bottomStop, state->maxValue, thumb.cy);
    if (top < rail.cy)  // a thumb far below the rail shows nothing of itself
        CopyWholeImage(buffer.dc(), VerticalThumbLeft(rail.cx, thumb.cx), top, face);
    DrawFocusMark(target.window, buffer.dc(), RECT{0, 0, rail.cx, rail.cy});
    buffer.CopyToTarget();
}

const ControlClass<VSliderState> kVerticalSlider = {Kiv_DrawVS, 0, true, nullptr, nullptr, ControlKeys::kOwn};

LONG ValueFromPointer(const VSliderState& state, LPARAM lParam) {
    return VerticalValueAt(HIWORD(lParam), state.topStop, state.bottomStop, state.maxValue);
}

HWND BuddyOf(const VSliderState& state) { return state.buddy; }

const ValueControl<VSliderState> kVerticalSliderInput = {kVerticalSlider, WM_VSCROLL,       SB_THUMBTRACK, kPointerDraw,
                                                         kPointerDraw,    ValueFromPointer, BuddyOf};

// A slider whose value is its position.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_SLIDER;
    if (const VSliderState* state = StateOf<VSliderState>(window)) wsprintfA(facts->value, "%ld", state->value);
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    VSliderState* state = StateOf<VSliderState>(window);
    if (state == nullptr) return ControlProcedure(kVerticalSlider, window, message, wParam, lParam);
    switch (message) {
    case WM_KEYDOWN:
        Settle(window, kVerticalSliderInput, state,
               VerticalKeyValue(state->value, static_cast<unsigned>(wParam), state->step, state->maxValue));
        return 0;
    case WM_MOUSEWHEEL:
        Settle(window, kVerticalSliderInput, state,
               VerticalWheelValue(state->value, HIWORD(wParam), state->step, state->maxValue));
        return 0;
    case WM_LBUTTONUP:
        // Reported and passed on before the capture goes; the value stays
        // where the last press or move inside put it.
        Settle(window, kVerticalSliderInput, state, state->value);
        ReleaseOwnCapture(window);
        return 0;
    case WM_LBUTTONDBLCLK: PostToParent(window, WM_LBUTTONDBLCLK, 0); return 0;
    default: return ValueControlProcedure(kVerticalSliderInput, window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK VerticalSliderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateVerticalSlider(HINSTANCE instance, HWND parent, int id, int x, int y, const VerticalSliderArgs& args) {
    if (args.bottomStop <= 0 || args.maxValue <= 0) return nullptr;
    const ControlPlace place = {instance, parent, id, x, y, args.rail.size, args.label, WS_TABSTOP};
    return CreateControl<VSliderState>(kVerticalSliderClassName, place, [&](HWND, VSliderState& state) {
        state.bottomStop = args.bottomStop;
        state.topStop = args.topStop;
        state.maxValue = args.maxValue;
        state.value = args.value;
        state.hasFocus = 0;
        state.step = args.step;
        state.railBitmap = args.rail;
        state.focusedThumb = args.focusedThumb;
        state.thumb = args.thumb;
        state.buddy = args.buddy;
    });
}
