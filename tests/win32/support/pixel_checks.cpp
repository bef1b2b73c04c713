#include "support/pixel_checks.h"

#include <cstdio>

namespace wintest {

namespace {

PixelImage ReadFromDc(HDC source, int width, int height) {
    PixelImage image;
    image.width = width;
    image.height = height;
    image.pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels.push_back(GetPixel(source, x, y));
        }
    }
    return image;
}

}  // namespace

PixelImage CaptureClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    PixelImage image = ReadFromDc(dc, client.right, client.bottom);
    ReleaseDC(window, dc);
    return image;
}

PixelImage ReadBitmap(const SkinImage& picture, int width, int height) {
    BITMAP info;
    if (!picture || GetObjectA(picture.bitmap, sizeof info, &info) != sizeof info) return PixelImage();
    // The whole bitmap in 32 bits a pixel, top row first, read with
    // GetDIBits: the atlas of the skin stays selected in the toolkit's
    // context of the copies, and a bitmap is selected into one context at a
    // time.
    const int bitmapWidth = info.bmWidth;
    const int bitmapHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = bitmapWidth;
    format.bmiHeader.biHeight = -bitmapHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> bits(static_cast<size_t>(bitmapWidth) * bitmapHeight);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, picture.bitmap, 0, bitmapHeight, bits.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != bitmapHeight) return PixelImage();
    PixelImage image;
    image.width = width < picture.size.cx ? width : picture.size.cx;
    image.height = height < picture.size.cy ? height : picture.size.cy;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const DWORD pixel = bits[static_cast<size_t>(picture.origin.y + y) * bitmapWidth + picture.origin.x + x];
            image.pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
        }
    }
    return image;
}

PixelImage RenderWith(int width, int height, void (*draw)(HDC, void*), void* context) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, canvas);
    draw(memory, context);
    PixelImage image = ReadFromDc(memory, width, height);
    SelectObject(memory, previous);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

PixelImage Crop(const PixelImage& image, int x, int y, int width, int height) {
    PixelImage part;
    part.width = width;
    part.height = height;
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            const bool inside = row >= 0 && row < image.height && column >= 0 && column < image.width;
            part.pixels.push_back(inside ? image.at(column, row) : CLR_INVALID);
        }
    }
    return part;
}

HBITMAP StripBitmap(int cells, int cellWidth, int height, const COLORREF* colours) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cells * cellWidth, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    for (int i = 0; i < cells; ++i) {
        HBRUSH brush = CreateSolidBrush(colours[i]);
        RECT cell = {i * cellWidth, 0, (i + 1) * cellWidth, height};
        FillRect(memory, &cell, brush);
        DeleteObject(brush);
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

PixelImage SolidImage(int width, int height, COLORREF colour) {
    PixelImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * height, colour);
    return image;
}

void CoverClient(HWND window, COLORREF colour) {
    HDC dc = GetDC(window);
    if (dc == nullptr) return;
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

RECT PlaceInClient(HWND child, HWND window) {
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

HBITMAP SolidBitmap(int width, int height, COLORREF colour) { return StripBitmap(1, width, height, &colour); }

std::string FirstDifference(const PixelImage& actual, const PixelImage& expected) {
    char text[128];
    if (actual.width != expected.width || actual.height != expected.height) {
        std::snprintf(text, sizeof text, "size %dx%d != %dx%d", actual.width, actual.height, expected.width,
                      expected.height);
        return text;
    }
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            if (actual.at(x, y) != expected.at(x, y)) {
                std::snprintf(text, sizeof text, "(%d, %d) %06lX != %06lX", x, y,
                              static_cast<unsigned long>(actual.at(x, y)),
                              static_cast<unsigned long>(expected.at(x, y)));
                return text;
            }
        }
    }
    return "";
}

}  // namespace wintest
