// Conventions shared by every Kiv_ control class: the per-window state
// block, the creation of a control, notifications to the parent and the
// ways a control paints itself. Each class uses these instead of repeating
// them.
#pragma once

#include <windows.h>

#include <type_traits>

// ---- State block ---------------------------------------------------------
// Every control keeps one heap block under GWLP_USERDATA, allocated zeroed
// at WM_CREATE and freed at WM_DESTROY. Blocks are plain data.

void* AllocateStateMemory(HWND window, SIZE_T size);
void ReleaseStateMemory(HWND window);

// Allocates the zeroed block and stores it in the window. NULL when out of
// memory; WM_CREATE then answers -1 so that the window is not created.
template <typename T>
T* CreateStateBlock(HWND window) {
    static_assert(std::is_trivial<T>::value, "state blocks are plain data");
    return static_cast<T*>(AllocateStateMemory(window, sizeof(T)));
}

// The window's block, or NULL when it has none.
template <typename T>
T* StateBlock(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Frees the block (if any) and clears the stored pointer. Whatever the block
// owns must be released by the class before.
inline void FreeStateBlock(HWND window) { ReleaseStateMemory(window); }

// ---- Creation ------------------------------------------------------------
// Creates a hidden child control: extended style 0, empty title, WS_CHILD
// only, the id in place of the menu, no creation parameter. NULL on failure.
HWND CreateControlWindow(const char* className, HINSTANCE instance, HWND parent,
                         int id, int x, int y, int width, int height);

// Creates the control and returns its state block for the creator to fill
// before it shows the window; `*window` receives the handle. When creation
// fails both are NULL, so nothing is ever written into a missing block.
template <typename T>
T* CreateControl(HWND* window, const char* className, HINSTANCE instance,
                 HWND parent, int id, int x, int y, int width, int height) {
    *window = CreateControlWindow(className, instance, parent, id, x, y, width, height);
    return *window != NULL ? StateBlock<T>(*window) : NULL;
}

// Width and height of a bitmap; zero for none.
SIZE BitmapSize(HBITMAP bitmap);

// ---- Notifications -------------------------------------------------------
// Posts (never sends) `message` to the parent with lParam = the low 16 bits
// of the control's handle.
void PostToParent(HWND control, UINT message, WPARAM wParam);

// Posts WM_COMMAND with the control's id in the low word and `code` in the
// high word.
void PostControlCommand(HWND control, WORD code);

// ---- Painting ------------------------------------------------------------
typedef void (*ControlPainter)(HWND window, HDC dc);

// WM_PAINT: BeginPaint, the class's paint routine, EndPaint.
void PaintOnRequest(HWND window, ControlPainter paint);

// A change drawn at once: GetDC, the class's paint routine, ReleaseDC.
void RedrawNow(HWND window, ControlPainter paint);

// Copies `bitmap` from its (0, 0) to the target's (0, 0) over width x height,
// through a memory DC that gets its first bitmap back and is deleted on
// every path. Draws nothing for a NULL bitmap.
void BlitBitmap(HDC target, HBITMAP bitmap, int width, int height);

// Has the parent paint its background under the control, for a control that
// has nothing of its own to show.
void PaintParentBackground(HWND window, HDC dc);

// The face of a bitmap control: `bitmap` copied over the client rectangle
// (cut to the window's size), or the parent's background when the bitmap is
// missing, so that no earlier face stays on screen.
void DrawFaceOrBackground(HWND window, HDC dc, HBITMAP bitmap);
