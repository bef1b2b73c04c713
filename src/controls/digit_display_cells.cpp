#include "controls/digit_display_cells.h"

#include <cstdio>
#include <cstring>

namespace {

void DecimalText(int32_t value, char (&text)[kDecimalTextSize]) {
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
}

}  // namespace

DigitReadout ReadOutDigits(int32_t value) {
    DigitReadout readout = {};
    DecimalText(value, readout.text);

    int32_t shown = value;
    if (shown < 0)
        shown = 0;
    else if (shown > kLargestDisplayed)
        shown = kLargestDisplayed;
    char shownText[kDecimalTextSize];
    DecimalText(shown, shownText);
    // One to three characters, all digits: right-aligned, zeros before.
    const int length = static_cast<int>(std::strlen(shownText));
    for (int i = 0; i < length; ++i) readout.digits[kDisplayedDigits - length + i] = shownText[i] - '0';
    return readout;
}
