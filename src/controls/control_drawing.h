// Drawing helpers of the toolkit, each doing one thing. Every context and
// selection they make for one drawing is released before they return; the
// context every picture of the skin is copied from is kept (see CopyImage).
#pragma once

#include <windows.h>

#include "controls/skin_image.h"
#include "win32/back_buffer_win32.h"
#include "win32/gdi_scope_win32.h"

// Where a paint routine draws: the device context and the window's client
// rectangle (and the window, for a control that shows its parent through).
struct PaintTarget {
    HWND window;
    HDC dc;
    RECT client;
};

// Width and height of a whole bitmap; zero for none.
SIZE BitmapSize(HBITMAP bitmap);

// Copies `width` x `height` pixels of `image`, from its point (sourceX,
// sourceY), to (x, y) of `target`: a whole face, or one cell of a strip. As
// from a bitmap of the picture's own size, what lies outside the picture is
// cut off (in the atlas its neighbours lie there). Draws nothing for no
// picture.
//
// Every copy is made from one memory context, kept from the first copy until
// the skin bitmap cache frees its bitmaps, in which the atlas of the skin
// stays selected: selecting a bitmap was the dear step of a copy. A bitmap
// of one's own is selected for its copy alone, so that its owner may delete
// it at any time.
void CopyImage(HDC target, int x, int y, int width, int height, const SkinImage& image, int sourceX = 0,
               int sourceY = 0);

// Copies the whole of `image`, at its own size, to (x, y) of `target`.
void CopyWholeImage(HDC target, int x, int y, const SkinImage& image);

// Deletes the kept context of the copies. The skin bitmap cache calls it
// before it deletes the atlas, which must not be selected anywhere then.
void ReleaseSkinSource();

// The face of a bitmap control: `face` copied from its top-left corner over
// the client rectangle (cut to the picture's size), or, with no picture, the
// parent's background, so that no earlier face stays on screen.
void DrawFace(const PaintTarget& target, const SkinImage& face);

// The focus mark: a dotted frame (DrawFocusRect) one pixel inside `face`,
// drawn over a face just drawn, while `control` shows its mark
// (ShowsFocusMark). The face drawn again without it erases it.
void DrawFocusMark(HWND control, HDC dc, const RECT& face);

// Has the parent draw its background, in its own coordinates, into `dc` of
// `control`, so that the part under the control shows there: a parent with a
// class brush erases, one that draws its background answers WM_PRINTCLIENT.
void PaintParentBackground(HWND control, HDC dc);
