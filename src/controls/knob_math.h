// Arithmetic of the knob: the circle it turns on, the value a pointed
// direction gives, the place of the indicator for a value, and the key and
// wheel steps. Portable: no windows.h here.
//
// Angles are in radians, counted counter-clockwise from the right with y
// pointing up. The sweep of 270 degrees runs clockwise from the minimum at
// the lower left (225 degrees) over the top to the maximum at the lower right
// (-45 degrees). Every constant is a product of the quarter turn q below, and
// every step is rounded to a double in the order given, so the truncations
// land where they are meant to on any FPU.
#pragma once

#include <cstdint>

namespace knob_angles {
constexpr double kQuarterTurn = 0.785398;
constexpr double kSweep = 6 * kQuarterTurn;  // one unit in the last place above 4.712388
constexpr double kInverseSweep = 1 / (6 * kQuarterTurn);
constexpr double kFullTurn = 8 * kQuarterTurn;
constexpr double kWrapThreshold = -2 * kQuarterTurn;  // straight down
constexpr double kMinimumThreshold = 5 * kQuarterTurn;
constexpr double kMaximumThreshold = -kQuarterTurn;
}  // namespace knob_angles

// The centre of a knob's client area and the radius it turns on.
struct KnobCircle {
    int32_t centerX;  // half the width, truncated
    int32_t centerY;  // half the height, truncated
    int32_t radius;   // the smaller of the two, plus 1
};

KnobCircle KnobCircleOf(int32_t width, int32_t height);

// The value that pointing at (x, y) of the client area gives: the direction
// from the centre (to the right when the point is the centre) mapped onto the
// sweep; of the dead sector below the centre, the half left of straight down
// gives `minValue`, the other half `maxValue`. Always within the range.
int32_t KnobValueAt(int32_t x, int32_t y, const KnobCircle& circle, int32_t minValue, int32_t maxValue);

struct KnobPoint {
    int32_t x;
    int32_t y;
};

// The indicator's centre for `value`, on a circle of 40 percent of the
// radius. A value outside the range lies off the sweep by the same formula.
// `minValue` must be below `maxValue`; the centre itself is given otherwise.
KnobPoint KnobIndicatorCentre(int32_t value, const KnobCircle& circle, int32_t minValue, int32_t maxValue);

// One Up or Down key press (other keys leave the value), then the clamp into
// minValue..maxValue.
int32_t KnobKeyValue(int32_t value, unsigned key, int32_t step, int32_t minValue, int32_t maxValue);

// One wheel notch with the low 16 bits of `step` as a signed number: a delta
// above 0 (away from the user) lowers the value, the opposite of the Up key;
// then the clamp.
int32_t KnobWheelValue(int32_t value, uint16_t wheelWord, int32_t step, int32_t minValue, int32_t maxValue);
