#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "card/card_registers.h"
#include "card/unit_link.h"
#include "card_fakes.h"
#include "sim/sim_card.h"
#include "sim_card_fixture.h"

namespace {

using Lines = std::vector<std::string>;

void SendBytes(CardLink* link, std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) SendUnitByte(link, b);
}

TEST(SimCardTraceTest, AccessLinesCarryColumnKindOffsetAndValue) {
    TracedSimCard sim;
    sim.card.SetColumn(1);

    WriteUnitPort(sim.link(), 0x378, 0x41);

    EXPECT_EQ(sim.Lines(), (Lines{"1 W 0x080 0x00020378", "1 W 0x088 0x00000041", "1 W 0x100 0x00020002",
                                  "1 R 0x100 0x00000002", "1 R 0x110 0x00000000"}));
}

// The card hands the latched byte to the unit on the strobe's falling edge
// (control port bit 0 from 1 to 0), not the rising one: the end-to-end
// tests read the desk's bytes through this edge.
TEST(SimCardUnitPortTest, TheStrobesFallingEdgeHandsTheByteOver) {
    TracedSimCard sim;
    WriteUnitPort(sim.link(), 0x378, 0xC3);
    WriteUnitPort(sim.link(), 0x37A, 0x16);
    WriteUnitPort(sim.link(), 0x37A, 0x17);
    EXPECT_EQ(sim.card.State().unit.bytesReceived, 0u) << "the rising edge hands nothing over";
    WriteUnitPort(sim.link(), 0x37A, 0x16);
    const SimUnitState unit = sim.card.State().unit;
    ASSERT_EQ(unit.bytesReceived, 1u);
    ASSERT_EQ(unit.historyCount, 1);
    EXPECT_EQ(unit.history[0], 0xC3);
    WriteUnitPort(sim.link(), 0x37A, 0x16);
    EXPECT_EQ(sim.card.State().unit.bytesReceived, 1u) << "a low strobe staying low is no edge";
}

TEST(SimCardTraceTest, FileSinkGetsTheSameLinesWithEvents) {
    SimCard card;
    FakeCard fake(&card);
    fake.block.running = 1;
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    card.SetTrace(file);

    WriteControlWord(&fake.link, 0, 0xFFFF, 0x0400);
    SteppingClock clock;
    ScopedMillisecondClock use(&clock);
    StartTimecode(&fake.link, 1, 1, 2, 3, 4);
    card.SetTrace(static_cast<std::FILE*>(nullptr));
    SetCardControl(&fake.link, 1, 1);  // not traced any more

    std::rewind(file);
    Lines lines;
    char buffer[128];
    while (std::fgets(buffer, sizeof buffer, file) != nullptr) {
        std::string line(buffer);
        if (!line.empty() && line.back() == '\n') line.pop_back();
        lines.push_back(line);
    }
    std::fclose(file);

    ASSERT_GE(lines.size(), 45u);
    EXPECT_EQ(lines[0], "0 W 0x0e0 0x10505040");
    EXPECT_EQ(lines[42], "0 W 0x0e0 0x10405040");
    EXPECT_EQ(lines[43], "0 # word 0 = 0x0400") << "the word is latched by the select pulse";
    EXPECT_EQ(lines[44], "0 W 0x0e0 0x10505040");
    Lines events;
    for (const std::string& line : lines) {
        if (line.compare(0, 4, "0 # ") == 0) events.push_back(line);
    }
    EXPECT_EQ(events.size(), 1u + 5u + 1u + 7u + 1u);
    EXPECT_EQ(events[6], "0 # unit lock");
    EXPECT_EQ(events[7], "0 # unit byte 0xe8");
    EXPECT_EQ(events.back(), "0 # unit start 01:02:03:04 mode 1");
}

TEST(SimCardSerialTest, MalformedLinesAndIncompleteFramesAreNotLatched) {
    TracedSimCard sim;
    WriteCardRegister(sim.link(), kSerialLines, 0x12345678);
    EXPECT_EQ(sim.card.State().serialErrors, 1u);

    // Three address bits only, then sixteen data bits and the latch pulse.
    const uint32_t idle = 0x10505040;
    WriteCardRegister(sim.link(), kSerialLines, idle);
    for (int i = 0; i < 3; ++i) {
        WriteCardRegister(sim.link(), kSerialLines, 0x10404040);
        WriteCardRegister(sim.link(), kSerialLines, 0x10405040);
    }
    WriteCardRegister(sim.link(), kSerialLines, idle);
    for (int i = 0; i < 16; ++i) {
        WriteCardRegister(sim.link(), kSerialLines, 0x10504050);
        WriteCardRegister(sim.link(), kSerialLines, 0x10505050);
    }
    WriteCardRegister(sim.link(), kSerialLines, 0x10405040);
    WriteCardRegister(sim.link(), kSerialLines, idle);

    const SimCardState state = sim.card.State();
    EXPECT_EQ(state.serialErrors, 2u);
    EXPECT_EQ(state.wordsLatched, 0u);
    EXPECT_EQ(state.words[0], 0);
    EXPECT_EQ(sim.Events().back(), "serial frame dropped (3 address bits = 0, 16 data bits)");

    // A well-formed word after the noise still latches.
    WriteControlWord(sim.link(), 2, 0xFFFF, 0xA5A5);
    EXPECT_EQ(sim.card.State().words[2], 0xA5A5);
    EXPECT_EQ(sim.card.State().wordsLatched, 1u);
}

TEST(SimCardSerialTest, AddressesAboveThreeLatchNothing) {
    TracedSimCard sim;
    WriteControlWord(sim.link(), 7, 0xFFFF, 0x1234);  // shadow slot 3, address 0111 on the wire
    const SimCardState state = sim.card.State();
    EXPECT_EQ(state.wordsLatched, 0u);
    EXPECT_EQ(state.serialErrors, 1u);
    for (uint16_t w : state.words) EXPECT_EQ(w, 0);
}

TEST(SimCardUnitTest, StartFieldsAreTakenByPositionWhateverTheirValue) {
    TracedSimCard sim;
    SendBytes(sim.link(), {0xE8, 0xF8, 0xF8, 0xF8, 0xF8, 0xEE, 0xE0});
    const SimCardState state = sim.card.State();
    EXPECT_FALSE(state.unit.locked);
    EXPECT_TRUE(state.unit.generatorRunning);
    EXPECT_EQ(state.unit.startTime, (MtcTime{248, 248, 248, 248}));
    EXPECT_EQ(state.unit.frameRateMode, 4);
}

TEST(SimCardUnitTest, BrokenStartLeavesTheGeneratorAlone) {
    TracedSimCard sim;
    SendBytes(sim.link(), {0xE8, 1, 2, 3, 4, 0xC2});        // no closing byte
    SendBytes(sim.link(), {0xE8, 1, 2, 3, 4, 0xEE, 0x17});  // no mode byte
    const SimCardState state = sim.card.State();
    EXPECT_FALSE(state.unit.generatorRunning);
    EXPECT_EQ(state.unit.startCount, 0u);
    EXPECT_EQ(state.unit.lastRateByte, 0xC2) << "the byte that broke the start is still a command";
}

TEST(SimCardUnitTest, LockNeedsFiveInARowAndUnlockFiveWholePairs) {
    TracedSimCard sim;
    SendBytes(sim.link(), {0xF8, 0xF8, 0xF8, 0xF8, 0xC1, 0xF8});
    EXPECT_FALSE(sim.card.State().unit.locked);
    SendBytes(sim.link(), {0xF8, 0xF8, 0xF8, 0xF8});
    EXPECT_TRUE(sim.card.State().unit.locked);
    SendBytes(sim.link(), {0xFF, 0xF5, 0xFF, 0xF5, 0xFF, 0xF5, 0xFF, 0xF5, 0xFF});
    EXPECT_TRUE(sim.card.State().unit.locked);
    SendBytes(sim.link(), {0xF5});
    EXPECT_FALSE(sim.card.State().unit.locked);
}

TEST(SimCardUnitTest, HistoryKeepsTheLastBytesOldestFirst) {
    TracedSimCard sim;
    for (int i = 0; i < 40; ++i) SendUnitByte(sim.link(), static_cast<uint8_t>(i));
    const SimCardState state = sim.card.State();
    EXPECT_EQ(state.unit.bytesReceived, 40u);
    ASSERT_EQ(state.unit.historyCount, SimUnitState::kHistorySize);
    for (int i = 0; i < SimUnitState::kHistorySize; ++i) EXPECT_EQ(state.unit.history[i], 8 + i);
}

TEST(SimCardUnitTest, GeneratorRunsOnTheCardsClockAndFreezesAtStop) {
    TracedSimCard sim;
    SteppingClock unitClock(5000, 0);
    sim.card.SetClock(&unitClock);
    SendBytes(sim.link(), {0xE8, 20, 59, 0, 0, 0xEE, 0xE2});  // 00:00:59:20 at 25

    unitClock.now += 400;
    SimCardState state = sim.card.State();
    EXPECT_EQ(state.unit.elapsedMs, 400u);
    EXPECT_EQ(state.unit.currentTime, (MtcTime{0, 1, 0, 5}));
    EXPECT_EQ(state.unit.startCount, 1u);

    unitClock.now += 600;
    SendBytes(sim.link(), {0xEF});
    unitClock.now += 5000;
    state = sim.card.State();
    EXPECT_FALSE(state.unit.generatorRunning);
    EXPECT_EQ(state.unit.elapsedMs, 1000u);
    EXPECT_EQ(state.unit.currentTime, (MtcTime{0, 1, 0, 20}));
    sim.card.SetClock(nullptr);
}

TEST(SimCardUnitTest, RestartWithoutStopCountsAnotherStart) {
    TracedSimCard sim;
    SendBytes(sim.link(), {0xE8, 0, 0, 0, 1, 0xEE, 0xE3});
    SendBytes(sim.link(), {0xE8, 0, 0, 0, 2, 0xEE, 0xE1});
    const SimCardState state = sim.card.State();
    EXPECT_EQ(state.unit.startCount, 2u);
    EXPECT_EQ(state.unit.frameRateMode, 3);
    EXPECT_EQ(state.unit.startTime.hours, 2);
}

// The simulated driver's timecode forwarding sleeps until a start wakes it.
TEST(SimCardUnitTest, EveryDecodedStartAndOnlyStartsAreAnnounced) {
    TracedSimCard sim;
    int starts = 0;
    sim.card.SetGeneratorStartListener([&starts] { ++starts; });
    SendBytes(sim.link(), {0xE8, 1, 2, 3, 4, 0xEE, 0x17});  // broken off: no start
    SendBytes(sim.link(), {0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xC2});
    EXPECT_EQ(starts, 0);
    SendBytes(sim.link(), {0xE8, 0, 0, 0, 1, 0xEE, 0xE3});
    EXPECT_EQ(starts, 1);
    SendBytes(sim.link(), {0xEF});
    EXPECT_EQ(starts, 1);
    SendBytes(sim.link(), {0xE8, 0, 0, 0, 2, 0xEE, 0xE1});
    SendBytes(sim.link(), {0xE8, 0, 0, 0, 3, 0xEE, 0xE0});  // a restart without a stop
    EXPECT_EQ(starts, 3);
    sim.card.SetGeneratorStartListener(nullptr);
    SendBytes(sim.link(), {0xE8, 0, 0, 0, 4, 0xEE, 0xE0});
    EXPECT_EQ(starts, 3);
}

// A standby: the card and its unit wake as at power-on, while what is wired
// and what the simulation counts stay.
TEST(SimCardPowerTest, APowerCutBringsBackThePowerOnState) {
    TracedSimCard sim;
    SteppingClock clock;
    ScopedMillisecondClock use(&clock);
    SetCardControl(sim.link(), 1, 1);
    SetCardControl(sim.link(), 3, 0x21);
    SetSampleRate(sim.link(), 48000);
    StartTimecode(sim.link(), 1, 1, 2, 3, 4);
    SendBytes(sim.link(), {0xC9, 0xB4, 0xF8, 0xF8});  // and two bytes of a lock
    sim.card.SetUnitPresent(false);
    const SimCardState before = sim.card.State();
    sim.ClearTrace();

    sim.card.LosePower();
    EXPECT_EQ(sim.Lines(), (Lines{"0 # power lost"}));
    const SimCardState state = sim.card.State();
    const SimCardState fresh = SimCard().State();
    EXPECT_TRUE(std::equal(state.words, state.words + 4, fresh.words));
    EXPECT_FALSE(state.unit.locked);
    EXPECT_FALSE(state.unit.generatorRunning);
    EXPECT_EQ(state.unit.frameRateMode, -1);
    EXPECT_EQ(state.unit.lastRateByte, -1);
    EXPECT_EQ(state.unit.midiThru, -1);
    EXPECT_FALSE(state.unit.present) << "a power cut plugs nothing in";
    EXPECT_EQ(state.wordsLatched, before.wordsLatched);
    EXPECT_EQ(state.unit.bytesReceived, before.unit.bytesReceived);
    EXPECT_EQ(state.unit.startCount, before.unit.startCount);

    // The lock bytes before the cut do not count towards a lock after it.
    sim.card.SetUnitPresent(true);
    SendBytes(sim.link(), {0xF8, 0xF8, 0xF8});
    EXPECT_FALSE(sim.card.State().unit.locked);
    SendBytes(sim.link(), {0xF8, 0xF8});
    EXPECT_TRUE(sim.card.State().unit.locked);
}

TEST(SimCardTest, StateCanBeReadWhileAnotherThreadWritesRegisters) {
    TracedSimCard sim;
    sim.card.SetTrace(static_cast<std::ostream*>(nullptr));
    std::atomic<bool> done{false};
    std::atomic<int> snapshots{0};
    std::thread reader([&] {
        while (!done || snapshots == 0) {
            const SimCardState state = sim.card.State();
            EXPECT_LE(state.unit.bytesReceived, 200u);
            ++snapshots;
        }
    });
    while (snapshots == 0) std::this_thread::yield();
    for (int i = 0; i < 100; ++i) {
        SetCardControl(sim.link(), 2, i & 3);
        SetCardControl(sim.link(), 9, i & 1);
    }
    done = true;
    reader.join();
    EXPECT_GT(snapshots.load(), 0);
    EXPECT_EQ(sim.card.State().serialErrors, 0u);
    EXPECT_EQ(sim.card.State().unit.bytesReceived, 100u);
}

}  // namespace
