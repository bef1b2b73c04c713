#include "win32/back_buffer_win32.h"

#include <new>

#include "win32/program_palette_win32.h"

// A 32-bit DIB section selected into a memory context of its own, which also
// holds the program's palette, for as long as the picture lives.
struct BackBuffer::Picture {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ original = nullptr;  // the context's first bitmap, put back before either goes
    HPALETTE palette = nullptr;  // what the context held before the program's palette
    int width = 0;
    int height = 0;
    bool lent = false;

    bool Make(int wantedWidth, int wantedHeight) {
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = wantedWidth;
        format.bmiHeader.biHeight = -wantedHeight;  // top-down
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc = CreateCompatibleDC(nullptr);
        if (bitmap == nullptr || dc == nullptr) {
            Free();
            return false;
        }
        original = SelectObject(dc, bitmap);
        if (original == nullptr || original == HGDI_ERROR) {
            original = nullptr;
            Free();
            return false;
        }
        palette = SelectProgramPalette(dc);
        width = wantedWidth;
        height = wantedHeight;
        return true;
    }

    void Free() {
        if (dc != nullptr) {
            if (original != nullptr) SelectObject(dc, original);
            PutBackPalette(dc, palette);
            DeleteDC(dc);
        }
        if (bitmap != nullptr) DeleteObject(bitmap);
        *this = Picture();
    }

    bool Holds(int wantedWidth, int wantedHeight) const {
        return dc != nullptr && width >= wantedWidth && height >= wantedHeight;
    }
};

namespace {

BackBuffer::Picture kept;

int Larger(int a, int b) { return a > b ? a : b; }

}  // namespace

BackBuffer::BackBuffer(HDC target, int width, int height, bool keep)
    : target_(target), width_(width), height_(height), targetPalette_(nullptr), picture_(nullptr), savedState_(0) {
    if (target == nullptr || width <= 0 || height <= 0) return;
    if (keep && !kept.lent) {
        // Grown to hold both the largest so far and this one.
        if (!kept.Holds(width, height)) {
            const int keptWidth = Larger(kept.width, width);
            const int keptHeight = Larger(kept.height, height);
            kept.Free();
            if (!kept.Make(keptWidth, keptHeight)) return;
        }
        savedState_ = SaveDC(kept.dc);
        kept.lent = true;
        picture_ = &kept;
    } else {
        Picture* own = new (std::nothrow) Picture();
        if (own == nullptr) return;
        if (!own->Make(width, height)) {
            delete own;
            return;
        }
        picture_ = own;
    }
    targetPalette_ = SelectProgramPalette(target);
}

BackBuffer::~BackBuffer() {
    if (picture_ == nullptr) return;
    PutBackPalette(target_, targetPalette_);
    if (picture_ == &kept) {
        // What a paint set in the context (origin, font, colours) goes with it.
        if (savedState_ != 0) RestoreDC(kept.dc, savedState_);
        kept.lent = false;
        return;
    }
    picture_->Free();
    delete picture_;
}

HDC BackBuffer::dc() const { return picture_ != nullptr ? picture_->dc : nullptr; }

void BackBuffer::CopyToTarget(int x, int y) const {
    if (picture_ != nullptr) BitBlt(target_, x, y, width_, height_, picture_->dc, 0, 0, SRCCOPY);
}

void FreeKeptBackBuffer() {
    // Never while lent: the toolkit frees it after the last paint.
    if (!kept.lent) kept.Free();
}
