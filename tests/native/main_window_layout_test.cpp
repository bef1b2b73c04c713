// Where the main window goes: centred as if it were only the "mainbak" row
// high, and the height of its two forms.
#include <gtest/gtest.h>

#include "app/main_window_layout.h"

namespace {

struct PlacementCase {
    int screenWidth, screenHeight, columns;
    MainWindowRect expected;
};

TEST(MainWindowLayoutTest, CentresOnTheRowAlone) {
    const PlacementCase cases[] = {
        {1600, 1000, 1, {(1600 - 339) / 2, (1000 - 254) / 2, 345, 279}},
        {1600, 1000, 4, {(1600 - 1356) / 2, 373, 1362, 279}},
        // Narrower than four columns: x is negative, truncated toward zero.
        {1280, 1024, 4, {-38, 385, 1362, 279}},
        {1355, 600, 4, {0, 173, 1362, 279}},
        {1353, 600, 4, {-1, 173, 1362, 279}},
    };
    for (const PlacementCase& c : cases) {
        const MainWindowRect rect = PlaceMainWindow(c.screenWidth, c.screenHeight, c.columns, 339, 254);
        EXPECT_EQ(rect.x, c.expected.x) << c.screenWidth << " x " << c.screenHeight << ", " << c.columns;
        EXPECT_EQ(rect.y, c.expected.y) << c.screenWidth << " x " << c.screenHeight;
        EXPECT_EQ(rect.width, c.expected.width);
        EXPECT_EQ(rect.height, c.expected.height);
    }
}

TEST(MainWindowLayoutTest, TheTimecodeRowAddsAHundredPixels) {
    EXPECT_EQ(MainWindowHeight(254, false), 279);
    EXPECT_EQ(MainWindowHeight(254, true), 379);
}

}  // namespace
