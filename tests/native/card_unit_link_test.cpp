#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "card/unit_link.h"
#include "card_fakes.h"
#include "sim_card_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kLock = {0xF8, 0xF8, 0xF8, 0xF8, 0xF8};
const Bytes kUnlock = {0xFF, 0xF5, 0xFF, 0xF5, 0xFF, 0xF5, 0xFF, 0xF5, 0xFF, 0xF5};

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes Received(const SimCardState& state) {
    return Bytes(state.unit.history, state.unit.history + state.unit.historyCount);
}

// A clock that notes, at every read, how many bytes the unit had received,
// so a test sees where the busy waits fell among the bytes.
class WitnessClock : public MillisecondClock {
public:
    explicit WitnessClock(const SimCard* card) : card_(card) {}
    uint32_t Now() override {
        bytesAtRead.push_back(card_->State().unit.bytesReceived);
        return now_++;
    }
    // The byte counts at which a wait ran (one entry per wait).
    std::vector<uint32_t> WaitPositions() const {
        std::vector<uint32_t> positions;
        for (size_t i = 0; i < bytesAtRead.size(); i += 33) positions.push_back(bytesAtRead[i]);
        return positions;
    }
    std::vector<uint32_t> bytesAtRead;

private:
    const SimCard* card_;
    uint32_t now_ = 0;
};

class UnitLinkTest : public ::testing::Test {
protected:
    UnitLinkTest() : witness(&sim.card), scoped(&witness) {}
    TracedSimCard sim;
    WitnessClock witness;
    ScopedMillisecondClock scoped;
};

TEST_F(UnitLinkTest, StartFromZeroLocksThenSendsTheTimeAndMode) {
    StartTimecode(sim.link(), 1, 1, 2, 3, 4);

    EXPECT_EQ(Received(sim.card.State()), Join({kLock, {232, 4, 3, 2, 1, 238, 226}}));
    EXPECT_EQ(sim.block().unitLockCount, 1);
    // One 32 ms wait (33 clock reads at one millisecond each), after the lock bytes.
    EXPECT_EQ(witness.bytesAtRead.size(), 33u);
    EXPECT_EQ(witness.WaitPositions(), (std::vector<uint32_t>{5}));
}

TEST_F(UnitLinkTest, PanelStartAndStopRoundTrip) {
    // The panel holds a lock of its own around the generator.
    LockUnit(sim.link(), 1);
    StartTimecode(sim.link(), 1, 1, 2, 3, 4);

    SimCardState state = sim.card.State();
    EXPECT_EQ(Received(state), Join({kLock, {232, 4, 3, 2, 1, 238, 226}}));
    EXPECT_EQ(sim.block().unitLockCount, 2);
    EXPECT_TRUE(state.unit.locked);
    EXPECT_TRUE(state.unit.generatorRunning);
    EXPECT_EQ(state.unit.frameRateMode, 1);
    EXPECT_EQ(state.unit.startTime, (MtcTime{1, 2, 3, 4}));

    StopTimecode(sim.link());
    LockUnit(sim.link(), 0);

    state = sim.card.State();
    EXPECT_EQ(Received(state), Join({kLock, {232, 4, 3, 2, 1, 238, 226, 239}, kUnlock}));
    EXPECT_EQ(sim.block().unitLockCount, 0);
    EXPECT_FALSE(state.unit.locked);
    EXPECT_FALSE(state.unit.generatorRunning);
    EXPECT_EQ(witness.WaitPositions(), (std::vector<uint32_t>{5, 23}));

    std::vector<std::string> decoded;
    for (const std::string& e : sim.Events()) {
        if (e.rfind("unit byte", 0) != 0) decoded.push_back(e);
    }
    EXPECT_EQ(decoded,
              (std::vector<std::string>{"unit lock", "unit start 01:02:03:04 mode 1", "unit stop", "unit unlock"}));
}

TEST_F(UnitLinkTest, StopFromOneSendsStopThenUnlock) {
    sim.block().unitLockCount = 1;
    StopTimecode(sim.link());
    EXPECT_EQ(Received(sim.card.State()), Join({{239}, kUnlock}));
    EXPECT_EQ(sim.block().unitLockCount, 0);
    EXPECT_EQ(witness.WaitPositions(), (std::vector<uint32_t>{11}));
}

struct LockCase {
    int32_t countBefore;
    int32_t lock;
    Bytes sent;
    int32_t countAfter;
};

TEST_F(UnitLinkTest, LockNestsAndUnlockNeverGoesBelowZero) {
    const LockCase cases[] = {
        {0, 1, kLock, 1},           {1, 1, {}, 2}, {3, 1, {}, 4},      {0, 0, kUnlock, 0}, {-3, 0, kUnlock, 0},
        {1, 0, kUnlock, 0},         {2, 0, {}, 1}, {0, 2, kUnlock, 0}, {2, 2, {}, 1},      {0, -1, kUnlock, 0},
        {0, INT32_MIN, kUnlock, 0},
    };
    for (const LockCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "count " << c.countBefore << " lock " << c.lock);
        TracedSimCard card;
        WitnessClock clock(&card.card);
        ScopedMillisecondClock use(&clock);
        card.block().unitLockCount = c.countBefore;

        LockUnit(card.link(), c.lock);

        EXPECT_EQ(Received(card.card.State()), c.sent);
        EXPECT_EQ(card.block().unitLockCount, c.countAfter);
        EXPECT_EQ(clock.bytesAtRead.size(), c.sent.empty() ? 0u : 33u) << "a wait follows each sequence only";
    }
}

TEST(FrameRateModeByteTest, ModesMapToTheirBytesAndOthersStayInTheTable) {
    EXPECT_EQ(FrameRateModeByte(0), 0xE3);
    EXPECT_EQ(FrameRateModeByte(1), 0xE2);
    EXPECT_EQ(FrameRateModeByte(2), 0xE4);
    EXPECT_EQ(FrameRateModeByte(3), 0xE1);
    EXPECT_EQ(FrameRateModeByte(4), 0xE0);
    for (int32_t mode : {-1, 5, 6, 255, INT32_MIN, INT32_MAX}) EXPECT_EQ(FrameRateModeByte(mode), 0xE3) << mode;
}

TEST(FrameRateModeTest, EveryModeStartsTheSimulatedGeneratorInThatMode) {
    SteppingClock clock(0, 40);
    ScopedMillisecondClock use(&clock);
    for (int32_t mode = 0; mode < 5; ++mode) {
        TracedSimCard sim;
        StartTimecode(sim.link(), mode, 10, 20, 30, 12);
        EXPECT_EQ(sim.card.State().unit.frameRateMode, mode);
    }
}

TEST(BusyWaitTest, WaitsAtLeastTheTimeAcrossATimerWrap) {
    for (uint32_t start : {0u, 1000u, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
        SteppingClock clock(start, 1);
        ScopedMillisecondClock use(&clock);
        BusyWait(32);
        EXPECT_EQ(clock.readCount, 33) << start;
        EXPECT_EQ(clock.now - 1 - start, 32u) << start;
    }
}

TEST(BusyWaitTest, CoarseTimerStillEndsAtOrAfterTheTime) {
    SteppingClock clock(0xFFFFFFF0u, 10);
    ScopedMillisecondClock use(&clock);
    BusyWait(32);
    EXPECT_EQ(clock.readCount, 5);  // 0, 10, 20, 30, 40 ms after the start
    BusyWait(0);
    EXPECT_EQ(clock.readCount, 7);
}

}  // namespace
