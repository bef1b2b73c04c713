// The resume after a standby, in which the card lost power and woke on its
// defaults: the card is sent what the start sent from the same record, the
// panel shows the record, and a generator that ran when the power went is
// shown stopped and is not started again.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "fake_panel_fixture.h"
#include "panel/panel_logic.h"
#include "panel/timecode.h"

namespace panel_test {
namespace {

const std::vector<uint32_t> kLock = {0xF8, 0xF8, 0xF8, 0xF8, 0xF8};

class PanelResumeTest : public PanelFixture {
protected:
    // Finds the card again, its block's control words holding `shadows` as
    // a driver may have left them before the desk started.
    void FindCardWithShadows(const uint32_t (&shadows)[4]) {
        ResetCardTableForTest();
        std::copy(shadows, shadows + 4, driver.blocks[0].controlShadow);
        ASSERT_EQ(DiscoverCards(), 0);
        InstallFakePanel(0);
    }
    // The standby: the card loses power, then the desk resumes the panel.
    void StandbyAndResume() {
        Card().card.LosePower();
        Card().ForgetEvents();
        ResumeCardPanel(0);
    }
    std::set<ControlHandle> CheckedToggles() {
        std::set<ControlHandle> checked;
        for (ControlHandle handle : PanelHandles(0)) {
            if (controls.Checked(handle)) checked.insert(handle);
        }
        return checked;
    }
};

// The oracle is a start from the record as it stands at the standby, on a
// block as the driver had it at start: what the clicks changed since (in the
// record, in the panel, on the card) must not show in what the card is sent.
TEST_F(PanelResumeTest, TheCardIsSentWhatAStartFromTheSameRecordSends) {
    struct Case {
        const char* name;
        MixerSettings record;
        uint32_t shadows[4];
        std::function<void()> clicks;
    };
    const Case cases[] = {
        {"the default record", kDefaultRecord, {0, 0, 0, 0}, [] {}},
        {"settings away from the defaults, then clicked",
         {1, 0, 1, 2, 0, 0, {0, 0, 0, 0}, {0, 0, 1, 0}, 0, 2, 3},
         {0, 0, 0, 0},
         [this] {
             controls.LeftClick(Panel().routingOff);
             controls.LeftClick(Panel().rate[1]);
             controls.LeftClick(Panel().coaxial);
         }},
        {"automatic rate over words the driver had set",
         {0, 1, 0, 3, 0, 0, {0, 0, 0, 1}, {1, 0, 0, 0}, 1, 1, 4},
         {0xABCD1234, 0x00010020, 0x00000000, 0xFFFF0010},
         [this] { controls.LeftClick(Panel().routingOff); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        FindCardWithShadows(c.shadows);
        Record() = c.record;
        RestoreCardPanel(0);
        c.clicks();
        const MixerSettings atStandby = Record();
        StandbyAndResume();
        const std::vector<std::string> resumed = Card().Lines();
        const SimCardState card = Card().State();
        const std::set<ControlHandle> shown = CheckedToggles();

        TearDown();
        SetUp();
        FindCardWithShadows(c.shadows);
        Record() = atStandby;
        Card().ForgetEvents();
        RestoreCardPanel(0);
        EXPECT_EQ(resumed, Card().Lines());
        const SimCardState started = Card().State();
        EXPECT_TRUE(std::equal(card.words, card.words + 4, started.words));
        EXPECT_EQ(card.unit.lastRateByte, started.unit.lastRateByte);
        EXPECT_EQ(shown, CheckedToggles());
        // The driver's upper bits of the shadows are left as they were.
        for (int a = 0; a < 4; ++a) EXPECT_EQ(Block().controlShadow[a] >> 16, c.shadows[a] >> 16) << a;
    }
}

// The timecode row open, the fields set and the generator running when the
// power went; the block's lock levels as the desk left them or as the
// driver may have put them at its own wake-up.
TEST_F(PanelResumeTest, AGeneratorThatRanIsShownStoppedAndStartsAfreshOnTheNextClick) {
    for (int32_t levelsAtResume : {2, 1, 0}) {
        SCOPED_TRACE(levelsAtResume);
        TearDown();
        SetUp();
        Record() = kDefaultRecord;
        RestoreCardPanel(0);
        controls.LeftClick(Panel().showHide);
        controls.positions[Panel().hours] = 1;
        controls.positions[Panel().minutes] = 2;
        controls.positions[Panel().seconds] = 3;
        controls.positions[Panel().frames] = 4;
        controls.LeftClick(Panel().start);
        ASSERT_TRUE(Card().State().unit.generatorRunning);
        Block().unitLockCount = levelsAtResume;
        const size_t fieldWrites = controls.setPositions.size();

        StandbyAndResume();
        EXPECT_FALSE(controls.Checked(Panel().start));
        EXPECT_EQ(Block().unitLockCount, 0);
        // Only the restore's own unit byte, the rate's: no unlock, no start.
        EXPECT_EQ(Card().UnitBytes(), std::vector<uint32_t>{0xC1});
        EXPECT_FALSE(Card().State().unit.generatorRunning);
        EXPECT_TRUE(controls.Checked(Panel().showHide));
        EXPECT_EQ(desk.rowShownCalls, std::vector<bool>{true});
        EXPECT_EQ(controls.setPositions.size(), fieldWrites) << "the digit fields keep their values";

        // Timecode the driver posted before the power went, short of a whole
        // time, leaves the toggle alone.
        for (uint8_t piece = 0; piece < 7; ++piece) {
            OnTimecodeByte(0xF1, 0);
            OnTimecodeByte(static_cast<uint32_t>(piece << 4), 0);
        }
        EXPECT_FALSE(controls.Checked(Panel().start));

        // The unit lost its lock: the next start locks it again.
        Mark();
        controls.LeftClick(Panel().start);
        std::vector<uint32_t> expected = kLock;
        expected.insert(expected.end(), {0xE8, 4, 3, 2, 1, 0xEE, 0xE3});
        EXPECT_EQ(Card().UnitBytes(), expected);
        EXPECT_EQ(Block().unitLockCount, 2);
        EXPECT_TRUE(Card().State().unit.locked);
    }
}

// An earlier desk ended while its generator ran (the setup ends a desk with
// WM_CLOSE, so does a logoff) and left its lock levels in the block; the
// unit loses its lock with the power all the same.
TEST_F(PanelResumeTest, LockLevelsAnEarlierDeskLeftGoWithThePower) {
    Block().unitLockCount = 2;
    Record() = kDefaultRecord;
    RestoreCardPanel(0);
    StandbyAndResume();
    EXPECT_EQ(Block().unitLockCount, 0);
    Mark();
    controls.LeftClick(Panel().start);
    const std::vector<uint32_t> sent = Card().UnitBytes();
    ASSERT_GE(sent.size(), kLock.size());
    EXPECT_EQ(std::vector<uint32_t>(sent.begin(), sent.begin() + 5), kLock) << "the next start locks the unit";
    EXPECT_TRUE(Card().State().unit.locked);
}

// The start skips a rate the driver's block already holds; the resume sends
// it all the same, since the card woke on its own default rate.
TEST_F(PanelResumeTest, ARateTheBlockHoldsIsSkippedAtStartAndSentAtResume) {
    ResetCardTableForTest();
    driver.blocks[0].sampleRate = 44100;
    ASSERT_EQ(DiscoverCards(), 0);
    InstallFakePanel(0);
    Record() = kDefaultRecord;
    Record().manualRate = 1;  // 44100
    Card().ForgetEvents();
    RestoreCardPanel(0);
    EXPECT_EQ(Card().UnitBytes(), std::vector<uint32_t>{}) << "the start sent a rate the block holds";
    StandbyAndResume();
    EXPECT_EQ(Card().UnitBytes(), std::vector<uint32_t>{0xC2});
    EXPECT_EQ(Block().sampleRate, 44100);
}

}  // namespace
}  // namespace panel_test
