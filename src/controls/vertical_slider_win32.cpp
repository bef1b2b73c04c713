#include "controls/vertical_slider.h"

#include "controls/control_class.h"
#include "controls/control_input.h"
#include "controls/slider_math.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"

namespace {

const char kVerticalSliderClassName[] = "Kiv_VSClass";

struct VSliderState {
    LONG bottomStop;  // pointer y of value 0; divisor of both mappings (> 0)
    LONG topStop;     // the smallest pointer y the mouse mapping uses
    LONG maxValue;    // > 0
    LONG value;
    LONG hasFocus;  // picks the thumb face
    LONG step;      // per key press or wheel notch
    HBITMAP railBitmap;  // its size is the size of the drawing
    HBITMAP focusedThumb;
    HBITMAP thumb;
    HWND buddy;  // follows the value through SBM_SETPOS; null for none
};

// Drawing flags: only handed to the trace hook.
constexpr int kQuietDraw = 0;
constexpr int kPointerDraw = 1;  // a press, a drag move or a focus gain

// The thumb is put on the rail off screen and the picture reaches the window
// in one copy; every context and bitmap lives for this paint only.
void Kiv_DrawVS(const PaintTarget& target, int flag, VSliderState* state) {
    if (state == NULL) {
        return;
    }
    ToolkitTrace("Kiv_DrawVS %d\n", flag);
    const SIZE rail = BitmapSize(state->railBitmap);
    BackBuffer buffer(target.dc, rail.cx, rail.cy);
    if (!buffer.Ready()) {
        return;
    }
    BitmapSource source(target.dc);
    source.Copy(buffer.dc(), 0, 0, rail.cx, rail.cy, state->railBitmap);
    HBITMAP face = state->hasFocus == 1 ? state->focusedThumb : state->thumb;
    const SIZE thumb = BitmapSize(face);
    const int top = VerticalThumbTop(state->value, state->bottomStop, state->maxValue, thumb.cy);
    if (top < rail.cy) {  // a thumb far below the rail shows nothing of itself
        source.Copy(buffer.dc(), VerticalThumbLeft(rail.cx, thumb.cx), top, thumb.cx, thumb.cy, face);
    }
    BitBlt(target.dc, 0, 0, target.client.right, target.client.bottom, buffer.dc(), 0, 0, SRCCOPY);
}

const ControlClass<VSliderState> kVerticalSlider = {Kiv_DrawVS, 0, true, NULL, NULL};

void SetFocusFace(HWND window, VSliderState* state, LONG hasFocus, int flag) {
    if (state != NULL) {
        state->hasFocus = hasFocus;
    }
    PaintNow(window, kVerticalSlider, flag);
}

void ValueFromPointer(VSliderState* state, LPARAM lParam) {
    state->value = VerticalValueAt(HIWORD(lParam), state->topStop, state->bottomStop, state->maxValue);
}

// A key press or a wheel notch: the new value, drawn, reported, passed on.
void Settle(HWND window, VSliderState* state, LONG value) {
    state->value = value;
    PaintNow(window, kVerticalSlider);
    PostScroll(window, WM_VSCROLL, SB_THUMBPOSITION, state->value);
    SendBuddyPosition(state->buddy, state->value);
}

void Press(HWND window, VSliderState* state, LPARAM lParam) {
    SetCapture(window);
    ValueFromPointer(state, lParam);
    PaintNow(window, kVerticalSlider, kPointerDraw);
}

void Move(HWND window, VSliderState* state, WPARAM keyState, LPARAM lParam) {
    if (keyState == 0) {
        TakeFocusOnHover(window);
        return;
    }
    if (IsInsideClient(window, PointerPosition(lParam))) {
        ValueFromPointer(state, lParam);
        PaintNow(window, kVerticalSlider, kPointerDraw);
        PostScroll(window, WM_VSCROLL, SB_THUMBTRACK, state->value);
    }
    SendBuddyPosition(state->buddy, state->value);
}

// The value stays where the last press or move inside put it.
void Release(HWND window, VSliderState* state) {
    PaintNow(window, kVerticalSlider);
    PostScroll(window, WM_VSCROLL, SB_THUMBPOSITION, state->value);
    SendBuddyPosition(state->buddy, state->value);
    if (GetCapture() == window) {
        ReleaseCapture();
    }
}

}  // namespace

LRESULT CALLBACK VerticalSliderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    VSliderState* state = StateOf<VSliderState>(window);
    if (state == NULL) {
        return ControlProcedure(kVerticalSlider, window, message, wParam, lParam);
    }
    switch (message) {
    case WM_SETFOCUS:
        SetFocusFace(window, state, 1, kPointerDraw);
        return 0;
    case WM_KILLFOCUS:
        SetFocusFace(window, state, 0, kQuietDraw);
        return 0;
    case SBM_SETPOS:
        state->value = static_cast<LONG>(wParam);
        PaintNow(window, kVerticalSlider);
        SendBuddyPosition(state->buddy, state->value);
        return 0;
    case SBM_GETPOS:
        return state->value;
    case WM_KEYDOWN:
        Settle(window, state, VerticalKeyValue(state->value, static_cast<unsigned>(wParam), state->step,
                                               state->maxValue));
        return 0;
    case WM_MOUSEWHEEL:
        Settle(window, state, VerticalWheelValue(state->value, HIWORD(wParam), state->step, state->maxValue));
        return 0;
    case WM_MOUSEMOVE:
        Move(window, state, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        Press(window, state, lParam);
        return 0;
    case WM_LBUTTONUP:
        Release(window, state);
        return 0;
    case WM_LBUTTONDBLCLK:
        PostToParent(window, WM_LBUTTONDBLCLK, 0);
        return 0;
    default:
        return ControlProcedure(kVerticalSlider, window, message, wParam, lParam);
    }
}

HWND CreateVerticalSlider(HINSTANCE instance, HWND parent, int id, int x, int y,
                          const VerticalSliderArgs& args) {
    if (args.bottomStop <= 0 || args.maxValue <= 0) {
        return NULL;
    }
    const SIZE rail = BitmapSize(args.rail);
    HWND window = NULL;
    VSliderState* state = CreateControl<VSliderState>(&window, kVerticalSliderClassName, instance, parent,
                                                      id, x, y, rail.cx, rail.cy);
    if (state == NULL) {
        return window;
    }
    state->bottomStop = args.bottomStop;
    state->topStop = args.topStop;
    state->maxValue = args.maxValue;
    state->value = args.value;
    state->hasFocus = 0;
    state->step = args.step;
    state->railBitmap = args.rail;
    state->focusedThumb = args.focusedThumb;
    state->thumb = args.thumb;
    state->buddy = args.buddy;
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}
