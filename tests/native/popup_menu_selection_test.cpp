// The popup-menu selector's step with its wrap, the position of a chosen
// command, and which selections name an item.
#include <gtest/gtest.h>

#include <climits>

#include "controls/popup_menu_selection.h"

namespace {

TEST(NextSelectionTest, StepsAndWrapsAtTheItemCount) {
    // clang-format off
    const struct {
        int32_t selection, itemCount, next;
    } cases[] = {{2, 3, 0}, {0, 3, 1},  {1, 3, 2},  {0, 1, 0},  {0, 0, 0},        {7, 3, 0},
                 {-5, 3, -4}, {-1, 3, 0}, {5, -2, 0}, {INT_MAX, 3, 0}, {INT_MAX - 1, INT_MAX, 0}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(c.next, NextSelection(c.selection, c.itemCount)) << c.selection << " of " << c.itemCount;
    }
}

TEST(SelectionOfCommandTest, TakesTheFirstItemCommandAway) {
    EXPECT_EQ(0, SelectionOfCommand(5001));
    EXPECT_EQ(4, SelectionOfCommand(5005));
    EXPECT_EQ(-5001, SelectionOfCommand(0));
    EXPECT_EQ(0xFFFF - 5001, SelectionOfCommand(0xFFFF));
}

TEST(SelectionHasItemTest, OnlyPositionsBelowTheCount) {
    EXPECT_TRUE(SelectionHasItem(0, 3));
    EXPECT_TRUE(SelectionHasItem(2, 3));
    EXPECT_FALSE(SelectionHasItem(3, 3));
    EXPECT_FALSE(SelectionHasItem(-1, 3));
    EXPECT_FALSE(SelectionHasItem(0, 0));
    EXPECT_FALSE(SelectionHasItem(INT_MIN, 3));
}

TEST(FitsPopupMenuTest, EveryItemCommandFitsAWord) {
    EXPECT_EQ(0xFFFF, kFirstItemCommand + kMostMenuItems - 1);
    for (int count : {0, 3, kMostMenuItems}) EXPECT_TRUE(FitsPopupMenu(count)) << count;
    for (int count : {-1, kMostMenuItems + 1}) EXPECT_FALSE(FitsPopupMenu(count)) << count;
}

}  // namespace
