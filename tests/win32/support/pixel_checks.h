// Reading what a window shows, for comparing it with bitmaps and with
// reference drawings. Pixels are 0x00BBGGRR colours.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"

#include <string>
#include <vector>

namespace wintest {

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row from the top-left corner

    COLORREF at(int x, int y) const { return pixels[y * width + x]; }
    bool operator==(const PixelImage& other) const {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
    bool operator!=(const PixelImage& other) const { return !(*this == other); }
};

// What the window's client area shows now, read through its own DC.
PixelImage CaptureClient(HWND window);

// The top-left width x height part of a picture (cut to the picture's size),
// read from its bitmap directly: for a picture of the skin's atlas, the
// rectangle the cache gave it.
PixelImage ReadBitmap(const SkinImage& picture, int width, int height);

// Draws into a fresh bitmap of the given size (compatible with the screen)
// and returns its pixels; `draw` gets a memory DC with that bitmap selected.
template <typename Draw>
PixelImage Render(int width, int height, Draw draw);

// An image of width x height pixels, all `colour`.
PixelImage SolidImage(int width, int height, COLORREF colour);

// Paints the window's client area in `colour` through its own DC, so that
// only a fresh drawing by the window brings its picture back.
void CoverClient(HWND window, COLORREF colour);

// Where a child window sits in `window`'s client area, and its size.
RECT PlaceInClient(HWND child, HWND window);

// The width x height part of `image` whose top-left corner is (x, y).
PixelImage Crop(const PixelImage& image, int x, int y, int width, int height);

// Bitmaps of known pixels for a control's faces, compatible with the screen;
// the caller deletes them. A strip has `cells` cells of `cellWidth` x
// `height`, cell i filled with colours[i].
HBITMAP SolidBitmap(int width, int height, COLORREF colour);
HBITMAP StripBitmap(int cells, int cellWidth, int height, const COLORREF* colours);

// Where two images of the same size differ first, as "(x, y) a != b", or ""
// when they are equal (or a size mismatch when they are not the same size).
std::string FirstDifference(const PixelImage& actual, const PixelImage& expected);

// Implementation of Render, through a plain callback.
PixelImage RenderWith(int width, int height, void (*draw)(HDC, void*), void* context);

template <typename Draw>
PixelImage Render(int width, int height, Draw draw) {
    return RenderWith(
        width, height, [](HDC dc, void* context) { (*static_cast<Draw*>(context))(dc); }, &draw);
}

}  // namespace wintest
