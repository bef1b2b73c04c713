#include "controls/static_bitmap.h"

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"

namespace {

const char kStaticClassName[] = "Kiv_StaticClass";

struct StaticBitmapState {
    SkinImage bitmap;
};

void Kiv_DrawStatic(const PaintTarget& target, int, StaticBitmapState* state) {
    ToolkitTrace("Kiv_DrawStatic\n");
    if (state == nullptr) return;
    DrawFace(target, state->bitmap);
}

const ControlClass<StaticBitmapState> kStaticBitmap = {Kiv_DrawStatic, 0, true, nullptr, nullptr};

// A picture, named by its window text.
void Describe(HWND, AccessibleFacts* facts) { facts->role = ROLE_SYSTEM_GRAPHIC; }

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETICON:
        // lParam names the new bitmap; the window keeps its size.
        if (StaticBitmapState* state = StateOf<StaticBitmapState>(window))
            state->bitmap = LoadSkinBitmap(toolkitInstance, reinterpret_cast<const char*>(lParam));
        PaintNow(window, kStaticBitmap);
        return 0;
    default: return ControlProcedure(kStaticBitmap, window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK StaticBitmapWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateStaticBitmap(HINSTANCE instance, HWND parent, int id, int x, int y, const char* bitmap, const char* label) {
    const SkinImage picture = LoadSkinBitmap(instance, bitmap);
    return CreateControl<StaticBitmapState>(kStaticClassName, {instance, parent, id, x, y, picture.size, label},
                                            [&](HWND, StaticBitmapState& state) { state.bitmap = picture; });
}
