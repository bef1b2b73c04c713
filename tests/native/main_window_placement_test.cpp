// Where the main window goes on screens of every size: the centred window
// wherever it shows every control, otherwise rows of cards and scrolling
// inside the work area; the frame as the system reports it.
#include <gtest/gtest.h>

#include "app/main_window_placement.h"
#include "app/scroll_position.h"

namespace {

constexpr FrameInsets kDefaultFrame = {3, 22, 3, 3};  // Windows' and Wine's default metrics: 6 and 25
constexpr FrameInsets kTallCaption = {4, 34, 4, 4};   // large fonts: a 30-pixel caption, 4-pixel borders
constexpr PanelGeometry Cards(int cards) { return {cards, 339, 254, 100}; }

ScreenMetrics Screen(int width, int height, FrameInsets frame = kDefaultFrame, ScreenRect work = {0, 0, 0, 0}) {
    if (work.right == 0) work = {0, 0, width, height};
    return {{0, 0, width, height}, work, frame, 17, 17};
}

struct Expected {
    ScreenRect window;
    int cardsPerRow, rows;
    int clientWidth, clientHeight;
    bool centred;
};

struct PlacementCase {
    const char* what;
    ScreenMetrics screen;
    int cards;
    bool shown;
    Expected expected;
};

TEST(MainWindowPlacementTest, PlacesTheWindowForTheScreen) {
    // clang-format off
    const PlacementCase cases[] = {
        {"1280x1024, three cards: centred", Screen(1280, 1024), 3, false, {{131, 385, 1154, 664}, 3, 1, 1017, 254, true}},
        {"the timecode rows grow it downwards", Screen(1280, 1024), 3, true, {{131, 385, 1154, 764}, 3, 1, 1017, 354, true}},
        {"1024x768, three cards: centred, the frame's right edge off-screen", Screen(1024, 768), 3, false,
         {{3, 257, 1026, 536}, 3, 1, 1017, 254, true}},
        {"1024x768, three cards, timecode rows", Screen(1024, 768), 3, true, {{3, 257, 1026, 636}, 3, 1, 1017, 354, true}},
        {"1024x768, four cards: two rows of two", Screen(1024, 768), 4, false, {{170, 117, 854, 650}, 2, 2, 678, 508, false}},
        {"1024x768, four cards, timecode rows: still no scrolling", Screen(1024, 768), 4, true,
         {{170, 17, 854, 750}, 2, 2, 678, 708, false}},
        {"800x600, four cards", Screen(800, 600), 4, false, {{58, 33, 742, 566}, 2, 2, 678, 508, false}},
        {"800x600, four cards, timecode rows: scrolls up and down", Screen(800, 600), 4, true,
         {{49, 0, 750, 600}, 2, 2, 678, 575, false}},
        {"800x600, three cards: two and one", Screen(800, 600), 3, false, {{58, 33, 742, 566}, 2, 2, 678, 508, false}},
        {"800x600, three cards, timecode rows", Screen(800, 600), 3, true, {{49, 0, 750, 600}, 2, 2, 678, 575, false}},
        {"800x600, two cards: centred", Screen(800, 600), 2, true, {{61, 173, 745, 552}, 2, 1, 678, 354, true}},
        {"a taller caption keeps the client area the skin's", Screen(1600, 1000, kTallCaption), 2, false,
         {{461, 373, 1147, 665}, 2, 1, 678, 254, true}},
        {"a taller caption, four cards: two rows of two", Screen(1024, 768, kTallCaption), 4, true,
         {{169, 11, 855, 757}, 2, 2, 678, 708, false}},
        {"a taller caption on a smaller screen: scrolled", Screen(800, 600, kTallCaption), 4, true,
         {{48, 0, 751, 600}, 2, 2, 678, 562, false}},
        {"a taskbar at the bottom: the rows fit above it", Screen(1024, 768, kDefaultFrame, {0, 0, 1024, 740}), 4, true,
         {{170, 3, 854, 736}, 2, 2, 678, 708, false}},
        {"a taskbar at the left covers the centred window's first column", Screen(1024, 768, kDefaultFrame, {60, 0, 1024, 768}),
         3, false, {{200, 117, 884, 650}, 2, 2, 678, 508, false}},
        {"narrower than a card: scrolls both ways", Screen(320, 240), 1, false, {{0, 0, 320, 240}, 1, 1, 297, 198, false}},
        {"a second monitor right of the first: centred on it",
         {{1280, 0, 2304, 768}, {1280, 0, 2304, 740}, kDefaultFrame, 17, 17}, 3, false,
         {{1283, 257, 2306, 536}, 3, 1, 1017, 254, true}},
        {"narrower than a card, tall enough: scrolls sideways", Screen(330, 1000), 1, false,
         {{0, 352, 330, 648}, 1, 1, 324, 254, false}},
    };
    // clang-format on
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.what);
        const PanelPlacement placement = PlacePanel(Cards(c.cards), c.screen, c.shown);
        const ScreenRect& w = placement.window;
        const ScreenRect& e = c.expected.window;
        EXPECT_EQ(w.left, e.left);
        EXPECT_EQ(w.top, e.top);
        EXPECT_EQ(w.right, e.right);
        EXPECT_EQ(w.bottom, e.bottom);
        EXPECT_EQ(placement.cardsPerRow, c.expected.cardsPerRow);
        EXPECT_EQ(placement.rows, c.expected.rows);
        EXPECT_EQ(placement.clientWidth, c.expected.clientWidth);
        EXPECT_EQ(placement.clientHeight, c.expected.clientHeight);
        EXPECT_EQ(placement.centred, c.expected.centred);
    }
}

// Every screen from 320x240 up, every card count, both forms, two caption
// heights: every card has a cell of its own inside the panel, the client
// area and the scroll bars make up the window with the frame, what does not
// scroll shows whole, and the window keeps to the work area.
TEST(MainWindowPlacementTest, EveryCardWithinReachOnEveryScreen) {
    const int widths[] = {320, 640, 800, 1024, 1152, 1280, 1366, 1600};
    const int heights[] = {240, 480, 600, 768, 864, 1024};
    for (int width : widths) {
        for (int height : heights) {
            for (const FrameInsets& frame : {kDefaultFrame, kTallCaption}) {
                for (int cards = 1; cards <= 4; ++cards) {
                    for (bool shown : {false, true}) {
                        const ScreenMetrics screen = Screen(width, height, frame, {0, 30, width, height});
                        const PanelPlacement p = PlacePanel(Cards(cards), screen, shown);
                        SCOPED_TRACE(testing::Message() << width << "x" << height << ", caption " << frame.top << ", "
                                                        << cards << " cards, shown " << shown);
                        ASSERT_GE(p.cardsPerRow, 1);
                        EXPECT_EQ(p.rows, (cards + p.cardsPerRow - 1) / p.cardsPerRow) << "a cell each, no empty row";
                        for (int card = 0; card < cards; ++card) {
                            EXPECT_LE(p.CardLeft(card) + 339, p.panelWidth);
                            EXPECT_LE(p.CardTop(card) + (shown ? 354 : 254), p.panelHeight);
                        }
                        const int bars = (p.ScrollsVertically() ? 17 : 0);
                        const int barsBelow = (p.ScrollsHorizontally() ? 17 : 0);
                        EXPECT_EQ(p.window.Width(), p.clientWidth + bars + frame.left + frame.right);
                        EXPECT_EQ(p.window.Height(), p.clientHeight + barsBelow + frame.top + frame.bottom);
                        EXPECT_LE(p.clientWidth, p.panelWidth);
                        EXPECT_LE(p.clientHeight, p.panelHeight);
                        if (p.centred) {
                            EXPECT_GE(p.window.left + frame.left, 0);
                            EXPECT_GE(p.window.top + frame.top, 30);
                            EXPECT_LE(p.window.left + frame.left + p.clientWidth, width);
                            EXPECT_LE(p.window.top + frame.top + p.clientHeight, height);
                            EXPECT_FALSE(p.ScrollsVertically() || p.ScrollsHorizontally());
                        } else {
                            EXPECT_GE(p.window.left, 0);
                            EXPECT_GE(p.window.top, 30);
                            EXPECT_LE(p.window.right, width);
                            EXPECT_LE(p.window.bottom, height);
                        }
                        if (p.ScrollsHorizontally()) {
                            EXPECT_EQ(p.cardsPerRow, 1) << "only one card too wide scrolls sideways";
                        }
                    }
                }
            }
        }
    }
}

struct KeepingCase {
    const char* what;
    ScreenMetrics screen;
    int cards;
    bool shown;
    int x, y;       // where the window is
    int left, top;  // where it goes
};

TEST(MainWindowPlacementTest, KeepsTheWindowWhereItStillKeepsToTheRules) {
    // clang-format off
    const KeepingCase cases[] = {
        {"moved, and every control still on the screen", Screen(1600, 1000), 2, true, 0, 0, 0, 0},
        {"the timecode rows would reach below the screen", Screen(1600, 1000), 2, true, 100, 700, 461, 373},
        {"centred with the frame's edge off-screen is kept", Screen(1024, 768), 3, true, 3, 257, 3, 257},
        {"rows of cards kept inside the work area", Screen(1024, 768), 4, false, 170, 17, 170, 17},
        {"rows of cards that would reach below it: centred again", Screen(1024, 768), 4, true, 170, 117, 170, 17},
        {"rows of cards are never kept half off-screen", Screen(1024, 768), 4, false, -3, 17, 170, 117},
    };
    // clang-format on
    for (const KeepingCase& c : cases) {
        const PanelPlacement placement = PlacePanelKeeping(Cards(c.cards), c.screen, c.shown, c.x, c.y);
        EXPECT_EQ(placement.window.left, c.left) << c.what;
        EXPECT_EQ(placement.window.top, c.top) << c.what;
        EXPECT_EQ(placement.clientHeight, PlacePanel(Cards(c.cards), c.screen, c.shown).clientHeight) << c.what;
    }
}

struct ScrollCase {
    const char* what;
    int position, request, thumb;
    int expected;
};

TEST(ScrollPositionTest, ScrollBarRequestsStayInRange) {
    // A view of 575 pixels over 708.
    // clang-format off
    const ScrollCase cases[] = {
        {"a line on", 0, 1, 0, 20},        {"a line back at the start", 10, 0, 0, 0},
        {"a page on stops at the end", 100, 3, 0, 133}, {"a page back", 133, 2, 0, 0},
        {"the thumb dragged", 0, 5, 77, 77}, {"the thumb let go past the end", 0, 4, 500, 133},
        {"to the end", 0, 7, 0, 133},      {"to the start", 90, 6, 0, 0},
        {"the end of a scroll changes nothing", 90, 8, 0, 90},
    };
    // clang-format on
    for (const ScrollCase& c : cases)
        EXPECT_EQ(ScrollFor(c.position, c.request, c.thumb, 575, 708), c.expected) << c.what;
    EXPECT_EQ(ClampScroll(50, 600, 508), 0) << "a view larger than the whole does not scroll";
    EXPECT_EQ(ScrollForWheel(100, kWheelDelta, 575, 708), 40) << "a notch away from the user goes back";
    EXPECT_EQ(ScrollForWheel(100, -2 * kWheelDelta, 575, 708), 133) << "two notches towards the user, to the end";
    // The focus moved by a key to a control out of view (a view of 575
    // pixels over 708, a control from 600 to 644): the view moves just
    // enough, and not at all for one already in view.
    EXPECT_EQ(ScrollToShow(0, 600, 644, 575, 708), 69);
    EXPECT_EQ(ScrollToShow(133, 269, 313, 575, 708), 133);
    EXPECT_EQ(ScrollToShow(133, 58, 73, 575, 708), 58);
}

TEST(ScrollPositionTest, TheRowAtTheTopStaysThereWhenRowsChangeHeight) {
    EXPECT_EQ(ScrollForRowHeight(0, 254, 354), 0);
    EXPECT_EQ(ScrollForRowHeight(300, 254, 354), 354 + 46) << "46 pixels into the second row";
    EXPECT_EQ(ScrollForRowHeight(354 + 300, 354, 254), 254 + 253) << "as far into it as it goes";
}

}  // namespace
