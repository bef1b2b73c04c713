#include "controls/toolkit_window.h"

void* AllocateStateMemory(HWND window, SIZE_T size) {
    void* block = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
    if (block != NULL) {
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(block));
    }
    return block;
}

void ReleaseStateMemory(HWND window) {
    void* block = reinterpret_cast<void*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (block == NULL) {
        return;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    HeapFree(GetProcessHeap(), 0, block);
}

HWND CreateControlWindow(const char* className, HINSTANCE instance, HWND parent,
                         int id, int x, int y, int width, int height) {
    return CreateWindowExA(0, className, "", WS_CHILD, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, NULL);
}

SIZE BitmapSize(HBITMAP bitmap) {
    SIZE size = {0, 0};
    BITMAP info;
    if (bitmap != NULL && GetObjectA(bitmap, sizeof info, &info) == sizeof info) {
        size.cx = info.bmWidth;
        size.cy = info.bmHeight;
    }
    return size;
}

void PostToParent(HWND control, UINT message, WPARAM wParam) {
    const LPARAM handleLow = static_cast<LPARAM>(reinterpret_cast<UINT_PTR>(control) & 0xFFFF);
    PostMessageA(GetParent(control), message, wParam, handleLow);
}

void PostControlCommand(HWND control, WORD code) {
    const WORD id = static_cast<WORD>(GetWindowLongA(control, GWL_ID) & 0xFFFF);
    PostToParent(control, WM_COMMAND, MAKEWPARAM(id, code));
}

void PaintOnRequest(HWND window, ControlPainter paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc != NULL) {
        paint(window, dc);
    }
    EndPaint(window, &ps);
}

void RedrawNow(HWND window, ControlPainter paint) {
    // A control of a hidden window (the desk restores its panels before it
    // is ever shown) has nothing on screen to bring up to date; showing the
    // window paints it anyway.
    if (!IsWindowVisible(window)) {
        return;
    }
    HDC dc = GetDC(window);
    if (dc == NULL) {
        return;
    }
    paint(window, dc);
    ReleaseDC(window, dc);
}

void BlitBitmap(HDC target, HBITMAP bitmap, int width, int height) {
    if (bitmap == NULL) {
        return;
    }
    HDC memory = CreateCompatibleDC(target);
    if (memory == NULL) {
        return;
    }
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (previous != NULL && previous != HGDI_ERROR) {
        BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
}

void PaintParentBackground(HWND window, HDC dc) {
    HWND parent = GetParent(window);
    if (parent == NULL) {
        return;
    }
    // Shift the origin so that the parent draws its own coordinates and the
    // part under this control lands in our client area.
    POINT origin = {0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    POINT saved;
    OffsetWindowOrgEx(dc, origin.x, origin.y, &saved);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetWindowOrgEx(dc, saved.x, saved.y, NULL);
}

void DrawFaceOrBackground(HWND window, HDC dc, HBITMAP bitmap) {
    if (bitmap == NULL) {
        PaintParentBackground(window, dc);
        return;
    }
    RECT client;
    GetClientRect(window, &client);
    BlitBitmap(dc, bitmap, client.right - client.left, client.bottom - client.top);
}
