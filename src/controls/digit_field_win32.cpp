#include "controls/digit_field.h"

#include "controls/digit_value.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"
#include "controls/toolkit_window.h"

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
};

constexpr WORD kDigitFieldChanged = 1;

void Kiv_DrawDigitEx(HWND window, HDC dc) {
    const DigitFieldState* state = StateBlock<DigitFieldState>(window);
    if (state == NULL) {
        return;
    }
    char text[kDigitTextSize];
    FormatDigitValue(state->value, text);

    RECT client;
    GetClientRect(window, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    // Drawn off screen and copied in one go, so the digits never flicker.
    HDC buffer = CreateCompatibleDC(dc);
    if (buffer == NULL) {
        return;
    }
    HBITMAP image = CreateCompatibleBitmap(dc, width, height);
    if (image == NULL) {
        DeleteDC(buffer);
        return;
    }
    HGDIOBJ firstBitmap = SelectObject(buffer, image);

    HBRUSH back = CreateSolidBrush(state->backColour);
    if (back != NULL) {
        FillRect(buffer, &client, back);
        DeleteObject(back);
    }
    HGDIOBJ previousFont = NULL;
    if (state->font != NULL) {
        previousFont = SelectObject(buffer, state->font);
    }
    SetBkMode(buffer, TRANSPARENT);
    SetTextColor(buffer, state->textColour);
    DrawTextA(buffer, text, -1, &client, DT_CENTER);
    if (previousFont != NULL && previousFont != HGDI_ERROR) {
        SelectObject(buffer, previousFont);
    }

    BitBlt(dc, client.left, client.top, width, height, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, firstBitmap);
    DeleteObject(image);
    DeleteDC(buffer);
}

HFONT CreateDigitFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_ROMAN, "Arial");
}

// A new value is shown through invalidation, unlike the bitmap controls.
void ShowValue(HWND window, DigitFieldState* state, int value) {
    state->value = value;
    InvalidateRect(window, NULL, TRUE);
}

}  // namespace

LRESULT CALLBACK DigitFieldWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DigitFieldState* state = StateBlock<DigitFieldState>(window);
    switch (message) {
    case WM_CREATE:
        return CreateStateBlock<DigitFieldState>(window) != NULL ? 0 : -1;
    case WM_DESTROY:
        if (state != NULL && state->ownFont != NULL) {
            DeleteObject(state->ownFont);
        }
        FreeStateBlock(window);
        return 0;
    case WM_PAINT:
        PaintOnRequest(window, Kiv_DrawDigitEx);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        if (state != NULL) {
            state->font = reinterpret_cast<HFONT>(wParam);
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case SBM_SETPOS:
        if (state != NULL) {
            const int requested = static_cast<int>(wParam);
            ShowValue(window, state, WrapDigitValue(requested, state->maximum, state->minimum));
        }
        return 0;
    case SBM_GETPOS:
        return state != NULL ? state->value : 0;
    case WM_MOUSEMOVE:
        // The wheel goes to the focus: follow the pointer, but never pull
        // the focus while the panel is in the background.
        if (GetParent(window) == GetForegroundWindow()) {
            SetFocus(window);
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (state != NULL) {
            ShowValue(window, state, StepDigitValue(state->value, 1, state->maximum, state->minimum));
            PostControlCommand(window, kDigitFieldChanged);
        }
        return 0;
    case WM_RBUTTONDOWN:
        if (state != NULL) {
            ShowValue(window, state, state->minimum);
            PostControlCommand(window, kDigitFieldChanged);
        }
        return 0;
    case WM_MOUSEWHEEL:
        if (state != NULL) {
            const int step = WheelStep(HIWORD(wParam));
            ShowValue(window, state, StepDigitValue(state->value, step, state->maximum, state->minimum));
            PostToParent(window, WM_VSCROLL,
                         MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(state->value & 0xFFFF)));
        }
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateDigitField(HINSTANCE instance, HWND parent, int id, int x, int y,
                      int width, int height, COLORREF textColour,
                      COLORREF backColour, int maximum, int minimum) {
    HWND window = NULL;
    DigitFieldState* state = CreateControl<DigitFieldState>(
        &window, kDigitFieldClassName, instance, parent, id, x, y, width, height);
    if (state == NULL) {
        return window;
    }
    state->maximum = maximum;
    state->value = 0;
    state->minimum = minimum;
    state->textColour = textColour;
    state->backColour = backColour;
    state->ownFont = CreateDigitFont(height);
    state->font = state->ownFont;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(state->ownFont), 0);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}
