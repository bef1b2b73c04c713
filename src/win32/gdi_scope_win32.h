// Owners of device contexts, selections and GDI objects: each has exactly
// one owner that releases it when its scope ends, on every path. A memory
// context puts back the bitmap it was made with before it is deleted, so no
// bitmap is ever deleted while it is still selected (Windows refuses that
// and leaks the bitmap; Wine deletes it anyway, so no test under Wine would
// see it). Shared by every window of the three programs.
#pragma once

#include <windows.h>

#include "win32/program_palette_win32.h"

// Deletes a GDI object at the end of its scope. A bitmap that is drawn into
// is deselected first (MemoryDC puts back its own first bitmap).
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

// Selects an object into a device context and puts the previous one back at
// the end. Declare it after the owner of the object it selects, so that the
// selection is undone first.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelection() {
        if (selected()) SelectObject(dc_, previous_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

    bool selected() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's device context for drawing outside WM_PAINT (GetDC, ReleaseDC).
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with `target`. Bitmaps selected through
// it are only borrowed: the context's own first bitmap goes back before the
// context is deleted. While it lives, it and `target` both hold the
// program's palette, so that a copy between them keeps the skin's colours on
// a display of 256 colours; each gets its own palette back at the end.
class MemoryDC {
public:
    explicit MemoryDC(HDC target)
        : target_(target),
          targetPalette_(SelectProgramPalette(target)),
          dc_(CreateCompatibleDC(target)),
          palette_(SelectProgramPalette(dc_)) {}
    ~MemoryDC() {
        if (original_ != nullptr && original_ != HGDI_ERROR) SelectObject(dc_, original_);
        if (dc_ != nullptr) {
            PutBackPalette(dc_, palette_);
            DeleteDC(dc_);
        }
        PutBackPalette(target_, targetPalette_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

    // Selects `bitmap`; false when there is no context or no bitmap.
    bool Select(HBITMAP bitmap) {
        if (dc_ == nullptr || bitmap == nullptr) return false;
        HGDIOBJ previous = SelectObject(dc_, bitmap);
        if (previous == nullptr || previous == HGDI_ERROR) return false;
        if (original_ == nullptr) original_ = previous;
        return true;
    }

private:
    HDC target_;
    HPALETTE targetPalette_;
    HDC dc_;
    HPALETTE palette_;
    HGDIOBJ original_ = nullptr;
};

// An antialiased font whose characters are `height` pixels high.
inline HFONT MakeFont(int height, int weight, const char* face) {
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}
