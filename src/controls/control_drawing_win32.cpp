#include "controls/control_drawing.h"

#include "controls/control_input.h"
#include "controls/toolkit_frame.h"
#include "win32/gdi_scope_win32.h"
#include "win32/program_palette_win32.h"

SIZE BitmapSize(HBITMAP bitmap) {
    SIZE size = {0, 0};
    BITMAP info;
    if (bitmap != nullptr && GetObjectA(bitmap, sizeof info, &info) == sizeof info) {
        size.cx = info.bmWidth;
        size.cy = info.bmHeight;
    }
    return size;
}

SkinImage::SkinImage(HBITMAP whole) : bitmap(whole), origin{0, 0}, size(BitmapSize(whole)) {}

namespace {

// The kept context of the copies: the bitmap selected in it and what it
// held first, put back before it is deleted.
struct SkinSource {
    HDC dc;
    HGDIOBJ original;
    HPALETTE palette;  // what it held before the program's palette
    HBITMAP selected;
};
SkinSource source = {};

// The kept context with `bitmap` selected; null when it cannot be.
HDC SourceWith(HBITMAP bitmap) {
    if (source.dc == nullptr) {
        source.dc = CreateCompatibleDC(nullptr);
        if (source.dc == nullptr) return nullptr;
        source.palette = SelectProgramPalette(source.dc);
    }
    if (source.selected == bitmap) return source.dc;
    HGDIOBJ previous = SelectObject(source.dc, bitmap);
    if (previous == nullptr || previous == HGDI_ERROR) return nullptr;
    if (source.original == nullptr) source.original = previous;
    source.selected = bitmap;
    return source.dc;
}

// A bitmap that is not the skin's goes out again at once: its owner may
// delete it, and a selected bitmap cannot be deleted.
void LetGoOf(HBITMAP bitmap) {
    if (source.selected != bitmap || IsSkinAtlas(bitmap)) return;
    SelectObject(source.dc, source.original);
    source.selected = nullptr;
}

int Smaller(int a, int b) { return a < b ? a : b; }

}  // namespace

void CopyImage(HDC target, int x, int y, int width, int height, const SkinImage& image, int sourceX, int sourceY) {
    if (!image) return;
    // As a copy from a bitmap of the picture's size alone: what lies outside
    // it is cut off, on the target too.
    if (sourceX < 0) {
        x -= sourceX;
        width += sourceX;
        sourceX = 0;
    }
    if (sourceY < 0) {
        y -= sourceY;
        height += sourceY;
        sourceY = 0;
    }
    width = Smaller(width, image.size.cx - sourceX);
    height = Smaller(height, image.size.cy - sourceY);
    if (width <= 0 || height <= 0) return;
    HDC from = SourceWith(image.bitmap);
    if (from == nullptr) return;
    // The target holds the program's palette for the copy, so that at 256
    // colours the skin's colours land on the entries realised for them.
    const HPALETTE targetPalette = SelectProgramPalette(target);
    BitBlt(target, x, y, width, height, from, image.origin.x + sourceX, image.origin.y + sourceY, SRCCOPY);
    PutBackPalette(target, targetPalette);
    LetGoOf(image.bitmap);
}

void CopyWholeImage(HDC target, int x, int y, const SkinImage& image) {
    CopyImage(target, x, y, image.size.cx, image.size.cy, image);
}

void ReleaseSkinSource() {
    if (source.dc == nullptr) return;
    if (source.original != nullptr) SelectObject(source.dc, source.original);
    PutBackPalette(source.dc, source.palette);
    DeleteDC(source.dc);
    source = SkinSource();
}

void DrawFace(const PaintTarget& target, const SkinImage& face) {
    if (!face) {
        PaintParentBackground(target.window, target.dc);
        return;
    }
    CopyImage(target.dc, 0, 0, target.client.right - target.client.left, target.client.bottom - target.client.top,
              face);
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
