// Where each picture of the skin goes in the atlas, the one bitmap that
// holds them all. Pictures arrive one at a time, as the program first asks
// for them, and each is put as low as it goes on the skyline of those
// before it (the lowest place, then the leftmost). Every picture of the
// skin in one bitmap saves the rounding of each to whole pages of memory.
// Portable: no windows.h here.
#pragma once

#include <cstdint>

// The atlas's columns are kept four pixels wide: a row of an 8-bit bitmap
// is padded to four bytes, and pictures placed on those bounds copy whole
// words.
constexpr int kAtlasColumnPixels = 4;

class AtlasPacking {
public:
    // An atlas of `width` x `height` pixels, empty; `width` a multiple of
    // kAtlasColumnPixels, at most kMaxWidth.
    static constexpr int kMaxWidth = 1024;
    AtlasPacking(int width, int height);

    // Finds the place of a `width` x `height` picture and takes it; false
    // (and nothing taken) when it is empty or does not fit.
    bool Place(int width, int height, int* x, int* y);

    // The rows in use: the highest point of the skyline.
    int UsedHeight() const;

private:
    int columns_;
    int height_;
    int16_t skyline_[kMaxWidth / kAtlasColumnPixels];  // the first free row of each column
};
