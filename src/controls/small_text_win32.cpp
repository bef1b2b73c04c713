#include "controls/small_text.h"

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_text.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"

namespace {

const char kSmallTextClassName[] = "Kiv_SmallTextClass";

constexpr size_t kSmallTextSize = 64;  // 63 characters and the terminator

struct SmallTextState {
    COLORREF textColor;
    COLORREF backColor;  // fills the whole client area
    char text[kSmallTextSize];
};

// The label draws no trace.
void Kiv_DrawSmallText(const PaintTarget& target, int, SmallTextState* state) {
    if (state == nullptr) return;
    const RECT& client = target.client;
    {
        OwnedGdiObject back(CreateSolidBrush(state->backColor));
        if (back) FillRect(target.dc, &client, static_cast<HBRUSH>(back.get()));
    }
    ScopedSelection font(target.dc, toolkitFont);
    SetBkMode(target.dc, TRANSPARENT);
    SetTextColor(target.dc, state->textColor);
    SetTextAlign(target.dc, TA_CENTER | TA_TOP);
    TextOutA(target.dc, CentreOf(client.left, client.right), 0, state->text,
             static_cast<int>(TextLength(state->text, kSmallTextSize)));
}

// WM_GETDLGCODE is left to the default handling.
const ControlClass<SmallTextState> kSmallText = {Kiv_DrawSmallText, 0, false, nullptr, nullptr};

// Stores the text shown (the window's own title stays as it was) and has it
// drawn at the next paint.
void SetShownText(HWND window, SmallTextState* state, const char* text) {
    if (state != nullptr) StoreText(state->text, kSmallTextSize, kSmallTextSize - 1, text);
    InvalidateRect(window, nullptr, TRUE);
}

// A text; its value is what it shows.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_STATICTEXT;
    if (const SmallTextState* state = StateOf<SmallTextState>(window))
        lstrcpynA(facts->value, state->text, sizeof facts->value);
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        SetShownText(window, StateOf<SmallTextState>(window), reinterpret_cast<const char*>(lParam));
        return 0;
    default: return ControlProcedure(kSmallText, window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK SmallTextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateSmallText(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height, const char* text,
                     COLORREF textColor, COLORREF backColor) {
    const ControlPlace place = {instance, parent, id, x, y, {width, height}, text};
    return CreateControl<SmallTextState>(kSmallTextClassName, place, [&](HWND, SmallTextState& state) {
        state.textColor = textColor;
        state.backColor = backColor;
        StoreText(state.text, kSmallTextSize, kSmallTextSize - 1, text);
    });
}
