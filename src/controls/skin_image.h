// A picture of the skin as the controls draw it: a rectangle of a bitmap.
// The skin bitmap cache hands out rectangles of its one atlas; a bitmap of
// one's own (a test's, a knob's background) is the rectangle of its whole
// size at (0, 0). Copies never reach outside the rectangle, so two pictures
// side by side in the atlas never show through each other.
#pragma once

#include <windows.h>

struct SkinImage {
    HBITMAP bitmap;  // null for no picture
    POINT origin;    // the picture's top-left corner in `bitmap`
    SIZE size;

    // No picture. Left trivial so that state blocks, which are plain data,
    // can hold one; `SkinImage()` and `{}` are empty.
    SkinImage() = default;
    // The whole of `whole` (none for null): the form every creator takes a
    // bitmap of its own in.
    SkinImage(HBITMAP whole);  // NOLINT: implicit on purpose

    explicit operator bool() const { return bitmap != nullptr; }
};

inline bool operator==(const SkinImage& a, const SkinImage& b) {
    return a.bitmap == b.bitmap && a.origin.x == b.origin.x && a.origin.y == b.origin.y && a.size.cx == b.size.cx &&
           a.size.cy == b.size.cy;
}
inline bool operator!=(const SkinImage& a, const SkinImage& b) { return !(a == b); }
