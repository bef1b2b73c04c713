#include "controls/digit_value.h"

#include <cstdio>

int WrapDigitValue(long long value, int maximum, int minimum) {
    if (value < 0) value = maximum;
    if (value > maximum) value = minimum;
    return static_cast<int>(value);
}

int StepDigitValue(int value, int delta, int maximum, int minimum) {
    return WrapDigitValue(static_cast<long long>(value) + delta, maximum, minimum);
}

void FormatDigitValue(int value, char (&text)[kDigitTextSize]) { std::snprintf(text, sizeof text, "%02d", value); }
