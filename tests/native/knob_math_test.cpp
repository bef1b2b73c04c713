// The knob's arithmetic on a 41 x 41 knob (centre (20, 20), radius 21,
// indicator circle 8): directions to values, values to indicator centres,
// keys and the wheel.
#include "controls/knob_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "controls/slider_math.h"

namespace {

constexpr KnobCircle kCircle = {20, 20, 21};

TEST(KnobMathTest, AnglesAreProductsOfTheQuarterTurn) {
    using namespace knob_angles;
    EXPECT_EQ(std::nextafter(4.712388, 5.0), kSweep) << "one unit in the last place above 4.712388";
    EXPECT_EQ(0.21220663493753059, kInverseSweep);
    EXPECT_EQ(6.283184, kFullTurn);
    EXPECT_EQ(-1.570796, kWrapThreshold);
    const struct {
        int32_t width, height;
        KnobCircle circle;
    } circles[] = {{41, 41, {20, 20, 21}}, {41, 30, {20, 15, 16}}, {0, 0, {0, 0, 1}}};
    for (const auto& c : circles) {
        const KnobCircle made = KnobCircleOf(c.width, c.height);
        EXPECT_EQ(c.circle.centerX, made.centerX);
        EXPECT_EQ(c.circle.centerY, made.centerY);
        EXPECT_EQ(c.circle.radius, made.radius);
    }
}

TEST(KnobMathTest, PointingGivesTheValueOfTheDirection) {
    const struct {
        const char* where;
        int32_t x, y, maxValue, value;
    } cases[] = {{"above", 20, 5, 100, 50},
                 {"right", 35, 20, 100, 84},
                 {"centre", 20, 20, 100, 84},
                 {"left", 5, 20, 100, 17},
                 {"up right", 30, 10, 100, 67},
                 {"up left", 10, 10, 100, 34},
                 {"below", 20, 35, 100, 0},
                 {"down right", 30, 30, 100, 100},
                 {"down left", 10, 30, 100, 1},
                 {"just left of down", 19, 40, 100, 0},
                 {"just right of down", 21, 40, 100, 100},
                 {"above, 0..255", 20, 5, 255, 128},
                 {"right, 0..255", 35, 20, 255, 213},
                 {"far off", 0xFFFF, 0xFFFF, 100, 100}};
    for (const auto& c : cases) EXPECT_EQ(c.value, KnobValueAt(c.x, c.y, kCircle, 0, c.maxValue)) << c.where;
    EXPECT_EQ(-50, KnobValueAt(20, 5, kCircle, -100, 0));
    EXPECT_NEAR(0, KnobValueAt(20, 5, kCircle, INT_MIN, INT_MAX), 1000) << "a span past 32 bits";
}

TEST(KnobMathTest, ValuePlacesTheIndicatorOnItsCircle) {
    const struct {
        int32_t value, x, y;
    } cases[] = {{0, 15, 25}, {25, 13, 17}, {50, 20, 13}, {75, 27, 17}, {100, 25, 25}, {-100, 15, 15}};
    for (const auto& c : cases) {
        const KnobPoint centre = KnobIndicatorCentre(c.value, kCircle, 0, 100);
        EXPECT_EQ(c.x, centre.x) << c.value;
        EXPECT_EQ(c.y, centre.y) << c.value;
    }
    const KnobPoint wide = KnobIndicatorCentre(0, kCircle, INT_MIN, INT_MAX);
    EXPECT_EQ(20, wide.x);
    EXPECT_EQ(13, wide.y);
    const KnobPoint empty = KnobIndicatorCentre(7, kCircle, 5, 5);
    EXPECT_EQ(20, empty.x) << "an empty range gives the centre";
    EXPECT_EQ(20, empty.y);
}

TEST(KnobMathTest, KeysAndTheWheelStepOppositeWays) {
    constexpr unsigned kHome = 0x24;
    const struct {
        int32_t value;
        unsigned key;
        int32_t step, expected;
    } keys[] = {{98, kArrowUpKey, 5, 100}, {2, kArrowDownKey, 5, 0}, {50, kHome, 5, 50},
                {500, kHome, 5, 100},      {-7, kHome, 5, 0},        {50, kArrowUpKey, 0x10005, 100}};
    for (const auto& c : keys) EXPECT_EQ(c.expected, KnobKeyValue(c.value, c.key, c.step, 0, 100)) << c.value;

    const struct {
        int32_t value;
        uint16_t wheel;
        int32_t step, expected;
    } notches[] = {{50, 120, 5, 45},   {50, static_cast<uint16_t>(-120), 5, 55},
                   {50, 0, 5, 55},     {3, 120, 5, 0},
                   {98, 0, 5, 100},    {50, 120, 0x10005, 45},
                   {50, 0, 0x18000, 0}};
    for (const auto& c : notches) {
        EXPECT_EQ(c.expected, KnobWheelValue(c.value, c.wheel, c.step, 0, 100)) << c.value << " " << c.step;
    }
}

}  // namespace
