// Value arithmetic of the digit entry field, kept free of the window system.
#pragma once

// Brings a value back into a field's range: below 0 becomes `maximum`; then
// above `maximum` becomes `minimum`. Taken as a 64-bit number so that a step
// past the ends of the int range wraps instead of overflowing.
int WrapDigitValue(long long value, int maximum, int minimum);

// One step of a field: `delta` added to `value`, then wrapped.
int StepDigitValue(int value, int delta, int maximum, int minimum);

// The text a field shows: at least two digits with a leading zero, every
// digit of larger numbers. `text` holds any int with its sign.
constexpr int kDigitTextSize = 16;
void FormatDigitValue(int value, char (&text)[kDigitTextSize]);
