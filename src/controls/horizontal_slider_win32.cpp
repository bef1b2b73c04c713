#include "controls/horizontal_slider.h"

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_input.h"
#include "controls/slider_math.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"
#include "controls/value_control.h"

namespace {

const char kHorizontalSliderClassName[] = "Kiv_HSClass";

struct HSliderState {
    LONG rightStop;  // the largest thumb centre, and the length maxValue maps to (> 0)
    LONG leftStop;   // the smallest thumb centre
    LONG maxValue;   // > 0
    LONG value;
    LONG hasFocus;  // picks the thumb face
    // Kept for the owner only; the slider never reads them.
    LONG enabled;   // wParam of the last WM_ENABLE
    LONG auxValue;  // wParam of the last WM_USER
    LONG auxLow;    // the words of the last WM_USER + 2's wParam
    LONG auxHigh;
    SkinImage railBitmap;
    SkinImage thumb;
    SkinImage focusedThumb;
    BYTE reserved[32];
    char label[kSliderLabelSize];  // from WM_USER + 1 or + 2, cut to 7 characters
};

constexpr UINT kSetAuxValue = WM_USER;
constexpr UINT kSetLabel = WM_USER + 1;
constexpr UINT kSetAuxWordsAndLabel = WM_USER + 2;
constexpr WORD kRightClicked = 2;

// Drawing flags: only handed to the trace hook.
constexpr int kQuietDraw = 0;
constexpr int kPointerDraw = 1;  // a press or a drag move

// Rail and thumb composed off screen at the client's size, then one copy to
// the window.
void Kiv_DrawHS(const PaintTarget& target, int flag, HSliderState* state) {
    if (state == nullptr) return;
    ToolkitTrace("Kiv_DrawHS %d\n", flag);
    const int width = target.client.right;
    const int height = target.client.bottom;
    BackBuffer buffer(target.dc, width, height);
    if (!buffer.Ready()) return;
    CopyImage(buffer.dc(), 0, 0, width, height, state->railBitmap);
    const SkinImage& face = state->hasFocus == 1 ? state->focusedThumb : state->thumb;
    const SIZE thumb = face.size;
    const int left = HorizontalThumbLeft(state->value, state->leftStop, state->rightStop, state->maxValue, thumb.cx);
    CopyWholeImage(buffer.dc(), left, 1, face);  // one pixel below the top edge
    DrawFocusMark(target.window, buffer.dc(), target.client);
    buffer.CopyToTarget();
}

const ControlClass<HSliderState> kHorizontalSlider = {Kiv_DrawHS, 0, true, nullptr, nullptr, ControlKeys::kOwn};

LONG ValueFromPointer(const HSliderState& state, LPARAM lParam) {
    return HorizontalValueAt(LOWORD(lParam), state.leftStop, state.rightStop, state.maxValue);
}

// A drag reports with the release's code; no buddy.
const ValueControl<HSliderState> kHorizontalSliderInput = {
    kHorizontalSlider, WM_HSCROLL, SB_THUMBPOSITION, kPointerDraw, kQuietDraw, ValueFromPointer, nullptr};

void Enable(HWND window, HSliderState* state, WPARAM enable) {
    state->enabled = static_cast<LONG>(enable);
    if (enable == 0) state->value = 0;
    PaintNow(window, kHorizontalSlider);
}

// A slider whose value is its position.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_SLIDER;
    if (const HSliderState* state = StateOf<HSliderState>(window)) wsprintfA(facts->value, "%ld", state->value);
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HSliderState* state = StateOf<HSliderState>(window);
    if (state == nullptr) return ControlProcedure(kHorizontalSlider, window, message, wParam, lParam);
    switch (message) {
    case WM_ENABLE: Enable(window, state, wParam); return 0;
    case WM_LBUTTONUP:
        // The capture goes first, then the value is reported.
        ReleaseOwnCapture(window);
        Settle(window, kHorizontalSliderInput, state, state->value);
        return 0;
    case WM_RBUTTONUP: PostControlCommand(window, kRightClicked); return state->value;
    case WM_MOUSEWHEEL:
        Settle(window, kHorizontalSliderInput, state,
               HorizontalWheelValue(state->value, HIWORD(wParam), state->maxValue));
        return 0;
    case WM_KEYDOWN:
        // Right and Left as a wheel notch away from and toward the user.
        if (!FocusMarksOn() || (wParam != VK_RIGHT && wParam != VK_LEFT)) break;
        Settle(
            window, kHorizontalSliderInput, state,
            HorizontalWheelValue(state->value, static_cast<uint16_t>(wParam == VK_RIGHT ? WHEEL_DELTA : -WHEEL_DELTA),
                                 state->maxValue));
        return 0;
    case kSetAuxValue: state->auxValue = static_cast<LONG>(wParam); return 0;
    case kSetLabel: CopySliderLabel(state->label, reinterpret_cast<const char*>(lParam)); return 0;
    case kSetAuxWordsAndLabel:
        state->auxLow = LOWORD(wParam);
        state->auxHigh = HIWORD(wParam);
        CopySliderLabel(state->label, reinterpret_cast<const char*>(lParam));
        return 0;
    default: break;
    }
    return ValueControlProcedure(kHorizontalSliderInput, window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK HorizontalSliderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateHorizontalSlider(HINSTANCE instance, HWND parent, int id, int x, int y, const HorizontalSliderArgs& args) {
    if (args.rightStop <= 0 || args.maxValue <= 0) return nullptr;
    const ControlPlace place = {instance, parent, id, x, y, args.rail.size, args.label, WS_TABSTOP};
    return CreateControl<HSliderState>(kHorizontalSliderClassName, place, [&](HWND, HSliderState& state) {
        state.rightStop = args.rightStop;
        state.leftStop = args.leftStop;
        state.maxValue = args.maxValue;
        state.value = args.value;
        state.hasFocus = 0;
        state.railBitmap = args.rail;
        state.thumb = args.thumb;
        state.focusedThumb = args.focusedThumb;
    });
}
