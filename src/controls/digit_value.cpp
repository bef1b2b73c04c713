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

int TypedDigitCount(int maximum) {
    int count = 1;
    for (long long reach = 10; reach <= maximum; reach *= 10) ++count;
    return count < 2 ? 2 : count;
}

TypedValue TypeDigit(int value, int typed, int digit, int maximum) {
    if (digit < 0 || digit > 9 || digit > maximum) return {false, value, typed};
    long long next = digit;
    int count = 1;
    if (typed > 0 && typed < TypedDigitCount(maximum)) {
        next = value * 10LL + digit;
        count = typed + 1;
    }
    if (next > maximum) {
        next = digit;
        count = 1;
    }
    return {true, static_cast<int>(next), count};
}
