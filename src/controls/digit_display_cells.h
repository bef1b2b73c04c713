// Which digit cells the digit display shows for its number, kept free of the
// window system.
#pragma once

#include <cstdint>

// A cell of the digit strip, and the display's row of three.
constexpr int kDigitCellWidth = 6;
constexpr int kDigitCellHeight = 7;
constexpr int kDisplayedDigits = 3;
constexpr int kLargestDisplayed = 999;

// Room for the decimal text of any 32-bit number: "-2147483648" and the
// terminator.
constexpr int kDecimalTextSize = 12;

struct DigitReadout {
    int digits[kDisplayedDigits];  // left, middle, right, each 0 to 9
    char text[kDecimalTextSize];   // the number's own decimal text, as traced
};

// The three digits of `value` with leading zeros (7 is 0 0 7, 42 is 0 4 2).
// Only 0 to 999 fit in three digits: a number below 0 shows 0 0 0 and one
// above 999 shows 9 9 9, the ends of the display, rather than a part of its
// digits that would pass for a different number. `text` is the decimal text
// of `value` itself.
DigitReadout ReadOutDigits(int32_t value);

// Where digit `digit` starts in the strip.
inline int DigitCellX(int digit) { return kDigitCellWidth * digit; }
