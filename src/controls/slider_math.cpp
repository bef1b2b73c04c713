#include "controls/slider_math.h"

#include "controls/control_values.h"

namespace {

// The 64-bit number brought into the int range (only a thumb far off its
// rail needs it).
int32_t Saturated(int64_t number) { return ClampValue(number, INT32_MIN, INT32_MAX); }

}  // namespace

int64_t ArrowKeyStep(unsigned key, int32_t step) {
    if (key == kArrowUpKey) return step;
    if (key == kArrowDownKey) return -static_cast<int64_t>(step);
    return 0;
}

int32_t VerticalValueAt(uint16_t pointerY, int32_t topStop, int32_t bottomStop, int32_t maxValue) {
    if (bottomStop <= 0) return 0;
    const int64_t y = ClampValue(pointerY, topStop, bottomStop);
    return static_cast<int32_t>((bottomStop - y) * maxValue / bottomStop);
}

int32_t VerticalThumbTop(int32_t value, int32_t bottomStop, int32_t maxValue, int32_t thumbHeight) {
    if (maxValue <= 0) return 0;
    int64_t p = static_cast<int64_t>(value) * bottomStop / maxValue;
    if (p > bottomStop) p = bottomStop;
    const int64_t top = static_cast<int64_t>(bottomStop) - thumbHeight / 2 - p;
    return top < 0 ? 0 : Saturated(top);
}

int32_t VerticalThumbLeft(int32_t railWidth, int32_t thumbWidth) {
    return Saturated((static_cast<int64_t>(railWidth) - thumbWidth) / 2);
}

int32_t VerticalKeyValue(int32_t value, unsigned key, int32_t step, int32_t maxValue) {
    return StepValue(value, ArrowKeyStep(key, step), 0, maxValue);
}

int32_t VerticalWheelValue(int32_t value, uint16_t wheelWord, int32_t step, int32_t maxValue) {
    return StepValue(value, static_cast<int64_t>(WheelNotch(wheelWord)) * step, 0, maxValue);
}

int32_t HorizontalValueAt(uint16_t pointerX, int32_t leftStop, int32_t rightStop, int32_t maxValue) {
    if (rightStop <= 0) return 0;
    const int64_t x = ClampValue(pointerX, leftStop, rightStop);
    return static_cast<int32_t>(maxValue * x / rightStop);
}

int32_t HorizontalThumbLeft(int32_t value, int32_t leftStop, int32_t rightStop, int32_t maxValue, int32_t thumbWidth) {
    int64_t t = 0;
    if (maxValue > 0) t = static_cast<int64_t>(value) * rightStop / maxValue;
    if (t > rightStop) t = rightStop;
    if (t < leftStop) t = leftStop;
    const int64_t left = t - thumbWidth / 2;
    return left < 0 ? 0 : Saturated(left);
}

int16_t HorizontalWheelStep(int32_t maxValue) {
    const int64_t step = (static_cast<int64_t>(maxValue) + 1) / 16;
    return SignedWord(static_cast<uint16_t>(step & 0xFFFF));
}

int32_t HorizontalWheelValue(int32_t value, uint16_t wheelWord, int32_t maxValue) {
    const int64_t step = HorizontalWheelStep(maxValue);
    return StepValue(value, WheelNotch(wheelWord) * step, 0, maxValue);
}

void CopySliderLabel(char (&label)[kSliderLabelSize], const char* text) {
    int length = 0;
    if (text != nullptr) {
        while (length < kSliderLabelSize - 1 && text[length] != '\0') {
            label[length] = text[length];
            ++length;
        }
    }
    label[length] = '\0';
}
