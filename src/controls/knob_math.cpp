#include "controls/knob_math.h"

#include <cmath>

#include "controls/control_values.h"
#include "controls/slider_math.h"

using namespace knob_angles;

namespace {

// A result rounded to a double. An x87 FPU keeps intermediate results with
// more bits than a double unless they go through memory; the truncations
// below depend on each step being a double, as on any other FPU.
double Rounded(double number) {
    volatile double stored = number;
    return stored;
}

}  // namespace

KnobCircle KnobCircleOf(int32_t width, int32_t height) {
    KnobCircle circle;
    circle.centerX = width / 2;
    circle.centerY = height / 2;
    circle.radius = (circle.centerX < circle.centerY ? circle.centerX : circle.centerY) + 1;
    return circle;
}

int32_t KnobValueAt(int32_t x, int32_t y, const KnobCircle& circle, int32_t minValue, int32_t maxValue) {
    int64_t dx = static_cast<int64_t>(x) - circle.centerX;
    const int64_t dy = static_cast<int64_t>(circle.centerY) - y;
    if (dx == 0 && dy == 0) dx = 1;
    double angle = Rounded(std::atan2(static_cast<double>(dy), static_cast<double>(dx)));
    if (angle < kWrapThreshold) angle = Rounded(angle + kFullTurn);
    if (angle >= kMinimumThreshold) return minValue;
    if (angle < kMaximumThreshold) return maxValue;
    const double span = static_cast<double>(static_cast<int64_t>(maxValue) - minValue);
    const double shifted = Rounded(angle + kQuarterTurn);
    const double turned = Rounded(Rounded(span * shifted) * kInverseSweep);
    return ClampValue(maxValue - static_cast<int64_t>(turned), minValue, maxValue);
}

KnobPoint KnobIndicatorCentre(int32_t value, const KnobCircle& circle, int32_t minValue, int32_t maxValue) {
    KnobPoint centre = {circle.centerX, circle.centerY};
    if (minValue >= maxValue) return centre;
    const int64_t r = static_cast<int64_t>(circle.radius) * 40 / 100;
    const double fromMaximum = static_cast<double>(static_cast<int64_t>(maxValue) - value);
    const double span = static_cast<double>(static_cast<int64_t>(maxValue) - minValue);
    const double angle = Rounded(Rounded(Rounded(fromMaximum * kSweep) / span) - kQuarterTurn);
    const double across = Rounded(static_cast<double>(r) * Rounded(std::cos(angle)));
    const double up = Rounded(static_cast<double>(r) * Rounded(std::sin(angle)));
    centre.x = ClampValue(circle.centerX + static_cast<int64_t>(across), INT32_MIN, INT32_MAX);
    centre.y = ClampValue(circle.centerY - static_cast<int64_t>(up), INT32_MIN, INT32_MAX);
    return centre;
}

int32_t KnobKeyValue(int32_t value, unsigned key, int32_t step, int32_t minValue, int32_t maxValue) {
    return StepValue(value, ArrowKeyStep(key, step), minValue, maxValue);
}

int32_t KnobWheelValue(int32_t value, uint16_t wheelWord, int32_t step, int32_t minValue, int32_t maxValue) {
    const int64_t wheelStep = SignedWord(static_cast<uint16_t>(step & 0xFFFF));
    return StepValue(value, -WheelNotch(wheelWord) * wheelStep, minValue, maxValue);
}
