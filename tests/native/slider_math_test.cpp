// The faders' arithmetic, on the example slider of each: vertical with
// bottom stop 100, top stop 10, maximum 127, step 5, a 20-pixel rail and a
// 14 x 10 thumb (beside thumbs of odd sizes); horizontal with stops 5 and
// 100, maximum 127, an 11-pixel thumb.
#include "controls/slider_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

constexpr unsigned kHome = 0x24;
constexpr uint16_t kForward = 120;
constexpr uint16_t kBackward = static_cast<uint16_t>(-120);

TEST(VerticalSliderMathTest, PointerGivesValueBetweenTheStops) {
    const struct {
        uint16_t y;
        int32_t value;
    } cases[] = {{50, 63}, {0, 114}, {10, 114}, {11, 113}, {100, 0}, {104, 0}, {0xFFFF, 0}};
    for (const auto& c : cases) EXPECT_EQ(c.value, VerticalValueAt(c.y, 10, 100, 127)) << c.y;
    EXPECT_EQ(127, VerticalValueAt(0, 0, 100, 127)) << "the maximum needs a top stop of 0";
    EXPECT_EQ(0, VerticalValueAt(5, 50, 20, 127)) << "a top stop below the bottom one";
    EXPECT_EQ(90000000, VerticalValueAt(10, 10, 100, 100000000)) << "a product past 32 bits";
    EXPECT_EQ(0, VerticalValueAt(50, 10, 0, 127));
}

TEST(VerticalSliderMathTest, ValuePlacesTheThumbWithoutALowerLimit) {
    const struct {
        int32_t value;
        int32_t thumbHeight;
        int32_t top;
    } cases[] = {{63, 10, 46},
                 {0, 10, 95},
                 {127, 10, 0},
                 {114, 10, 6},
                 {500, 10, 0},
                 {-20, 10, 110},
                 {INT_MAX, 10, 0},
                 {INT_MIN, 10, 1690932101},
                 // Half an odd thumb height is truncated, not rounded up.
                 {63, 11, 46},
                 {0, 11, 95},
                 {-20, 9, 111}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.top, VerticalThumbTop(c.value, 100, 127, c.thumbHeight)) << c.value << ", " << c.thumbHeight;
    }
    EXPECT_EQ(INT_MAX, VerticalThumbTop(INT_MIN, 100, 1, 10)) << "far below the rail";
    const struct {
        int32_t railWidth;
        int32_t thumbWidth;
        int32_t left;
    } lefts[] = {{20, 14, 3},
                 {20, 13, 3},    // half the difference, not half the rail less half the thumb (4)
                 {10, 15, -2}};  // a thumb wider than its rail, truncated toward zero
    for (const auto& c : lefts) EXPECT_EQ(c.left, VerticalThumbLeft(c.railWidth, c.thumbWidth)) << c.thumbWidth;
}

TEST(VerticalSliderMathTest, KeysAndWheelStepAndClamp) {
    const struct {
        int32_t value;
        unsigned key;
        int32_t step;
        int32_t expected;
    } keys[] = {{125, kArrowUpKey, 5, 127},
                {2, kArrowDownKey, 5, 0},
                {60, kArrowUpKey, 5, 65},
                {60, kHome, 5, 60},
                {500, kHome, 5, 127},
                {-20, kHome, 5, 0},
                {INT_MAX, kArrowUpKey, INT_MAX, 127},
                {INT_MIN, kArrowDownKey, INT_MAX, 0}};
    for (const auto& c : keys) EXPECT_EQ(c.expected, VerticalKeyValue(c.value, c.key, c.step, 127)) << c.value;

    const struct {
        int32_t value;
        uint16_t wheel;
        int32_t expected;
    } notches[] = {{60, kForward, 65}, {60, 0, 55},          {60, kBackward, 55},
                   {60, 0x7FFF, 65},   {125, kForward, 127}, {2, 0, 0}};
    for (const auto& c : notches) EXPECT_EQ(c.expected, VerticalWheelValue(c.value, c.wheel, 5, 127)) << c.wheel;
}

TEST(HorizontalSliderMathTest, PointerIsLimitedByTheLeftStopButNotShifted) {
    const struct {
        uint16_t x;
        int32_t value;
    } cases[] = {{50, 63}, {0, 6}, {5, 6}, {100, 127}, {120, 127}, {0xFFFF, 127}};
    for (const auto& c : cases) EXPECT_EQ(c.value, HorizontalValueAt(c.x, 5, 100, 127)) << c.x;
    EXPECT_EQ(0, HorizontalValueAt(50, 5, 0, 127));
}

TEST(HorizontalSliderMathTest, ThumbStaysBetweenTheStops) {
    const struct {
        int32_t value;
        int32_t left;
    } cases[] = {{63, 44}, {0, 0}, {127, 95}, {500, 95}, {-20, 0}, {INT_MAX, 95}, {INT_MIN, 0}};
    for (const auto& c : cases) EXPECT_EQ(c.left, HorizontalThumbLeft(c.value, 5, 100, 127, 11)) << c.value;
    EXPECT_EQ(25, HorizontalThumbLeft(0, 30, 20, 127, 11)) << "crossed stops: the left one wins";
}

TEST(HorizontalSliderMathTest, WheelStepComesFromTheRange) {
    const struct {
        int32_t maxValue;
        int16_t step;
    } steps[] = {{127, 8}, {10, 0}, {15, 1}, {524287, -32768}, {1048575, 0}, {INT_MAX, 0}};
    for (const auto& c : steps) EXPECT_EQ(c.step, HorizontalWheelStep(c.maxValue)) << c.maxValue;

    const struct {
        int32_t value;
        uint16_t wheel;
        int32_t maxValue;
        int32_t expected;
    } notches[] = {{60, kForward, 127, 68}, {60, kBackward, 127, 52}, {60, 0, 127, 52},       {125, kForward, 127, 127},
                   {3, kBackward, 127, 0},  {7, kForward, 10, 7},     {500, kForward, 10, 10}};
    for (const auto& c : notches) {
        EXPECT_EQ(c.expected, HorizontalWheelValue(c.value, c.wheel, c.maxValue)) << c.value;
    }
}

TEST(SliderLabelTest, KeepsAtMostSevenCharacters) {
    const struct {
        const char* text;
        const char* kept;
    } cases[] = {{"Gain", "Gain"},
                 {"", ""},
                 {"1234567", "1234567"},
                 {"12345678", "1234567"},
                 {"a label far longer than eight bytes", "a label"},
                 {nullptr, ""}};
    for (const auto& c : cases) {
        struct {
            char label[kSliderLabelSize];
            char after[4];
        } block;
        std::memset(&block, '#', sizeof block);
        CopySliderLabel(block.label, c.text);
        EXPECT_STREQ(c.kept, block.label);
        EXPECT_EQ(0, std::memcmp(block.after, "####", 4)) << "written past the field";
    }
}

}  // namespace
