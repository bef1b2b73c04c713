// Index moves of the bitmap list, kept free of the window system. The index
// stops at both ends of the list instead of wrapping; every sum is taken in
// 64 bits, so no move can overflow.
#pragma once

#include <cstdint>

// `index` brought into 0 .. count - 1 (0 for a list without pictures).
int32_t ClampListIndex(int64_t index, int32_t count);

// A left press: the next picture, or the last one.
int32_t NextListIndex(int32_t index, int32_t count);

// A right press: the previous picture, or the first one.
int32_t PreviousListIndex(int32_t index, int32_t count);

// One wheel notch, whatever its size: turned away from the user (a delta
// above 0 in the high word of wParam) the previous picture, otherwise the
// next one.
int32_t WheelListIndex(int32_t index, int32_t count, uint16_t wheelWord);
