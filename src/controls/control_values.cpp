#include "controls/control_values.h"

int32_t ClampValue(int64_t value, int32_t low, int32_t high) {
    if (value < low) value = low;
    if (value > high) value = high;
    return static_cast<int32_t>(value);
}

int32_t StepValue(int32_t value, int64_t step, int32_t low, int32_t high) {
    return ClampValue(static_cast<int64_t>(value) + step, low, high);
}

int WheelNotch(uint16_t wheelWord) { return SignedWord(wheelWord) > 0 ? 1 : -1; }
