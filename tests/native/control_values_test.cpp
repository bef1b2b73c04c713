// The value arithmetic shared by the toolkit's value controls.
#include <gtest/gtest.h>

#include <climits>

#include "controls/control_values.h"

namespace {

struct ClampCase {
    int64_t value;
    int32_t low, high, expected;
};

class ClampValueTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampValueTest, BringsTheValueIntoItsRange) {
    const ClampCase& c = GetParam();
    EXPECT_EQ(ClampValue(c.value, c.low, c.high), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClampValueTest,
                         ::testing::Values(ClampCase{5, 0, 10, 5}, ClampCase{-1, 0, 10, 0}, ClampCase{11, 0, 10, 10},
                                           ClampCase{0, 0, 10, 0}, ClampCase{10, 0, 10, 10},
                                           ClampCase{-5, 3, 1, 1},  // the low clamp first, then the high
                                           ClampCase{static_cast<int64_t>(INT_MAX) + 5, 0, INT_MAX, INT_MAX},
                                           ClampCase{static_cast<int64_t>(INT_MIN) - 5, INT_MIN, 0, INT_MIN}));

struct StepCase {
    int32_t value;
    int64_t step;
    int32_t low, high, expected;
};

class StepValueTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepValueTest, StepsAndClamps) {
    const StepCase& c = GetParam();
    EXPECT_EQ(StepValue(c.value, c.step, c.low, c.high), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StepValueTest,
                         ::testing::Values(StepCase{125, 5, 0, 127, 127}, StepCase{2, -5, 0, 127, 0},
                                           StepCase{60, 5, 0, 127, 65}, StepCase{98, 5, 0, 100, 100},
                                           StepCase{500, 0, 0, 127, 127}, StepCase{INT_MAX, 1, 0, INT_MAX, INT_MAX},
                                           StepCase{INT_MIN, -1, INT_MIN, 0, INT_MIN}));

TEST(WheelNotchTest, AwayFromTheUserIsUpZeroOrTowardIsDown) {
    const struct {
        uint16_t word;
        int notch;
    } cases[] = {{120, 1}, {1, 1}, {0x7FFF, 1}, {0, -1}, {static_cast<uint16_t>(-120), -1}, {0x8000, -1}};
    for (const auto& c : cases) EXPECT_EQ(WheelNotch(c.word), c.notch) << c.word;
}

}  // namespace
