// Owners for GDI objects in the card monitor's drawing code: each object has
// exactly one owner that releases it when the scope ends, on every path.
// Declare the owner of an object before any selection of it, so that the
// selection is undone first.
#pragma once

#include <windows.h>

// Deletes a pen, brush, font, region or bitmap.
class OwnedGdiObject {
public:
    explicit OwnedGdiObject(HGDIOBJ object) : object_(object) {}
    ~OwnedGdiObject() {
        if (object_ != nullptr) DeleteObject(object_);
    }
    OwnedGdiObject(const OwnedGdiObject&) = delete;
    OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;

    HGDIOBJ get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    HGDIOBJ object_;
};

// Selects an object into a device context and puts the previous one back.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// An off-screen picture the size of a window's client area: drawn into, then
// copied to the screen in one go, so nothing flickers.
class BackBuffer {
public:
    BackBuffer(HDC target, int width, int height)
        : target_(target), width_(width), height_(height), dc_(CreateCompatibleDC(target)),
          bitmap_(dc_ != nullptr ? CreateCompatibleBitmap(target, width, height) : nullptr),
          previous_(bitmap_ != nullptr ? SelectObject(dc_, bitmap_) : nullptr) {}
    ~BackBuffer() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    bool Ready() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }
    HDC dc() const { return dc_; }
    void CopyToTarget() const { BitBlt(target_, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY); }

private:
    HDC target_;
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};
