// Drawing helpers of the toolkit, each doing one thing. Every context and
// selection they make is released before they return.
#pragma once

#include <windows.h>

#include "win32/gdi_scope_win32.h"

// Where a paint routine draws: the device context and the window's client
// rectangle (and the window, for a control that shows its parent through).
struct PaintTarget {
    HWND window;
    HDC dc;
    RECT client;
};

// Width and height of a bitmap; zero for none.
SIZE BitmapSize(HBITMAP bitmap);

// Copies `width` x `height` pixels of `bitmap`, from its point (sourceX,
// sourceY), to (x, y) of `target`: a whole face, or one cell of a strip.
// Draws nothing for a null bitmap.
void CopyBitmap(HDC target, int x, int y, int width, int height, HBITMAP bitmap, int sourceX = 0, int sourceY = 0);

// Copies the whole of `bitmap`, at its own size, to (x, y) of `target`.
void CopyWholeBitmap(HDC target, int x, int y, HBITMAP bitmap);

// One memory context for all the copies of one paint, as CopyBitmap makes
// for one: each copy selects its bitmap in turn, and the context's own
// bitmap goes back once, at the end. Selecting a bitmap is the dear step.
class BitmapSource {
public:
    explicit BitmapSource(HDC target) : memory_(target) {}
    void Copy(HDC target, int x, int y, int width, int height, HBITMAP bitmap, int sourceX = 0, int sourceY = 0);
    void CopyWhole(HDC target, int x, int y, HBITMAP bitmap);

private:
    MemoryDC memory_;
};

// The face of a bitmap control: `bitmap` copied from its (0, 0) over the
// client rectangle (cut to the window's size), or, with no bitmap, the
// parent's background, so that no earlier face stays on screen.
void DrawFace(const PaintTarget& target, HBITMAP bitmap);

// The focus mark: a dotted frame (DrawFocusRect) one pixel inside `face`,
// drawn over a face just drawn, while `control` shows its mark
// (ShowsFocusMark). The face drawn again without it erases it.
void DrawFocusMark(HWND control, HDC dc, const RECT& face);

// Has the parent draw its background, in its own coordinates, into `dc` of
// `control`, so that the part under the control shows there: a parent with a
// class brush erases, one that draws its background answers WM_PRINTCLIENT.
void PaintParentBackground(HWND control, HDC dc);
