// Arithmetic of the two faders and the arrow-key step they share with the
// knob: where a pointer puts the value, where a value puts the thumb, what a
// key or a wheel notch does. Portable: no windows.h here.
//
// A stored value can be anything (SBM_SETPOS takes it without a range test),
// so products and sums are taken in 64 bits; divisors are the stops and
// maxima that the creation operations only accept above 0 (a divisor of 0 or
// below gives 0 here instead of a fault).
#pragma once

#include <cstdint>

// The arrow keys' virtual key codes.
constexpr unsigned kArrowUpKey = 0x26;
constexpr unsigned kArrowDownKey = 0x28;

// What one key press adds: `step` for the Up arrow, -`step` for the Down
// arrow, nothing for any other key.
int64_t ArrowKeyStep(unsigned key, int32_t step);

// ---- Vertical slider: value 0 at the bottom ------------------------------

// The value a pointer at `pointerY` gives: y limited to `topStop`, then to
// `bottomStop`, then (bottomStop - y) * maxValue / bottomStop.
int32_t VerticalValueAt(uint16_t pointerY, int32_t topStop, int32_t bottomStop, int32_t maxValue);

// The thumb's top edge for `value`: its centre sits at bottomStop - p, with
// p = value * bottomStop / maxValue limited to bottomStop (no lower limit);
// a top above 0 is 0.
int32_t VerticalThumbTop(int32_t value, int32_t bottomStop, int32_t maxValue, int32_t thumbHeight);

// The thumb's left edge, centred on the rail.
int32_t VerticalThumbLeft(int32_t railWidth, int32_t thumbWidth);

// One Up or Down key press (any other key leaves the value), then the clamp
// into 0..maxValue.
int32_t VerticalKeyValue(int32_t value, unsigned key, int32_t step, int32_t maxValue);

// One wheel notch: + `step` for a delta above 0, - `step` otherwise, then the
// clamp into 0..maxValue. `wheelWord` is the high word of wParam.
int32_t VerticalWheelValue(int32_t value, uint16_t wheelWord, int32_t step, int32_t maxValue);

// ---- Horizontal slider: value 0 at the left -------------------------------

// The value a pointer at `pointerX` gives: x limited to `leftStop`, then to
// `rightStop`, then maxValue * x / rightStop. The left stop is not
// subtracted, so the mouse cannot reach 0 unless it is 0.
int32_t HorizontalValueAt(uint16_t pointerX, int32_t leftStop, int32_t rightStop, int32_t maxValue);

// The thumb's left edge for `value`: the centre t = value * rightStop /
// maxValue, limited to rightStop, then to leftStop; minus half the thumb's
// width; a left edge below 0 is 0.
int32_t HorizontalThumbLeft(int32_t value, int32_t leftStop, int32_t rightStop, int32_t maxValue, int32_t thumbWidth);

// The wheel's step: (maxValue + 1) / 16 as a signed 16-bit number.
int16_t HorizontalWheelStep(int32_t maxValue);

// One wheel notch: + the wheel's step for a delta above 0 (away from the
// user), - the step otherwise, then the clamp into 0..maxValue.
int32_t HorizontalWheelValue(int32_t value, uint16_t wheelWord, int32_t maxValue);

// ---- Horizontal slider's label ---------------------------------------------

constexpr int kSliderLabelSize = 8;

// Copies at most 7 characters of `text` and the terminator into `label`; a
// longer text is cut, a null one leaves the label empty.
void CopySliderLabel(char (&label)[kSliderLabelSize], const char* text);
