// Restoring a freshly built panel (every toggle unchecked) from its record:
// what it shows, what it sends the card, in order, and how a record written
// by other software with values outside their ranges is taken.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>
#include <vector>

#include "desk_test_hooks.h"
#include "fake_panel_fixture.h"
#include "panel/panel_logic.h"

namespace panel_test {
namespace {

class PanelRestoreTest : public PanelFixture {
protected:
    // Every toggle of column 0 is checked exactly when its base id is listed.
    void ExpectCheckedExactly(const std::set<uint16_t>& bases) {
        const PanelControlRow* rows = PanelLayoutRows();
        for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
            if (rows[i].kind != ControlKind::Toggle) continue;
            const ControlHandle toggle = HandleOf(MakeControlId(0, rows[i].baseId));
            EXPECT_EQ(controls.Checked(toggle), bases.count(rows[i].baseId) == 1) << "base id " << rows[i].baseId;
        }
    }
    // No check mark went to a control that is not one of the column's.
    void ExpectOnlyOwnControlsTouched() {
        const std::set<ControlHandle> own = PanelHandles(0);
        for (const auto& call : controls.setChecks) {
            EXPECT_EQ(own.count(call.first), 1u) << "handle " << call.first;
        }
    }
};

TEST_F(PanelRestoreTest, DefaultRecordShowsAndSendsItsSettings) {
    Record() = kDefaultRecord;
    Mark();
    RestoreCardPanel(0);

    // Coaxial is unchecked, so the first input call leaves optical checked
    // and the card on optical; the second does the same again.
    EXPECT_EQ(Card().Events(), Sent({{0, 2}, {0, 2}, {1, 0}, {2, 0}, {3, 0xF1}, {7, 0}}));
    ExpectCheckedExactly({kBaseOptical, kBaseFs, kBaseClockSource, kBaseRouteA + 1, kBaseRate, kBaseFrameRate});
    EXPECT_EQ(Block().sampleRate, 32000);  // running was 1 while the rate went out
    EXPECT_EQ(Block().running, 0);
    EXPECT_EQ(Block().unitLockCount, 0);
    const SimCardState card = Card().State();
    EXPECT_FALSE(card.digitalInputCoaxial);
    EXPECT_EQ(card.fsMode, 0);
    EXPECT_EQ(card.clockSource, 0);
    EXPECT_EQ(card.routeA, 1);
    EXPECT_EQ(card.routeB, -1);
    EXPECT_EQ(card.sampleRate, 32000);
    EXPECT_EQ(card.unit.lastRateByte, 0xC1);
    const MixerSettings& record = Record();
    MixerSettings expected = kDefaultRecord;
    expected.inputOptical = 1;  // the input pair's slots as it shows
    EXPECT_EQ(0, std::memcmp(&record, &expected, sizeof record));
    ExpectOnlyOwnControlsTouched();
}

TEST_F(PanelRestoreTest, BothInputSlotsSetRestoresCoaxial) {
    Record() = kDefaultRecord;
    Record().inputCoaxial = 1;
    Record().inputOptical = 1;
    Mark();
    RestoreCardPanel(0);

    // Member 1 first: optical is unchecked, so coaxial ends checked and the
    // optical slot becomes 0; the second call (member 0) finds coaxial checked.
    EXPECT_TRUE(controls.Checked(Panel().coaxial));
    EXPECT_FALSE(controls.Checked(Panel().optical));
    EXPECT_EQ(Record().inputCoaxial, 1);
    EXPECT_EQ(Record().inputOptical, 0);
    EXPECT_EQ(Card().Events(), Sent({{0, 1}, {0, 1}, {1, 0}, {2, 0}, {3, 0xF1}, {7, 0}}));
    EXPECT_TRUE(Card().State().digitalInputCoaxial);
}

TEST_F(PanelRestoreTest, RoutingOffAndShowTimecodeDoNotSurviveARestore) {
    Record() = kDefaultRecord;
    Record().routingOff = 1;
    Record().showTimecode = 1;
    Record().routeB[3] = 1;
    RestoreCardPanel(0);
    EXPECT_EQ(Record().routingOff, 0);
    EXPECT_EQ(Record().showTimecode, 0);
    EXPECT_FALSE(controls.Checked(Panel().routingOff));
    EXPECT_TRUE(controls.Checked(Panel().routeB[3]));
    EXPECT_TRUE(desk.rowShownCalls.empty());
}

TEST_F(PanelRestoreTest, AutoRateRestoresWithTheCardRunning) {
    Record() = kDefaultRecord;
    Record().autoRate = 1;
    Record().manualRate = 2;
    Mark();
    RestoreCardPanel(0);
    EXPECT_TRUE(controls.Checked(Panel().autoRate));
    for (ControlHandle rate : Panel().rate) EXPECT_FALSE(controls.Checked(rate));
    EXPECT_EQ(Block().running, 1);
    EXPECT_EQ(Record().manualRate, 2);
    EXPECT_EQ(Card().Events(), Sent({{0, 2}, {0, 2}, {1, 0}, {2, 0}, {3, 0xF1}}));
}

TEST_F(PanelRestoreTest, OutOfRangeRecordsStayInsideTheirGroups) {
    struct Case {
        const char* name;
        MixerSettings record;
        std::set<uint16_t> checked;
        std::vector<Control> sent;
        int32_t running;
    };
    const Case cases[] = {
        {"too large and negative",
         {5, -2, 7, -3, 9, 4, {2, 0, 1, 1}, {-1, 1, 1, 0}, 3, 9, 12},
         {kBaseCoaxial, kBaseFs256, kBaseClockSource, kBaseRouteA + 2, kBaseRouteB + 1, kBaseRate + 2,
          kBaseFrameRate + 4},
         {{0, 1}, {0, 1}, {1, 1}, {2, 0}, {3, 0x12}, {7, 2}},
         0},
        {"extremes",
         {INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MIN, INT_MAX, {1, 1, 1, 1}, {0, 0, 0, INT_MAX}, 1, INT_MIN, -1},
         {kBaseOptical, kBaseFs, kBaseClockSource + 3, kBaseRouteA, kBaseAutoRate, kBaseFrameRate},
         {{0, 2}, {0, 2}, {1, 0}, {2, 3}, {3, 0xF0}},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        Record() = c.record;
        Mark();
        RestoreCardPanel(0);

        ExpectCheckedExactly(c.checked);
        ExpectOnlyOwnControlsTouched();
        EXPECT_EQ(Card().Events(), Sent(c.sent));
        EXPECT_EQ(Block().running, c.running);
        // The record now holds values the panel can show.
        EXPECT_GE(Record().fsMode, 0);
        EXPECT_LE(Record().fsMode, 1);
        EXPECT_GE(Record().clockSource, 0);
        EXPECT_LE(Record().clockSource, 3);
        EXPECT_GE(Record().manualRate, 0);
        EXPECT_LE(Record().manualRate, 2);
        EXPECT_GE(Record().frameRate, 0);
        EXPECT_LE(Record().frameRate, 4);
        EXPECT_LE(Record().routeA[0] + Record().routeA[1] + Record().routeA[2] + Record().routeA[3], 1);
    }
}

}  // namespace
}  // namespace panel_test
