// Value arithmetic shared by the toolkit's value controls: the clamp into a
// range, one step up or down, and the direction of a wheel notch. Portable:
// no windows.h here. Sums are taken in 64 bits, so a value or step at the
// ends of the int range cannot overflow before the clamp.
#pragma once

#include <cstdint>

// `value` brought into low..high: below `low` becomes `low`, then above
// `high` becomes `high` (in that order, so with low > high the result is
// `high`).
int32_t ClampValue(int64_t value, int32_t low, int32_t high);

// `value` + `step` (a negative step goes down), clamped into low..high.
int32_t StepValue(int32_t value, int64_t step, int32_t low, int32_t high);

// One wheel notch: +1 when the delta (the high word of wParam, taken as a
// signed 16-bit number) is above 0, away from the user; -1 for zero or
// below.
int WheelNotch(uint16_t wheelWord);

// The signed 16-bit number in a 16-bit word.
inline int16_t SignedWord(uint16_t word) { return static_cast<int16_t>(word); }
