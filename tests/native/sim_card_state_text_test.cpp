#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "card/card_registers.h"
#include "card/unit_link.h"
#include "card_fakes.h"
#include "sim/card_state_text.h"
#include "sim/sim_card.h"
#include "sim/sim_driver_link.h"

namespace {

// A simulated card behind a driver block, as the desk reaches it.
struct LinkedSimCard {
    LinkedSimCard() : fake(&card) { fake.block.running = 1; }
    std::string Text(int column = 0) const { return FormatCardState(column, card.State(), fake.block); }
    CardLink* link() { return &fake.link; }
    SimCard card;
    FakeCard fake;
};

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The value of the first "key: value" line, or "<no key>".
std::string ValueOf(const std::string& text, const std::string& key) {
    for (const std::string& line : LinesOf(text)) {
        if (line.compare(0, key.size() + 2, key + ": ") == 0) return line.substr(key.size() + 2);
    }
    return "<no key>";
}

struct Control {
    uint16_t type;
    uint32_t value;
};

struct ControlCase {
    const char* name;
    std::vector<Control> controls;
    const char* key;
    const char* expected;
};

class CardStateTextControlTest : public ::testing::TestWithParam<ControlCase> {};

TEST_P(CardStateTextControlTest, ShowsWhatTheCardWasSent) {
    SteppingClock clock;
    ScopedMillisecondClock useClock(&clock);
    LinkedSimCard sim;
    for (const Control& control : GetParam().controls) SetCardControl(sim.link(), control.type, control.value);
    EXPECT_EQ(ValueOf(sim.Text(), GetParam().key), GetParam().expected) << sim.Text();
}

INSTANTIATE_TEST_SUITE_P(
    PanelControls, CardStateTextControlTest,
    ::testing::Values(ControlCase{"NothingSentReadsOptical", {}, "digital input", "optical"},
                      ControlCase{"Input1IsCoaxial", {{0, 1}}, "digital input", "coaxial"},
                      ControlCase{"Input2IsOptical", {{0, 1}, {0, 2}}, "digital input", "optical"},
                      ControlCase{"Input0KeepsCoaxial", {{0, 1}, {0, 0}}, "digital input", "coaxial"},
                      ControlCase{"Input0KeepsOptical", {{0, 1}, {0, 2}, {0, 0}}, "digital input", "optical"},
                      ControlCase{"Input3ChangesNothing", {{0, 1}, {0, 3}}, "digital input", "coaxial"},
                      ControlCase{"Fs", {{1, 1}, {1, 0}}, "fs mode", "fs"},
                      ControlCase{"Fs256", {{1, 1}}, "fs mode", "256 fs"},
                      ControlCase{"ClockInternal", {{2, 3}, {2, 0}}, "clock source", "internal"},
                      ControlCase{"ClockDigitalInput", {{2, 1}}, "clock source", "digital input"},
                      ControlCase{"ClockWord", {{2, 2}}, "clock source", "word clock"},
                      ControlCase{"ClockUnit", {{2, 3}}, "clock source", "external unit"},
                      ControlCase{"Rate32000", {{7, 0}}, "sample rate", "32000"},
                      ControlCase{"Rate44100", {{7, 1}}, "sample rate", "44100"},
                      ControlCase{"Rate48000", {{7, 2}}, "sample rate", "48000"},
                      ControlCase{"Rate64000", {{7, 3}}, "sample rate", "64000"},
                      ControlCase{"Rate88200", {{7, 4}}, "sample rate", "88200"},
                      ControlCase{"Rate96000", {{7, 5}}, "sample rate", "96000"},
                      ControlCase{"RateByte32000", {{7, 0}}, "last rate byte", "0xC1"},
                      ControlCase{"RateByte44100", {{7, 1}}, "last rate byte", "0xC2"},
                      ControlCase{"RateByte48000", {{7, 2}}, "last rate byte", "0xC3"},
                      ControlCase{"RateByte96000", {{7, 5}}, "last rate byte", "0xC4"},
                      ControlCase{"BlockRate", {{7, 2}}, "block sample rate", "48000"},
                      ControlCase{"RateValue6ChangesNothing", {{7, 2}, {7, 6}}, "sample rate", "48000"},
                      ControlCase{"NoRateByteBeforeAnyRate", {{1, 1}}, "last rate byte", "none"}),
    [](const ::testing::TestParamInfo<ControlCase>& info) { return std::string(info.param.name); });

std::string ExpectedRouting(uint32_t value) {
    const uint32_t low = value & 0xF;
    const uint32_t high = (value >> 4) & 0xF;
    if (low == 0xF && high == 0xF) return "off";
    static const char* const kPairs[] = {"1-2", "3-4", "5-6", "7-8"};
    const std::string a = low == 0xF ? "none" : std::string("output pair ") + kPairs[low & 3];
    const std::string b = high == 0xF ? "none" : std::string("output pair ") + kPairs[high & 3];
    return "set A -> " + a + ", set B -> " + b;
}

// Every routing byte, each sent after the previous one, as the panel does.
TEST(CardStateTextTest, RoutingFollowsEveryRoutingByte) {
    LinkedSimCard sim;
    for (uint32_t value = 0; value < 0x100; ++value) {
        SetCardControl(sim.link(), 3, value);
        const std::string text = sim.Text();
        ASSERT_EQ(ValueOf(text, "routing"), ExpectedRouting(value)) << "routing byte " << value;
    }
}

TEST(CardStateTextTest, RoutingSetsHaveLinesOfTheirOwn) {
    LinkedSimCard sim;
    SetCardControl(sim.link(), 3, 0xF2);
    EXPECT_EQ(ValueOf(sim.Text(), "routing set A"), "output pair 5-6");
    EXPECT_EQ(ValueOf(sim.Text(), "routing set B"), "none");
    SetCardControl(sim.link(), 3, 0x3F);
    EXPECT_EQ(ValueOf(sim.Text(), "routing set A"), "none");
    EXPECT_EQ(ValueOf(sim.Text(), "routing set B"), "output pair 7-8");
}

TEST(CardStateTextTest, StoppedBlockKeepsTheRateAndSaysSo) {
    SteppingClock clock;
    ScopedMillisecondClock useClock(&clock);
    LinkedSimCard sim;
    SetCardControl(sim.link(), 7, 2);
    sim.fake.block.running = 0;
    SetCardControl(sim.link(), 7, 0);
    const std::string text = sim.Text();
    EXPECT_EQ(ValueOf(text, "sample rate"), "48000");
    EXPECT_EQ(ValueOf(text, "block sample rate"), "48000");
    EXPECT_EQ(ValueOf(text, "block running"), "no");
}

// A clock the test moves by hand.
class HandClock : public MillisecondClock {
public:
    uint32_t now = 1000;
    uint32_t Now() override { return now; }
};

TEST(CardStateTextTest, UnitLockStartAndStop) {
    SteppingClock waitClock;
    ScopedMillisecondClock useClock(&waitClock);
    HandClock unitClock;
    LinkedSimCard sim;
    sim.card.SetClock(&unitClock);

    std::string text = sim.Text();
    EXPECT_EQ(ValueOf(text, "unit"), "present");
    EXPECT_EQ(ValueOf(text, "unit lock"), "unlocked");
    EXPECT_EQ(ValueOf(text, "generator"), "stopped");
    EXPECT_EQ(ValueOf(text, "frame rate"), "none");
    EXPECT_EQ(ValueOf(text, "start time"), "none");
    EXPECT_EQ(ValueOf(text, "current time"), "none");
    EXPECT_EQ(ValueOf(text, "command 1"), "<no key>");

    LockUnit(sim.link(), 1);
    text = sim.Text();
    EXPECT_EQ(ValueOf(text, "unit lock"), "locked");
    EXPECT_EQ(ValueOf(text, "unit lock count"), "1");
    EXPECT_EQ(ValueOf(text, "command 1"), "lock [F8 x5]");

    StartTimecode(sim.link(), 1, 1, 0, 0, 0);
    unitClock.now += 2000;
    text = sim.Text();
    EXPECT_EQ(ValueOf(text, "generator"), "running");
    EXPECT_EQ(ValueOf(text, "frame rate"), "25");
    EXPECT_EQ(ValueOf(text, "start time"), "01:00:00:00");
    EXPECT_EQ(ValueOf(text, "current time"), "01:00:02:00");
    EXPECT_EQ(ValueOf(text, "unit lock count"), "2");
    EXPECT_EQ(ValueOf(text, "command 1"), "start 01:00:00:00 at 25 fps [E8 00 00 00 01 EE E2]");

    unitClock.now += 520;  // 13 frames at 25
    StopTimecode(sim.link());
    LockUnit(sim.link(), 0);
    unitClock.now += 3000;
    text = sim.Text();
    EXPECT_EQ(ValueOf(text, "generator"), "stopped");
    EXPECT_EQ(ValueOf(text, "current time"), "01:00:02:13") << "the time stands still at the stop";
    EXPECT_EQ(ValueOf(text, "unit lock"), "unlocked");
    EXPECT_EQ(ValueOf(text, "unit lock count"), "0");
    EXPECT_EQ(ValueOf(text, "command 1"), "unlock [FF F5 x5]");
    EXPECT_EQ(ValueOf(text, "command 2"), "stop [EF]");
    EXPECT_EQ(ValueOf(text, "command 3"), "start 01:00:00:00 at 25 fps [E8 00 00 00 01 EE E2]");
    EXPECT_EQ(ValueOf(text, "command 4"), "lock [F8 x5]");
    sim.card.SetClock(nullptr);
}

TEST(CardStateTextTest, EveryFrameRateOfAStart) {
    SteppingClock waitClock;
    ScopedMillisecondClock useClock(&waitClock);
    const char* const kNames[] = {"24", "25", "29.97", "30 drop", "30"};
    for (int mode = 0; mode < 5; ++mode) {
        LinkedSimCard sim;
        StartTimecode(sim.link(), mode, 2, 3, 4, 5);
        const std::string text = sim.Text();
        EXPECT_EQ(ValueOf(text, "frame rate"), kNames[mode]) << "mode " << mode;
        EXPECT_EQ(ValueOf(text, "start time"), "02:03:04:05") << "mode " << mode;
    }
}

TEST(CardStateTextTest, UnpluggedUnitHearsNothing) {
    SteppingClock waitClock;
    ScopedMillisecondClock useClock(&waitClock);
    LinkedSimCard sim;
    sim.card.SetUnitPresent(false);
    LockUnit(sim.link(), 1);
    std::string text = sim.Text();
    EXPECT_EQ(ValueOf(text, "unit"), "unplugged");
    EXPECT_EQ(ValueOf(text, "unit lock"), "unlocked");
    EXPECT_EQ(ValueOf(text, "unit bytes received"), "0");

    sim.card.SetUnitPresent(true);
    LockUnit(sim.link(), 0);
    LockUnit(sim.link(), 1);
    text = sim.Text();
    EXPECT_EQ(ValueOf(text, "unit"), "present");
    EXPECT_EQ(ValueOf(text, "unit lock"), "locked");
}

TEST(CardStateTextTest, ListsOnlyTheNewestCommandsNewestFirst) {
    SteppingClock waitClock;
    ScopedMillisecondClock useClock(&waitClock);
    LinkedSimCard sim;
    for (int i = 0; i < 12; ++i) SendUnitByte(sim.link(), 0xC1 + (i % 3));  // C1 C2 C3 C1 ...
    const std::string text = sim.Text();
    EXPECT_EQ(ValueOf(text, "command 1"), "rate 48 kHz [C3]");
    EXPECT_EQ(ValueOf(text, "command 2"), "rate 44.1 kHz [C2]");
    EXPECT_EQ(ValueOf(text, "command 3"), "rate 32 kHz and below [C1]");
    EXPECT_NE(ValueOf(text, "command " + std::to_string(kCommandsListed)), "<no key>");
    EXPECT_EQ(ValueOf(text, "command " + std::to_string(kCommandsListed + 1)), "<no key>");
}

TEST(CardStateTextTest, EveryLineAfterTheHeadIsAKeyAndAValue) {
    LinkedSimCard sim;
    SetCardControl(sim.link(), 2, 2);
    const std::vector<std::string> lines = LinesOf(sim.Text(3));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "card 3");
    for (size_t i = 1; i < lines.size(); ++i) {
        const size_t colon = lines[i].find(": ");
        EXPECT_TRUE(colon != std::string::npos && colon > 0 && colon + 2 < lines[i].size()) << lines[i];
    }
    EXPECT_EQ(ValueOf(sim.Text(), "control words"), "0x0100 0x0000 0x0000 0x0000");
}

TEST(CardStateTextTest, AllCardsInColumnOrder) {
    SimDriverLink driver(0xA);  // driver indices 1 and 3
    SharedCardBlock* block = nullptr;
    ASSERT_TRUE(driver.QueryBlock(3, &block));
    CardLink link{block, driver.RegistersFor(block)};
    SetCardControl(&link, 2, 3);

    const std::string text = FormatAllCardStates(driver);
    const std::vector<std::string> lines = LinesOf(text);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "cards: 2");
    const size_t card0 = text.find("\ncard 0\n");
    const size_t card1 = text.find("\ncard 1\n");
    ASSERT_NE(card0, std::string::npos);
    ASSERT_NE(card1, std::string::npos);
    EXPECT_LT(card0, card1);
    EXPECT_EQ(ValueOf(text.substr(card0), "clock source"), "internal");
    EXPECT_EQ(ValueOf(text.substr(card1), "clock source"), "external unit");
}

}  // namespace
