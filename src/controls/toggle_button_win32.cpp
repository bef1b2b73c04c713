#include "controls/toggle_button.h"

#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"
#include "controls/toolkit_window.h"

namespace {

const char kToggleClassName[] = "Kiv_TogleClass";

struct ToggleState {
    LONG onState;  // 1 = on, 0 = off
    HBITMAP onBitmap;
    HBITMAP offBitmap;
};

enum ToggleNotification : WORD { kToggleClicked = 1, kToggleRightClicked = 2 };

void Kiv_DrawTogle(HWND window, HDC dc) {
    ToolkitTrace("Kiv_DrawTogle\n");
    const ToggleState* state = StateBlock<ToggleState>(window);
    if (state == NULL) {
        return;
    }
    DrawFaceOrBackground(window, dc, state->onState == 1 ? state->onBitmap : state->offBitmap);
}

}  // namespace

LRESULT CALLBACK ToggleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return CreateStateBlock<ToggleState>(window) != NULL ? 0 : -1;
    case WM_DESTROY:
        FreeStateBlock(window);
        return 0;
    case WM_ERASEBKGND:
        return 0;
    case WM_PAINT:
        PaintOnRequest(window, Kiv_DrawTogle);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case BM_GETCHECK: {
        const ToggleState* state = StateBlock<ToggleState>(window);
        return state != NULL && state->onState == 1 ? 1 : 0;
    }
    case BM_SETCHECK:
        if (ToggleState* state = StateBlock<ToggleState>(window)) {
            if (wParam == 0 || wParam == 1) {
                state->onState = static_cast<LONG>(wParam);
            }
        }
        RedrawNow(window, Kiv_DrawTogle);
        return 0;
    case WM_LBUTTONDOWN:
        if (ToggleState* state = StateBlock<ToggleState>(window)) {
            state->onState = state->onState == 0 ? 1 : 0;
        }
        SetCapture(window);
        SetFocus(window);
        RedrawNow(window, Kiv_DrawTogle);
        PostControlCommand(window, kToggleClicked);
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        RedrawNow(window, Kiv_DrawTogle);
        return 0;
    case WM_RBUTTONUP:
        PostControlCommand(window, kToggleRightClicked);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateToggle(HINSTANCE instance, HWND parent, int id, int x, int y,
                  const char* onBitmap, const char* offBitmap) {
    HBITMAP on = LoadSkinBitmap(instance, onBitmap);
    HBITMAP off = LoadSkinBitmap(instance, offBitmap);
    const SIZE size = BitmapSize(on);
    HWND window = NULL;
    ToggleState* state = CreateControl<ToggleState>(&window, kToggleClassName, instance,
                                                    parent, id, x, y, size.cx, size.cy);
    if (state == NULL) {
        return window;
    }
    state->onBitmap = on;
    state->offBitmap = off;
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}
