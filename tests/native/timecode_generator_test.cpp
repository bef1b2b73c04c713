// The generator's start toggle and frame-rate toggles: the bytes the
// external unit receives and the unit's lock level in the card's block.
#include <gtest/gtest.h>

#include <vector>

#include "desk_test_hooks.h"
#include "fake_panel_fixture.h"
#include "panel/timecode.h"

namespace panel_test {
namespace {

const std::vector<uint32_t> kLock = {0xF8, 0xF8, 0xF8, 0xF8, 0xF8};
const std::vector<uint32_t> kUnlock = {0xFF, 0xF5, 0xFF, 0xF5, 0xFF, 0xF5, 0xFF, 0xF5, 0xFF, 0xF5};

std::vector<uint32_t> Join(std::initializer_list<std::vector<uint32_t>> parts) {
    std::vector<uint32_t> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class TimecodeGeneratorTest : public PanelFixture {
protected:
    void SetFields(int32_t h, int32_t m, int32_t s, int32_t f) {
        controls.positions[Panel().hours] = h;
        controls.positions[Panel().minutes] = m;
        controls.positions[Panel().seconds] = s;
        controls.positions[Panel().frames] = f;
    }
};

TEST_F(TimecodeGeneratorTest, StartAndStopSendTheUnitItsSequences) {
    controls.LeftClick(Panel().frameRate[1]);
    SetFields(1, 2, 3, 4);
    Mark();
    controls.LeftClick(Panel().start);
    EXPECT_EQ(Card().UnitBytes(), Join({kLock, {0xE8, 4, 3, 2, 1, 0xEE, 0xE2}}));
    EXPECT_EQ(Block().unitLockCount, 2);
    SimUnitState unit = Card().State().unit;
    EXPECT_TRUE(unit.locked);
    EXPECT_TRUE(unit.generatorRunning);
    EXPECT_EQ(unit.frameRateMode, 1);
    EXPECT_EQ(unit.startTime, (MtcTime{1, 2, 3, 4}));

    Mark();
    controls.LeftClick(Panel().start);
    EXPECT_EQ(Card().UnitBytes(), Join({{0xEF}, kUnlock}));
    EXPECT_EQ(Block().unitLockCount, 0);
    unit = Card().State().unit;
    EXPECT_FALSE(unit.locked);
    EXPECT_FALSE(unit.generatorRunning);
}

TEST_F(TimecodeGeneratorTest, FrameRateWhileStoppedOnlyStoresIt) {
    for (int32_t member = 4; member >= 0; --member) {
        Mark();
        controls.LeftClick(Panel().frameRate[member]);
        EXPECT_EQ(Record().frameRate, member);
        for (int32_t j = 0; j < 5; ++j) EXPECT_EQ(controls.Checked(Panel().frameRate[j]), j == member);
        EXPECT_TRUE(Card().Events().empty());
        EXPECT_EQ(Block().unitLockCount, 0);
    }
}

// A new rate while running starts the unit again, from the time now in the
// fields; the lock level stays that of one running generator.
TEST_F(TimecodeGeneratorTest, FrameRateWhileRunningRestartsWithoutTakingMoreLockLevels) {
    SetFields(10, 20, 30, 5);
    controls.LeftClick(Panel().start);
    ASSERT_EQ(Block().unitLockCount, 2);

    SetFields(11, 21, 31, 6);
    Mark();
    controls.LeftClick(Panel().frameRate[4]);
    EXPECT_EQ(Card().UnitBytes(), (std::vector<uint32_t>{0xE8, 6, 31, 21, 11, 0xEE, 0xE0}));
    EXPECT_EQ(Record().frameRate, 4);
    EXPECT_EQ(Block().unitLockCount, 2);
    const SimUnitState unit = Card().State().unit;
    EXPECT_EQ(unit.startCount, 2u);
    EXPECT_EQ(unit.frameRateMode, 4);
    EXPECT_EQ(unit.startTime, (MtcTime{11, 21, 31, 6}));
    EXPECT_TRUE(unit.locked);

    Mark();
    controls.LeftClick(Panel().frameRate[3]);
    EXPECT_EQ(Card().UnitBytes(), (std::vector<uint32_t>{0xE8, 6, 31, 21, 11, 0xEE, 0xE1}));
    EXPECT_EQ(Block().unitLockCount, 2);

    // The stop releases the unit completely.
    Mark();
    controls.LeftClick(Panel().start);
    EXPECT_EQ(Card().UnitBytes(), Join({{0xEF}, kUnlock}));
    EXPECT_EQ(Block().unitLockCount, 0);
    EXPECT_FALSE(Card().State().unit.locked);
    EXPECT_FALSE(Card().State().unit.generatorRunning);
}

TEST_F(TimecodeGeneratorTest, RightClickOnRunningStartRestartsWithoutTakingMoreLockLevels) {
    controls.LeftClick(Panel().start);
    Mark();
    controls.RightClick(Panel().start);
    EXPECT_EQ(Card().UnitBytes(), (std::vector<uint32_t>{0xE8, 0, 0, 0, 0, 0xEE, 0xE3}));
    EXPECT_EQ(Block().unitLockCount, 2);
    controls.LeftClick(Panel().start);
    EXPECT_EQ(Block().unitLockCount, 0);
}

// Incoming timecode checks the start toggle without starting the unit; a new
// rate then is the unit's first start and takes its lock levels.
TEST_F(TimecodeGeneratorTest, FrameRateAfterIncomingTimecodeIsAFirstStart) {
    OnTimecodeByte(0xF1, 0);
    OnTimecodeByte(0x00, 0);
    ASSERT_TRUE(controls.Checked(Panel().start));
    Mark();
    controls.LeftClick(Panel().frameRate[2]);
    EXPECT_EQ(Card().UnitBytes(), Join({kLock, {0xE8, 0, 0, 0, 0, 0xEE, 0xE4}}));
    EXPECT_EQ(Block().unitLockCount, 2);
    Mark();
    controls.LeftClick(Panel().start);
    EXPECT_EQ(Card().UnitBytes(), Join({{0xEF}, kUnlock}));
    EXPECT_EQ(Block().unitLockCount, 0);
}

// The unit's own timecode comes back while it runs. A stop click flips the
// toggle at once but its command is posted, behind bytes already queued:
// those bytes must not check the toggle again, or the stop becomes a restart.
TEST_F(TimecodeGeneratorTest, AStopQueuedBehindIncomingTimecodeStillStops) {
    controls.LeftClick(Panel().start);
    OnTimecodeByte(0xF1, 0);
    OnTimecodeByte(0x00, 0);
    ASSERT_TRUE(Card().State().unit.generatorRunning);

    controls.checks[Panel().start] = 0;  // the press, its command still queued
    OnTimecodeByte(0xF1, 0);
    OnTimecodeByte(0x10, 0);
    EXPECT_FALSE(controls.Checked(Panel().start));
    Mark();
    RoutePanelCommand(IdOf(Panel().start) | (1u << 16), IdOf(Panel().start));
    EXPECT_EQ(Card().UnitBytes(), Join({{0xEF}, kUnlock}));
    EXPECT_FALSE(Card().State().unit.generatorRunning);
    EXPECT_EQ(Block().unitLockCount, 0);

    // Bytes still in flight after the stop leave the toggle as the stop left
    // it, and send nothing.
    Mark();
    OnTimecodeByte(0xF1, 0);
    OnTimecodeByte(0x20, 0);
    EXPECT_FALSE(controls.Checked(Panel().start));
    EXPECT_TRUE(Card().Events().empty());
}

// After this desk's own stop, timecode that really goes on (from the unit or
// another source) shows as running again once a whole timecode, all eight
// pieces, has come in: within two frames, whichever piece comes first.
TEST_F(TimecodeGeneratorTest, TimecodeThatGoesOnAfterTheStopChecksTheToggleWithinTwoFrames) {
    for (int first = 0; first < 8; ++first) {
        controls.LeftClick(Panel().start);
        controls.LeftClick(Panel().start);  // started and stopped here
        ASSERT_FALSE(controls.Checked(Panel().start));
        for (int n = 0; n < 8; ++n) {
            EXPECT_FALSE(controls.Checked(Panel().start)) << "first piece " << first << ", " << n << " pieces";
            OnTimecodeByte(0xF1, 0);
            OnTimecodeByte(static_cast<uint32_t>(((first + n) % 8) << 4), 0);
        }
        EXPECT_TRUE(controls.Checked(Panel().start)) << "first piece " << first;
        controls.checks[Panel().start] = 0;
        OnTimecodeByte(0x00, 0);
        EXPECT_TRUE(controls.Checked(Panel().start)) << "once shown, every byte checks it again";
        controls.checks[Panel().start] = 0;
    }
}

TEST_F(TimecodeGeneratorTest, RestoreNeverStartsTheGenerator) {
    Record() = kDefaultRecord;
    Record().frameRate = 3;
    Mark();
    RestoreCardPanel(0);
    EXPECT_TRUE(controls.Checked(Panel().frameRate[3]));
    EXPECT_FALSE(controls.Checked(Panel().start));
    EXPECT_EQ(Block().unitLockCount, 0);
    EXPECT_EQ(Card().UnitBytes(), std::vector<uint32_t>{0xC1});  // the sample-rate byte only
}

}  // namespace
}  // namespace panel_test
