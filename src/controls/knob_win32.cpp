#include "controls/knob.h"

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_input.h"
#include "controls/knob_math.h"
#include "controls/toolkit_procedures.h"
#include "controls/value_control.h"

namespace {

const char kKnobClassName[] = "Kiv_KnobClass";

struct KnobState {
    LONG maxValue;  // at the clockwise end of the sweep (lower right)
    LONG minValue;  // at the other end (lower left); below maxValue
    LONG value;
    LONG radius;      // the smaller of centerX and centerY, plus 1
    LONG hasFocus;    // picks the indicator
    LONG drawnValue;  // where the indicator was last drawn
    LONG step;        // per key press or wheel notch
    LONG centerX;
    LONG centerY;
    SkinImage focusedIndicator;  // its size is also the size of the restored patch
    SkinImage indicator;
    SkinImage background;  // the knob's area without the indicator; the knob's own
    LONG markShown;        // 1 while the focus mark is on the screen
};

KnobPoint IndicatorCentre(const KnobState& state, LONG value) {
    const KnobCircle circle = {state.centerX, state.centerY, state.radius};
    return KnobIndicatorCentre(value, circle, state.minValue, state.maxValue);
}

// The focus mark, on a face the knob never draws whole: a mark on the screen
// is first covered again with the background along its frame, then drawn
// anew while the knob shows it. A knob without a mark draws nothing here.
void DrawKnobMark(const PaintTarget& target, KnobState& state) {
    const RECT& client = target.client;
    if (state.markShown == 1) {
        const int width = client.right - client.left;
        const int height = client.bottom - client.top;
        const RECT strips[] = {{1, 1, width - 1, 2},
                               {1, height - 2, width - 1, height - 1},
                               {1, 1, 2, height - 1},
                               {width - 2, 1, width - 1, height - 1}};
        for (const RECT& strip : strips) {
            CopyImage(target.dc, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top,
                      state.background, strip.left, strip.top);
        }
    }
    state.markShown = ShowsFocusMark(target.window) ? 1 : 0;
    DrawFocusMark(target.window, target.dc, client);
}

// Puts back the patch under the indicator's last place and draws the
// indicator at the value's place; the rest of the face is never touched but
// for the focus mark's frame. The patch is as large as the focused indicator
// and, like the indicator, set half its width above the centre.
void Kiv_DrawKnob(const PaintTarget& target, int, KnobState* state) {
    if (state == nullptr) return;
    const KnobPoint old = IndicatorCentre(*state, state->drawnValue);
    const SIZE patch = state->focusedIndicator.size;
    const int patchHalf = patch.cx / 2;
    CopyImage(target.dc, old.x - patchHalf, old.y - patchHalf, patch.cx, patch.cy, state->background, old.x - patchHalf,
              old.y - patchHalf);
    DrawKnobMark(target, *state);
    const KnobPoint now = IndicatorCentre(*state, state->value);
    const SkinImage& face = state->hasFocus == 1 ? state->focusedIndicator : state->indicator;
    const int half = face.size.cx / 2;
    CopyWholeImage(target.dc, now.x - half, now.y - half, face);
    state->drawnValue = state->value;
}

void MeasureCircle(HWND window, KnobState& state) {
    RECT client;
    if (!GetClientRect(window, &client)) SetRectEmpty(&client);
    const KnobCircle circle = KnobCircleOf(client.right - client.left, client.bottom - client.top);
    state.centerX = circle.centerX;
    state.centerY = circle.centerY;
    state.radius = circle.radius;
}

void DeleteBackground(KnobState& state) {
    if (state.background) {
        DeleteObject(state.background.bitmap);
        state.background = SkinImage();
    }
}

const ControlClass<KnobState> kKnob = {Kiv_DrawKnob, 0, true, MeasureCircle, DeleteBackground, ControlKeys::kOwn};

LONG ValueFromPointer(const KnobState& state, LPARAM lParam) {
    const POINT point = PointerPosition(lParam);
    const KnobCircle circle = {state.centerX, state.centerY, state.radius};
    return KnobValueAt(point.x, point.y, circle, state.minValue, state.maxValue);
}

// The knob's drawing takes no flag; no buddy.
const ValueControl<KnobState> kKnobInput = {kKnob, WM_HSCROLL, SB_THUMBTRACK, 0, 0, ValueFromPointer, nullptr};

// A dial whose value is its position.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_DIAL;
    if (const KnobState* state = StateOf<KnobState>(window)) wsprintfA(facts->value, "%ld", state->value);
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    KnobState* state = StateOf<KnobState>(window);
    if (state == nullptr) return ControlProcedure(kKnob, window, message, wParam, lParam);
    switch (message) {
    case WM_KEYDOWN:
        Settle(
            window, kKnobInput, state,
            KnobKeyValue(state->value, static_cast<unsigned>(wParam), state->step, state->minValue, state->maxValue));
        return 0;
    case WM_MOUSEWHEEL:
        Settle(window, kKnobInput, state,
               KnobWheelValue(state->value, HIWORD(wParam), state->step, state->minValue, state->maxValue));
        return 0;
    case WM_LBUTTONUP:
        // The capture goes first, then the value is reported.
        ReleaseOwnCapture(window);
        Settle(window, kKnobInput, state, state->value);
        return 0;
    case WM_LBUTTONDBLCLK: PostToParent(window, WM_LBUTTONDBLCLK, 0); return 0;
    default: return ValueControlProcedure(kKnobInput, window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK KnobWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateKnob(HINSTANCE instance, HWND parent, int id, int x, int y, const KnobArgs& args) {
    HWND window = nullptr;
    if (args.minValue < args.maxValue) {
        const ControlPlace place = {instance, parent, id, x, y, {args.width, args.height}, args.label, WS_TABSTOP};
        window = CreateControl<KnobState>(kKnobClassName, place, [&](HWND, KnobState& state) {
            state.maxValue = args.maxValue;
            state.minValue = args.minValue;
            state.value = args.value;
            state.hasFocus = 0;
            state.drawnValue = args.value;
            state.step = args.step;
            state.focusedIndicator = args.focusedIndicator;
            state.indicator = args.indicator;
            state.background = args.background;
        });
    }
    // The knob owns its background from here on; without a knob, nobody would.
    if (window == nullptr && args.background != nullptr) DeleteObject(args.background);
    return window;
}

HBITMAP CaptureParentArea(HWND parent, int x, int y, int width, int height) {
    if (parent == nullptr || width <= 0 || height <= 0) return nullptr;
    WindowDC screen(parent);
    if (screen.get() == nullptr) return nullptr;
    HBITMAP picture = CreateCompatibleBitmap(screen.get(), width, height);
    MemoryDC memory(screen.get());
    if (!memory.Select(picture)) {
        if (picture != nullptr) DeleteObject(picture);
        return nullptr;
    }
    // The parent draws in its own coordinates; the area lands at (0, 0).
    SetWindowOrgEx(memory.get(), x, y, nullptr);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.get()), 0);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
    return picture;
}
