// Output routing: the routing byte, clicks on the two routing sets, the
// routing-off toggle and the driver's routing notification.
#include <gtest/gtest.h>

#include <initializer_list>

#include "fake_panel_fixture.h"
#include "panel/panel_logic.h"

namespace panel_test {
namespace {

MixerSettings Routed(std::initializer_list<int32_t> a, std::initializer_list<int32_t> b) {
    MixerSettings record{};
    int32_t r = 0;
    for (int32_t v : a) record.routeA[r++] = v;
    r = 0;
    for (int32_t v : b) record.routeB[r++] = v;
    return record;
}

TEST(RoutingByteTest, NibblesNameTheRoutedRowOrNone) {
    struct Case {
        MixerSettings record;
        uint8_t expected;
    };
    const Case cases[] = {
        {Routed({0, 0, 1, 0}, {0, 0, 0, 0}), 0xF2},
        {Routed({0, 0, 0, 0}, {0, 0, 0, 1}), 0x3F},
        {Routed({1, 0, 0, 0}, {0, 1, 0, 0}), 0x10},
        {Routed({0, 0, 0, 0}, {0, 0, 0, 0}), 0xFF},
        {Routed({0, 0, 0, 1}, {0, 0, 1, 0}), 0x23},
        {Routed({0, 1, 1, 0}, {0, 0, 0, 0}), 0xF1},   // the lowest routed row counts
        {Routed({2, -1, 0, 0}, {0, 7, 0, 0}), 0xFF},  // only 1 means routed
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComputeRoutingByte(c.record), c.expected) << std::hex << int(c.expected);
    }
}

class PanelRoutingTest : public PanelFixture {
protected:
    std::vector<bool> ChecksOf(ControlHandle (&toggles)[4]) {
        std::vector<bool> states;
        for (ControlHandle t : toggles) states.push_back(controls.Checked(t));
        return states;
    }
};

TEST_F(PanelRoutingTest, ClickRoutesOneRowPerSetAndClickOnRoutedRowEmptiesIt) {
    Mark();
    controls.LeftClick(Panel().routeA[2]);
    EXPECT_EQ(ChecksOf(Panel().routeA), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(Record().routeA[2], 1);
    EXPECT_EQ(Card().Events(), Sent({{3, 0xF2}}));

    Mark();
    controls.LeftClick(Panel().routeB[1]);
    EXPECT_EQ(Card().Events(), Sent({{3, 0x12}}));

    Mark();
    controls.LeftClick(Panel().routeA[0]);
    EXPECT_EQ(ChecksOf(Panel().routeA), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(Record().routeA[2], 0);
    EXPECT_EQ(Card().Events(), Sent({{3, 0x10}}));

    Mark();
    controls.LeftClick(Panel().routeA[0]);
    EXPECT_EQ(ChecksOf(Panel().routeA), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Record().routeA[0], 0);
    EXPECT_EQ(Card().Events(), Sent({{3, 0x1F}}));
    EXPECT_EQ(ChecksOf(Panel().routeB), (std::vector<bool>{false, true, false, false}));
}

TEST_F(PanelRoutingTest, WhileRoutingIsOffASetClickEmptiesTheSetAndSendsNothing) {
    Record().routeA[1] = 1;
    Record().routeB[2] = 1;
    Mark();
    controls.LeftClick(Panel().routingOff);
    EXPECT_EQ(Record().routingOff, 1);
    EXPECT_EQ(ChecksOf(Panel().routeA), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(ChecksOf(Panel().routeB), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Record().routeA[1], 1);  // kept for when routing comes back
    EXPECT_EQ(Card().Events(), Sent({{3, 0xFF}}));
    EXPECT_TRUE(Card().State().routingOff);

    Mark();
    controls.LeftClick(Panel().routeB[3]);
    EXPECT_EQ(ChecksOf(Panel().routeB), (std::vector<bool>{false, false, false, false}));
    for (int32_t r = 0; r < 4; ++r) EXPECT_EQ(Record().routeB[r], 0) << r;
    EXPECT_TRUE(Card().Events().empty());

    Mark();
    controls.LeftClick(Panel().routingOff);
    EXPECT_EQ(Record().routingOff, 0);
    EXPECT_EQ(ChecksOf(Panel().routeA), (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(ChecksOf(Panel().routeB), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Card().Events(), Sent({{3, 0xF1}}));
    EXPECT_EQ(ComputeRoutingByte(Record()) >> 4, 0xF);
    EXPECT_EQ(Card().State().routeA, 1);
    EXPECT_EQ(Card().State().routeB, -1);
}

TEST_F(PanelRoutingTest, NotificationSetsTheToggleAndRerunsItsSet) {
    // Set B (g = 2 or 3): the input handler runs with member 1, then row k is
    // set from s and the set's handler runs for row k / 2.
    Mark();
    EXPECT_EQ(OnRoutingNotify((2u << 16) | 1u, (0u << 16) | 1u), 0);
    EXPECT_EQ(Record().inputOptical, 0);
    EXPECT_TRUE(controls.Checked(Panel().coaxial));
    EXPECT_EQ(ChecksOf(Panel().routeB), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Card().Events(), Sent({{0, 1}, {3, 0xFF}}));

    // Set A (g = 0), with coaxial now checked and row 0 checked by hand.
    controls.checks[Panel().routeA[0]] = 1;
    Mark();
    OnRoutingNotify((0u << 16) | 1u, (0u << 16) | 0u);
    EXPECT_EQ(Record().inputCoaxial, 1);
    EXPECT_EQ(ChecksOf(Panel().routeA), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(Record().routeA[0], 1);
    EXPECT_EQ(Card().Events(), Sent({{0, 1}, {3, 0xF0}}));
}

TEST_F(PanelRoutingTest, NotificationsOutsideTheirRangesAreIgnored) {
    FindCards({1, 3});
    struct Case {
        uint32_t wParam, lParam;
    };
    const Case ignored[] = {
        {(0u << 16) | 0u, (2u << 16) | 1u},                                           // column 2: beyond the two cards
        {(0u << 16) | 0u, (15u << 16) | 1u},     {(4u << 16) | 0u, (0u << 16) | 1u},  // g / 2 = 2
        {(0xFFFFu << 16) | 0u, (0u << 16) | 1u}, {(0u << 16) | 4u, (0u << 16) | 1u},  // k = 4
        {(1u << 16) | 0xFFFFu, (1u << 16) | 1u},
    };
    for (const Case& c : ignored) {
        Mark(0);
        Mark(1);
        controls.setChecks.clear();
        EXPECT_EQ(OnRoutingNotify(c.wParam, c.lParam), 0);
        EXPECT_TRUE(controls.setChecks.empty()) << std::hex << c.wParam << " " << c.lParam;
        EXPECT_TRUE(Card(0).Events().empty());
        EXPECT_TRUE(Card(1).Events().empty());
    }
    // Column 1 exists, so a notification for it is followed.
    Mark(1);
    OnRoutingNotify((3u << 16) | 3u, (1u << 16) | 1u);
    EXPECT_EQ(Card(1).Events(), Sent({{0, 1}, {3, 0xFF}}, 1));
    EXPECT_TRUE(controls.Checked(Panel(1).coaxial));
}

}  // namespace
}  // namespace panel_test
