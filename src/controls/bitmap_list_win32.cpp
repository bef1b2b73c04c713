#include "controls/bitmap_list.h"

#include <cstdint>

#include "controls/bitmap_list_index.h"
#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_input.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"

namespace {

const char kBitmapListClassName[] = "Kiv_BmpListClass";

struct BmpListState {
    LONG index;          // the picture shown, 0 .. count - 1
    LONG count;          // at least 1
    SkinImage* bitmaps;  // the list's own copy of the pictures; their bitmaps are its creator's
};

void Kiv_DrawBmpList(const PaintTarget& target, int, BmpListState* state) {
    if (state == nullptr) return;
    ToolkitTrace("Kiv_DrawBmpList\n");
    if (state->bitmaps == nullptr || state->index < 0 || state->index >= state->count) return;
    // At its own size: the rest of the client area is left as it is, and the
    // focus mark goes on the picture, which covers it again.
    const SkinImage& picture = state->bitmaps[state->index];
    CopyWholeImage(target.dc, 0, 0, picture);
    const SIZE size = picture.size;
    DrawFocusMark(target.window, target.dc, RECT{0, 0, size.cx, size.cy});
}

// Frees the array only: the pictures in it belong to whoever made them
// (normally the skin bitmap cache, which deletes them at exit).
void ReleaseArray(BmpListState& state) {
    if (state.bitmaps != nullptr) {
        HeapFree(GetProcessHeap(), 0, state.bitmaps);
        state.bitmaps = nullptr;
    }
}

const ControlClass<BmpListState> kBitmapList = {Kiv_DrawBmpList,         0, true, nullptr, ReleaseArray,
                                                ControlKeys::kBothClicks};

// Every move is drawn at once and told to the parent, whether the index
// moved or not. The id goes out whole, as GWL_ID holds it.
void ShowMove(HWND window, BmpListState* state, int32_t index) {
    if (state != nullptr) state->index = index;
    PaintNow(window, kBitmapList);
    PostToParent(window, WM_COMMAND, static_cast<WPARAM>(ControlId(window)));
}

// Down and Right as the left press (the next picture), Up and Left as the
// right one (the previous); false for any other key.
bool Arrow(HWND window, WPARAM key) {
    if (!FocusMarksOn() || !IsArrowKey(key)) return false;
    PlayClick(window, key == VK_DOWN || key == VK_RIGHT ? MouseButton::kLeft : MouseButton::kRight);
    return true;
}

// A list whose value is the picture shown, "2 of 4"; a click shows the next.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_LIST;
    facts->click = ClickMeaning::kNext;
    if (const BmpListState* state = StateOf<BmpListState>(window))
        wsprintfA(facts->value, "%ld of %ld", state->index + 1, state->count);
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    BmpListState* state = StateOf<BmpListState>(window);
    switch (message) {
    case SBM_SETPOS:
        // Held inside the list like the presses, so no paint reads past it.
        if (state != nullptr) state->index = ClampListIndex(static_cast<LONG>(wParam), state->count);
        PaintNow(window, kBitmapList);
        return 0;
    case SBM_GETPOS: return state != nullptr ? state->index : 0;
    case WM_MOUSEMOVE: TakeFocusOnHover(window); return 0;
    case WM_LBUTTONDOWN:
        ShowMove(window, state, state != nullptr ? NextListIndex(state->index, state->count) : 0);
        return 0;
    case WM_RBUTTONDOWN:
        ShowMove(window, state, state != nullptr ? PreviousListIndex(state->index, state->count) : 0);
        return 0;
    case WM_MOUSEWHEEL:
        ShowMove(window, state, state != nullptr ? WheelListIndex(state->index, state->count, HIWORD(wParam)) : 0);
        return 0;
    case WM_KEYDOWN:
        if (Arrow(window, wParam)) return 0;
        break;
    default: break;
    }
    return ControlProcedure(kBitmapList, window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK BitmapListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateBitmapList(HINSTANCE instance, HWND parent, int id, int x, int y, const SkinImage* pictures, int count,
                      int index, const char* label) {
    if (pictures == nullptr || count < 1 || static_cast<SIZE_T>(count) > SIZE_MAX / sizeof(SkinImage)) return nullptr;
    SkinImage* copy = static_cast<SkinImage*>(HeapAlloc(GetProcessHeap(), 0, count * sizeof(SkinImage)));
    if (copy == nullptr) return nullptr;
    SIZE largest = {0, 0};
    for (int i = 0; i < count; ++i) {
        copy[i] = pictures[i];
        const SIZE size = pictures[i].size;
        largest.cx = size.cx > largest.cx ? size.cx : largest.cx;
        largest.cy = size.cy > largest.cy ? size.cy : largest.cy;
    }
    HWND window = CreateControl<BmpListState>(
        kBitmapListClassName, {instance, parent, id, x, y, largest, label, WS_TABSTOP}, [&](HWND, BmpListState& state) {
            state.index = ClampListIndex(index, count);
            state.count = count;
            state.bitmaps = copy;
        });
    if (window == nullptr) HeapFree(GetProcessHeap(), 0, copy);
    return window;
}
