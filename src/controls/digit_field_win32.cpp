#include "controls/digit_field.h"

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_input.h"
#include "controls/control_values.h"
#include "controls/digit_value.h"
#include "controls/toolkit_procedures.h"
#include "win32/gdi_scope_win32.h"

namespace {

const char kDigitFieldClassName[] = "Kiv_DigitExClass";

struct DigitFieldState {
    HFONT font;  // drawn with; set by WM_SETFONT
    COLORREF textColour;
    COLORREF backColour;
    LONG value;
    LONG maximum;
    LONG minimum;   // replaces a value above maximum; set by a right click
    HFONT ownFont;  // the font the field made itself and deletes with itself
    LONG typed;     // digits typed into the value since its last other change
};

constexpr WORD kDigitFieldChanged = 1;

// Drawn off screen and copied in one go, so the digits never flicker.
void Kiv_DrawDigitEx(const PaintTarget& target, int, DigitFieldState* state) {
    if (state == nullptr) return;
    char text[kDigitTextSize];
    FormatDigitValue(state->value, text);

    RECT client = target.client;
    BackBuffer buffer(target.dc, client.right - client.left, client.bottom - client.top);
    if (!buffer.Ready()) return;
    {
        OwnedGdiObject back(CreateSolidBrush(state->backColour));
        if (back) FillRect(buffer.dc(), &client, static_cast<HBRUSH>(back.get()));
    }
    {
        ScopedSelection font(buffer.dc(), state->font);
        SetBkMode(buffer.dc(), TRANSPARENT);
        SetTextColor(buffer.dc(), state->textColour);
        DrawTextA(buffer.dc(), text, -1, &client, DT_CENTER);
    }
    DrawFocusMark(target.window, buffer.dc(), client);
    buffer.CopyToTarget(client.left, client.top);
}

// The field deletes only the font it made: a font given by WM_SETFONT stays
// its giver's.
void ReleaseOwnFont(DigitFieldState& state) {
    if (state.ownFont != nullptr) DeleteObject(state.ownFont);
}

const ControlClass<DigitFieldState> kDigitField = {Kiv_DrawDigitEx,         1, true, nullptr, ReleaseOwnFont,
                                                   ControlKeys::kBothClicks};

HFONT CreateDigitFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_ROMAN, "Arial");
}

// A new value is shown through invalidation, unlike the bitmap controls.
// Any change but a typed digit ends the typing of a value.
void ShowValue(HWND window, DigitFieldState* state, int value, int typed = 0) {
    state->value = value;
    state->typed = typed;
    InvalidateRect(window, nullptr, TRUE);
}

// One step up or down, as a wheel notch makes it and tells it.
void Notch(HWND window, DigitFieldState* state, int step) {
    ShowValue(window, state, StepDigitValue(state->value, step, state->maximum, state->minimum));
    PostScroll(window, WM_VSCROLL, SB_THUMBPOSITION, state->value);
}

// Up and Down as a wheel notch each, Delete as the right click (the
// minimum); false for any other key.
bool Key(HWND window, DigitFieldState* state, WPARAM key) {
    if (!FocusMarksOn()) return false;
    switch (key) {
    case VK_UP: Notch(window, state, 1); return true;
    case VK_DOWN: Notch(window, state, -1); return true;
    case VK_DELETE: PlayClick(window, MouseButton::kRight); return true;
    default: return false;
    }
}

// A digit typed in, told as a wheel notch tells its value.
bool Type(HWND window, DigitFieldState* state, WPARAM character) {
    if (!FocusMarksOn() || character < '0' || character > '9') return false;
    const int digit = static_cast<int>(character - '0');
    const TypedValue typed = TypeDigit(state->value, state->typed, digit, state->maximum);
    if (typed.accepted) {
        ShowValue(window, state, typed.value, typed.typed);
        PostScroll(window, WM_VSCROLL, SB_THUMBPOSITION, state->value);
    }
    return true;
}

// A spin button whose value is its number as it shows it; a click counts up.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_SPINBUTTON;
    facts->click = ClickMeaning::kStepUp;
    const DigitFieldState* state = StateOf<DigitFieldState>(window);
    if (state == nullptr) return;
    char text[kDigitTextSize];
    FormatDigitValue(state->value, text);
    lstrcpynA(facts->value, text, sizeof facts->value);
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DigitFieldState* state = StateOf<DigitFieldState>(window);
    switch (message) {
    case WM_SETFONT:
        if (state != nullptr) state->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case SBM_SETPOS:
        if (state != nullptr) {
            const int requested = static_cast<int>(wParam);
            ShowValue(window, state, WrapDigitValue(requested, state->maximum, state->minimum));
        }
        return 0;
    case SBM_GETPOS: return state != nullptr ? state->value : 0;
    case WM_MOUSEMOVE:
        // The wheel goes to the focus: follow the pointer.
        TakeFocusOnHover(window);
        return 0;
    case WM_LBUTTONDOWN:
        if (state != nullptr) {
            ShowValue(window, state, StepDigitValue(state->value, 1, state->maximum, state->minimum));
            PostControlCommand(window, kDigitFieldChanged);
        }
        return 0;
    case WM_RBUTTONDOWN:
        if (state != nullptr) {
            ShowValue(window, state, state->minimum);
            PostControlCommand(window, kDigitFieldChanged);
        }
        return 0;
    case WM_MOUSEWHEEL:
        if (state != nullptr) Notch(window, state, WheelNotch(HIWORD(wParam)));
        return 0;
    case WM_KEYDOWN:
        if (state != nullptr && Key(window, state, wParam)) return 0;
        break;
    case WM_CHAR:
        if (state != nullptr && Type(window, state, wParam)) return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (state != nullptr) state->typed = 0;
        break;
    default: break;
    }
    return ControlProcedure(kDigitField, window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK DigitFieldWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateDigitField(HINSTANCE instance, HWND parent, int id, int x, int y, const DigitFieldArgs& args) {
    const ControlPlace place = {instance, parent, id, x, y, {args.width, args.height}, args.label, WS_TABSTOP};
    return CreateControl<DigitFieldState>(kDigitFieldClassName, place, [&](HWND window, DigitFieldState& state) {
        state.maximum = args.maximum;
        state.value = 0;
        state.minimum = args.minimum;
        state.textColour = args.textColour;
        state.backColour = args.backColour;
        state.ownFont = CreateDigitFont(args.height);
        state.font = state.ownFont;
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(state.ownFont), 0);
    });
}
