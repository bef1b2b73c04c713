// The digit display's three digits and the decimal text its trace shows.
#include "controls/digit_display_cells.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct ReadoutCase {
    int32_t value;
    int left, middle, right;
    const char* text;
};

class DigitReadoutTest : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(DigitReadoutTest, SplitsTheNumberIntoThreeDigits) {
    const ReadoutCase& c = GetParam();
    const DigitReadout readout = ReadOutDigits(c.value);
    EXPECT_EQ(c.left, readout.digits[0]);
    EXPECT_EQ(c.middle, readout.digits[1]);
    EXPECT_EQ(c.right, readout.digits[2]);
    EXPECT_STREQ(c.text, readout.text);
}

// Outside 0 to 999 the display stops at its ends; the text stays the
// number's own.
INSTANTIATE_TEST_SUITE_P(Values, DigitReadoutTest,
                         ::testing::Values(ReadoutCase{0, 0, 0, 0, "0"}, ReadoutCase{7, 0, 0, 7, "7"},
                                           ReadoutCase{42, 0, 4, 2, "42"}, ReadoutCase{999, 9, 9, 9, "999"},
                                           ReadoutCase{359, 3, 5, 9, "359"}, ReadoutCase{10, 0, 1, 0, "10"},
                                           ReadoutCase{1000, 9, 9, 9, "1000"}, ReadoutCase{-42, 0, 0, 0, "-42"},
                                           ReadoutCase{INT_MAX, 9, 9, 9, "2147483647"},
                                           ReadoutCase{INT_MIN, 0, 0, 0, "-2147483648"}));

}  // namespace
