#include "controls/digit_value.h"

#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "controls/control_values.h"

namespace {

struct StepCase {
    int value;
    int delta;
    int maximum;
    int minimum;
    int expected;
};

class DigitStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(DigitStepTest, WrapsWithinItsRange) {
    const StepCase& c = GetParam();
    EXPECT_EQ(c.expected, StepDigitValue(c.value, c.delta, c.maximum, c.minimum));
}

INSTANTIATE_TEST_SUITE_P(Steps, DigitStepTest,
                         ::testing::Values(StepCase{59, 1, 59, 0, 0},   // up past the top gives the minimum
                                           StepCase{0, -1, 59, 0, 59},  // down past zero gives the maximum
                                           StepCase{99, 1, 99, 0, 0}, StepCase{0, -1, 30, 0, 30},
                                           StepCase{30, 1, 30, 0, 0}, StepCase{12, 1, 59, 0, 13},
                                           StepCase{12, -1, 59, 0, 11},
                                           StepCase{59, 1, 59, 1, 1},   // a non-zero minimum replaces the overflow
                                           StepCase{0, -1, 59, 1, 59},  // but below zero still gives the maximum
                                           StepCase{1, -1, 59, 1, 0},   // zero itself is kept
                                           StepCase{INT_MAX, 1, INT_MAX, 7, 7},  // no signed overflow at the top
                                           StepCase{INT_MIN, -1, 50, 0, 50}));   // nor at the bottom

struct WrapCase {
    long long value;
    int maximum;
    int minimum;
    int expected;
};

class DigitWrapTest : public ::testing::TestWithParam<WrapCase> {};

TEST_P(DigitWrapTest, PlacesASetValueInRange) {
    const WrapCase& c = GetParam();
    EXPECT_EQ(c.expected, WrapDigitValue(c.value, c.maximum, c.minimum));
}

INSTANTIATE_TEST_SUITE_P(SetValues, DigitWrapTest,
                         ::testing::Values(WrapCase{75, 59, 0, 0},   // above the range gives the minimum
                                           WrapCase{-1, 59, 0, 59},  // below zero gives the maximum
                                           WrapCase{-1, 30, 0, 30}, WrapCase{31, 30, 0, 0}, WrapCase{31, 30, 5, 5},
                                           WrapCase{0, 30, 5, 0}, WrapCase{30, 30, 0, 30},
                                           WrapCase{INT_MIN, 99, 0, 99}));

TEST(DigitWheelTest, AwayFromTheUserCountsUpTowardOrNoneCountsDown) {
    EXPECT_EQ(1, WheelNotch(120));
    EXPECT_EQ(1, WheelNotch(1));
    EXPECT_EQ(1, WheelNotch(0x7FFF));
    EXPECT_EQ(-1, WheelNotch(static_cast<unsigned short>(-120)));
    EXPECT_EQ(-1, WheelNotch(0x8000));
    EXPECT_EQ(-1, WheelNotch(0));
}

struct FormatCase {
    int value;
    const char* text;
};

class DigitFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DigitFormatTest, ShowsAtLeastTwoDigits) {
    char text[kDigitTextSize];
    std::memset(text, 'x', sizeof text);
    FormatDigitValue(GetParam().value, text);
    EXPECT_STREQ(GetParam().text, text);
}

INSTANTIATE_TEST_SUITE_P(Texts, DigitFormatTest,
                         ::testing::Values(FormatCase{0, "00"}, FormatCase{7, "07"}, FormatCase{30, "30"},
                                           FormatCase{99, "99"}, FormatCase{100, "100"}, FormatCase{12345, "12345"},
                                           FormatCase{-5, "-5"}, FormatCase{INT_MIN, "-2147483648"}));

struct TypingCase {
    int value, typed, digit, maximum;
    bool accepted;
    int expected, expectedTyped;
};

class DigitTypingTest : public ::testing::TestWithParam<TypingCase> {};

TEST_P(DigitTypingTest, ReplacesAppendsOrStartsOver) {
    const TypingCase& c = GetParam();
    const TypedValue typed = TypeDigit(c.value, c.typed, c.digit, c.maximum);
    EXPECT_EQ(c.accepted, typed.accepted);
    EXPECT_EQ(c.expected, typed.value);
    EXPECT_EQ(c.expectedTyped, typed.typed);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Digits, DigitTypingTest, ::testing::Values(
    TypingCase{42, 0, 7, 59, true, 7, 1},       // a first digit replaces the value
    TypingCase{5, 1, 9, 59, true, 59, 2},       // a second one is appended
    TypingCase{7, 1, 3, 59, true, 3, 1},        // 73 is above the maximum: starts over
    TypingCase{59, 2, 1, 99, true, 1, 1},       // the field's two digits are typed: starts over
    TypingCase{5, 2, 3, 59, true, 3, 1},        // 0, 5 typed shows 05; a third digit starts over, though 53 fits
    TypingCase{12, 2, 3, 999, true, 123, 3},    // a maximum of three digits takes three
    TypingCase{1, 1, 0, 5, true, 0, 1},         // 10 is above 5: starts over at 0 (a field shows two digits)
    TypingCase{3, 1, 7, 5, false, 3, 1},        // 7 alone is above 5: refused
    TypingCase{214748364, 9, 8, INT_MAX, true, 8, 1}));  // ten digits: the eleventh starts over, no overflow
// clang-format on

}  // namespace
