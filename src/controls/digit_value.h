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

// ---- Digits typed into a field ---------------------------------------------

// How many digits can be typed into a field: as many as its maximum has, and
// at least two, as many as it shows.
int TypedDigitCount(int maximum);

struct TypedValue {
    bool accepted;  // false: the field cannot take the digit; nothing changes
    int value;      // the value after the digit
    int typed;      // digits typed into it so far
};

// The digit `digit` typed into a field that shows `value`, after `typed`
// digits were typed into it (0 after any other change). A first digit
// replaces the value; a further one, within TypedDigitCount, is appended. A
// value above `maximum` starts over from the digit typed; a digit that is
// above `maximum` by itself is refused.
TypedValue TypeDigit(int value, int typed, int digit, int maximum);
