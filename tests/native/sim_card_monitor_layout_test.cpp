#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/main_window_placement.h"
#include "sim/card_monitor_layout.h"

namespace {

constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 25;
constexpr int kScrollBar = 17;

// The desk's window as it opens on the screen, together with the one it
// becomes once the timecode rows are shown.
MonitorRect DeskWindow(int cards, int screenWidth, int screenHeight) {
    const ScreenMetrics screen = {
        {0, 0, screenWidth, screenHeight}, {0, 0, screenWidth, screenHeight}, {3, 22, 3, 3}, 17, 17};
    const PanelGeometry panel = {cards, 339, 254, 100};
    const ScreenRect shortForm = PlacePanel(panel, screen, false).window;
    const ScreenRect tall = PlacePanelKeeping(panel, screen, true, shortForm.left, shortForm.top).window;
    return {std::min(shortForm.left, tall.left), std::min(shortForm.top, tall.top),
            std::max(shortForm.right, tall.right), std::max(shortForm.bottom, tall.bottom)};
}

TEST(CardMonitorLayout, ButtonsLieInsideTheStripAndApart) {
    const std::vector<MonitorButton>& buttons = CardStripButtons();
    ASSERT_EQ(buttons.size(), 17u) << "8 routing buttons on, 8 off, the unit's plug";
    const MonitorRect strip = {0, 0, kCardStripWidth, kCardStripHeight};
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_TRUE(Inside(buttons[i].rect, strip)) << "button " << i;
        for (size_t j = i + 1; j < buttons.size(); ++j) {
            EXPECT_FALSE(Intersects(buttons[i].rect, buttons[j].rect)) << "buttons " << i << " and " << j;
        }
    }
}

TEST(CardMonitorLayout, EverySetAndRowHasAnOnAndAnOffButton) {
    int seen[2][2][4] = {};
    for (const MonitorButton& button : CardStripButtons()) {
        if (button.kind == MonitorButtonKind::UnitPlug) continue;
        ASSERT_TRUE(button.set >= 0 && button.set < 2 && button.row >= 0 && button.row < 4);
        ++seen[button.kind == MonitorButtonKind::RouteOn ? 1 : 0][button.set][button.row];
    }
    for (int on = 0; on < 2; ++on)
        for (int set = 0; set < 2; ++set)
            for (int row = 0; row < 4; ++row) EXPECT_EQ(seen[on][set][row], 1) << on << set << row;
}

TEST(CardMonitorLayout, HitsFindTheCardAndTheButton) {
    for (int columns : {1, 2}) {
        for (int card = 0; card < 4; ++card) {
            const MonitorRect strip = CardStripRect(card, columns);
            const std::vector<MonitorButton>& buttons = CardStripButtons();
            for (size_t i = 0; i < buttons.size(); ++i) {
                const MonitorRect& r = buttons[i].rect;
                const MonitorHit hit =
                    HitTestMonitor(strip.left + (r.left + r.right) / 2, strip.top + (r.top + r.bottom) / 2, 4, columns);
                EXPECT_EQ(hit.card, card);
                EXPECT_EQ(hit.button, static_cast<int>(i));
            }
            EXPECT_EQ(HitTestMonitor(strip.left + 2, strip.top + 2, 4, columns).card, -1) << "the strip's corner";
        }
        EXPECT_EQ(HitTestMonitor(1, 1, 4, columns).card, -1) << "the margin";
    }
}

TEST(CardMonitorLayout, TheStandbyButtonSitsInTheFooterWhereItIsHit) {
    for (int cards = 1; cards <= 4; ++cards) {
        for (int columns = 1; columns <= cards; ++columns) {
            const MonitorSize size = MonitorClientSize(cards, columns);
            const MonitorRect button = StandbyButtonRect(cards, columns);
            EXPECT_TRUE(Inside(button, {0, size.height - kMonitorFooter, size.width, size.height}))
                << cards << " cards, " << columns;
            const MonitorHit hit =
                HitTestMonitor((button.left + button.right) / 2, (button.top + button.bottom) / 2, cards, columns);
            EXPECT_EQ(hit.card, kStandbyHit) << cards << " cards, " << columns;
            EXPECT_EQ(HitTestMonitor(button.left - 1, button.top, cards, columns).card, kNoHit);
        }
    }
}

TEST(CardMonitorLayout, StripsFitTheClientArea) {
    for (int cards = 1; cards <= 4; ++cards) {
        for (int columns = 1; columns <= cards; ++columns) {
            const MonitorSize size = MonitorClientSize(cards, columns);
            const MonitorRect client = {0, 0, size.width, size.height - kMonitorFooter};
            for (int card = 0; card < cards; ++card) {
                EXPECT_TRUE(Inside(CardStripRect(card, columns), client)) << cards << " cards, " << columns;
            }
        }
    }
}

struct PlacementCase {
    const char* name;
    int cards;
    int screenWidth;
    int screenHeight;
    bool clearOfDesk;
    bool whole;  // the monitor shows every strip without scrolling
};

class CardMonitorPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(CardMonitorPlacementTest, StaysOnScreenAndOffTheDeskWhenThereIsRoom) {
    const PlacementCase& c = GetParam();
    const MonitorRect desk = DeskWindow(c.cards, c.screenWidth, c.screenHeight);
    const MonitorRect screen = {0, 0, c.screenWidth, c.screenHeight};
    const MonitorPlacement placement = PlaceMonitor(c.cards, desk, screen, kFrameWidth, kFrameHeight, kScrollBar);
    const MonitorSize client = MonitorClientSize(c.cards, placement.gridColumns);
    // The view shows all of the strips, or scrolls with a bar where it does not.
    const int bar = placement.view.height < client.height ? kScrollBar : 0;
    const int barBelow = placement.view.width < client.width ? kScrollBar : 0;
    EXPECT_EQ(placement.window.Width(), placement.view.width + bar + kFrameWidth);
    EXPECT_EQ(placement.window.Height(), placement.view.height + barBelow + kFrameHeight);
    EXPECT_EQ(placement.view.width == client.width && placement.view.height == client.height, c.whole);
    EXPECT_TRUE(Inside(placement.window, screen));
    EXPECT_EQ(!Intersects(placement.window, desk), c.clearOfDesk);
}

INSTANTIATE_TEST_SUITE_P(Screens, CardMonitorPlacementTest,
                         ::testing::Values(PlacementCase{"OneCardSmallScreen", 1, 1600, 1000, true, true},
                                           PlacementCase{"TwoCardsSmallScreen", 2, 1600, 1000, true, true},
                                           PlacementCase{"ThreeCardsLargeScreen", 3, 2560, 1440, true, true},
                                           PlacementCase{"FourCardsLargeScreen", 4, 2560, 1440, true, true},
                                           // No room beside or below: it still stays on the screen.
                                           PlacementCase{"FourCardsSmallScreen", 4, 1600, 1000, false, true},
                                           // Smaller than the monitor: it scrolls inside the screen.
                                           PlacementCase{"FourCardsAt1024x768", 4, 1024, 768, false, false},
                                           PlacementCase{"FourCardsAt800x600", 4, 800, 600, false, false},
                                           PlacementCase{"OneCardAt800x600", 1, 800, 600, false, true}),
                         [](const ::testing::TestParamInfo<PlacementCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(CardMonitorLayout, PrefersTheRightOfTheDesk) {
    const MonitorRect desk = DeskWindow(2, 1600, 1000);
    const MonitorPlacement placement = PlaceMonitor(2, desk, {0, 0, 1600, 1000}, kFrameWidth, kFrameHeight, kScrollBar);
    EXPECT_EQ(placement.gridColumns, 1);
    EXPECT_EQ(placement.window.left, desk.right + kMonitorScreenGap);
}

}  // namespace
