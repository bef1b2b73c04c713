#include "controls/control_drawing.h"

#include "controls/control_input.h"
#include "win32/gdi_scope_win32.h"

SIZE BitmapSize(HBITMAP bitmap) {
    SIZE size = {0, 0};
    BITMAP info;
    if (bitmap != nullptr && GetObjectA(bitmap, sizeof info, &info) == sizeof info) {
        size.cx = info.bmWidth;
        size.cy = info.bmHeight;
    }
    return size;
}

void CopyBitmap(HDC target, int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY) {
    MemoryDC memory(target);
    if (memory.Select(bitmap)) BitBlt(target, x, y, width, height, memory.get(), sourceX, sourceY, SRCCOPY);
}

void BitmapSource::Copy(HDC target, int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY) {
    if (memory_.Select(bitmap)) BitBlt(target, x, y, width, height, memory_.get(), sourceX, sourceY, SRCCOPY);
}

void BitmapSource::CopyWhole(HDC target, int x, int y, HBITMAP bitmap) {
    const SIZE size = BitmapSize(bitmap);
    Copy(target, x, y, size.cx, size.cy, bitmap);
}

void CopyWholeBitmap(HDC target, int x, int y, HBITMAP bitmap) {
    const SIZE size = BitmapSize(bitmap);
    CopyBitmap(target, x, y, size.cx, size.cy, bitmap);
}

void DrawFace(const PaintTarget& target, HBITMAP bitmap) {
    if (bitmap == nullptr) {
        PaintParentBackground(target.window, target.dc);
        return;
    }
    CopyBitmap(target.dc, 0, 0, target.client.right - target.client.left, target.client.bottom - target.client.top,
               bitmap);
}

void DrawFocusMark(HWND control, HDC dc, const RECT& face) {
    if (!ShowsFocusMark(control)) return;
    const RECT inside = {face.left + 1, face.top + 1, face.right - 1, face.bottom - 1};
    if (inside.right <= inside.left || inside.bottom <= inside.top) return;
    // Black and white for the frame's pattern wherever the system takes
    // them from the context, whatever colours the face was drawn in.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &inside);
    SetBkColor(dc, back);
    SetTextColor(dc, text);
}

void PaintParentBackground(HWND control, HDC dc) {
    HWND parent = GetParent(control);
    if (parent == nullptr) return;
    // Shift the origin so that the parent draws its own coordinates and the
    // part under this control lands in our client area.
    POINT origin = {0, 0};
    MapWindowPoints(control, parent, &origin, 1);
    POINT saved;
    OffsetWindowOrgEx(dc, origin.x, origin.y, &saved);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetWindowOrgEx(dc, saved.x, saved.y, nullptr);
}
