#include "controls/static_bitmap.h"

#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"
#include "controls/toolkit_window.h"

namespace {

const char kStaticClassName[] = "Kiv_StaticClass";

struct StaticBitmapState {
    HBITMAP bitmap;
};

void Kiv_DrawStatic(HWND window, HDC dc) {
    ToolkitTrace("Kiv_DrawStatic\n");
    const StaticBitmapState* state = StateBlock<StaticBitmapState>(window);
    if (state == NULL) {
        return;
    }
    DrawFaceOrBackground(window, dc, state->bitmap);
}

}  // namespace

LRESULT CALLBACK StaticBitmapWindowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return CreateStateBlock<StaticBitmapState>(window) != NULL ? 0 : -1;
    case WM_DESTROY:
        FreeStateBlock(window);
        return 0;
    case WM_ERASEBKGND:
        return 0;
    case WM_PAINT:
        PaintOnRequest(window, Kiv_DrawStatic);
        return 0;
    case WM_SETICON:
        // lParam names the new bitmap; the window keeps its size.
        if (StaticBitmapState* state = StateBlock<StaticBitmapState>(window)) {
            state->bitmap = LoadSkinBitmap(toolkitInstance, reinterpret_cast<const char*>(lParam));
        }
        RedrawNow(window, Kiv_DrawStatic);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateStaticBitmap(HINSTANCE instance, HWND parent, int id, int x, int y,
                        const char* bitmap) {
    HBITMAP picture = LoadSkinBitmap(instance, bitmap);
    const SIZE size = BitmapSize(picture);
    HWND window = NULL;
    StaticBitmapState* state = CreateControl<StaticBitmapState>(
        &window, kStaticClassName, instance, parent, id, x, y, size.cx, size.cy);
    if (state == NULL) {
        return window;
    }
    state->bitmap = picture;
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}
