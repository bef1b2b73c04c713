// The off-screen picture a paint composes in, then copies to its target in
// one block transfer so that nothing flickers.
//
// Controls paint many times a second, each into a small picture: one
// picture, with its memory context, is kept from paint to paint, as large as
// the largest asked for so far and made again only when a larger one is.
// Making a bitmap and its context and selecting one into the other at every
// paint cost more than the drawing itself. The picture is a 32-bit DIB
// section: at true colour the screen's own format, at 256 colours it keeps
// every colour exactly, and the copy to the screen maps them through the
// program's palette. A paint that asks while the kept picture is lent out
// (a paint within a paint) gets one of its own for the while.
#pragma once

#include <windows.h>

class BackBuffer {
public:
    // A picture of at least `width` x `height` for one paint onto `target`.
    // The target and the picture both hold the program's palette while it
    // lives. A top-level window's paint, large and rare, passes
    // `keep = false` and gets a picture of its own for this paint alone.
    BackBuffer(HDC target, int width, int height, bool keep = true);
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    bool Ready() const { return picture_ != nullptr; }
    HDC dc() const;
    // The asked-for part of the picture to (x, y) of the target.
    void CopyToTarget(int x = 0, int y = 0) const;

    struct Picture;

private:
    HDC target_;
    int width_;
    int height_;
    HPALETTE targetPalette_;
    Picture* picture_;  // the kept one, lent, or one of this paint's own
    int savedState_;    // the lent context's state, given back as it was lent
};

// Deletes the kept picture and its context. The toolkit calls it when its
// classes are unregistered, after the last control is gone.
void FreeKeptBackBuffer();

// WM_PAINT composed off-screen: `draw(dc, area)` draws in client coordinates
// into a back buffer of its own over the area to paint, copied to the window
// at once.
template <typename Draw>
void PaintThroughBackBuffer(HWND window, Draw draw) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const RECT& area = paint.rcPaint;
    if (dc != nullptr && area.right > area.left && area.bottom > area.top) {
        BackBuffer buffer(dc, area.right - area.left, area.bottom - area.top, false);
        if (buffer.Ready()) {
            SetWindowOrgEx(buffer.dc(), area.left, area.top, nullptr);
            draw(buffer.dc(), area);
            SetWindowOrgEx(buffer.dc(), 0, 0, nullptr);
            buffer.CopyToTarget(area.left, area.top);
        }
    }
    EndPaint(window, &paint);
}
