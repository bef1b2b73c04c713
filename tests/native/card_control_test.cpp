#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "card/card_registers.h"
#include "card_fakes.h"
#include "sim_card_fixture.h"

namespace {

using Events = std::vector<std::string>;

TEST(CardControlTest, RoutingNibblesEncodeRowsAndNone) {
    struct Case {
        uint32_t value;
        uint32_t bits;
    };
    for (const Case& c :
         {Case{0xFF, 0x00}, Case{0xF2, 0x06}, Case{0x1F, 0x50}, Case{0x10, 0x54}, Case{0x3F, 0x70}, Case{0xF1, 0x05}}) {
        TracedSimCard sim;
        sim.block().controlShadow[2] = 0xFFFFFFFF;

        SetCardControl(sim.link(), 3, c.value);

        // Mask 0x77: bits 3 and 7 and the upper half stay set.
        EXPECT_EQ(sim.block().controlShadow[2], 0xFFFFFF88u | c.bits) << std::hex << c.value;
        EXPECT_EQ(sim.card.State().words[2], 0xFF88 | c.bits) << std::hex << c.value;
    }
}

TEST(CardControlTest, TypesAndValuesOutsideTheTableDoNothing) {
    struct Case {
        uint16_t type;
        uint32_t value;
    };
    for (const Case& c :
         {Case{4, 0}, Case{5, 0}, Case{5, 1}, Case{5, 0xFFFFFFFF}, Case{6, 2}, Case{16, 0}, Case{0x8000, 1},
          Case{0xFFFF, 0}, Case{0, 3}, Case{0, 0xFFFF}, Case{1, 2}, Case{2, 4}, Case{7, 6}, Case{7, 0xFFFF}}) {
        RecordingRegisterSpace space;
        FakeCard card(&space);
        card.block.running = 1;

        SetCardControl(&card.link, c.type, c.value);

        EXPECT_TRUE(space.accesses.empty()) << "type " << c.type << " value " << c.value;
        EXPECT_EQ(card.block.sampleRate, 0);
        for (uint32_t slot : card.block.controlShadow) EXPECT_EQ(slot, 0u);
    }
}

TEST(CardControlTest, OnlyTheLowHalfOfTheValueSelectsWhereTheTableSaysSo) {
    TracedSimCard sim;
    SetCardControl(sim.link(), 0, 0x00010001);  // v = 1: coaxial
    SetCardControl(sim.link(), 8, 0x00020001);  // v = 1: byte 0xCB
    EXPECT_EQ(sim.Events(), (Events{"word 0 = 0x0600", "unit byte 0xcb", "unit word-clock termination on"}));
}

TEST(CardControlTest, WholeValueFeedsTheUnitByteOfTypesTenAndEleven) {
    RecordingRegisterSpace space;
    FakeCard card(&space);

    SetCardControl(&card.link, 10, 0x100);  // 0xB1 + 0x100, taken to 8 bits
    SetCardControl(&card.link, 11, 0x2);

    const std::vector<uint32_t> data = space.WritesTo(kBridgeData);
    ASSERT_EQ(data.size(), 8u);
    EXPECT_EQ(data[0], 0xB1u);
    EXPECT_EQ(data[4], 0xB8u);
    EXPECT_EQ(card.block.controlShadow[3], 0x20u);
}

TEST(CardControlTest, TypeFifteenRepeatsTheValueInBothNibbles) {
    for (uint32_t v = 0; v < 4; ++v) {
        RecordingRegisterSpace space;
        FakeCard card(&space);
        card.block.controlShadow[1] = 0xFFFF;
        SetCardControl(&card.link, 15, v);
        EXPECT_EQ(card.block.controlShadow[1], (0xFFFFu & ~0x3030u) | (v * 0x1010u)) << v;
    }
}

// Every control the dispatcher knows, applied one after another to one
// simulated card; after each, the card's decoded state shows it.
struct ControlCase {
    uint16_t type;
    uint32_t value;
    std::function<void(const SimCardState&)> check;
};

std::vector<ControlCase> AllControls() {
    std::vector<ControlCase> cases;
    auto add = [&](uint16_t type, uint32_t value, std::function<void(const SimCardState&)> check) {
        cases.push_back({type, value, std::move(check)});
    };
    add(0, 1, [](const SimCardState& s) {
        EXPECT_TRUE(s.digitalInputCoaxial);
        EXPECT_EQ(s.words[0] & 0x0600, 0x0600);
    });
    add(0, 2, [](const SimCardState& s) {
        EXPECT_FALSE(s.digitalInputCoaxial);
        EXPECT_EQ(s.words[0] & 0x0600, 0x0400);
    });
    add(0, 0, [](const SimCardState& s) {
        EXPECT_FALSE(s.digitalInputCoaxial);
        EXPECT_EQ(s.words[0] & 0x0400, 0);
    });
    add(1, 1, [](const SimCardState& s) { EXPECT_EQ(s.fsMode, 1); });
    add(1, 0, [](const SimCardState& s) { EXPECT_EQ(s.fsMode, 0); });
    for (uint32_t v = 0; v < 4; ++v) {
        add(2, v, [v](const SimCardState& s) { EXPECT_EQ(s.clockSource, static_cast<int32_t>(v)); });
    }
    for (uint32_t b : {0u, 1u, 2u, 3u, 0xFu}) {
        for (uint32_t a : {0u, 1u, 2u, 3u, 0xFu}) {
            add(3, (b << 4) | a, [a, b](const SimCardState& s) {
                EXPECT_EQ(s.routeA, a == 0xF ? -1 : static_cast<int32_t>(a));
                EXPECT_EQ(s.routeB, b == 0xF ? -1 : static_cast<int32_t>(b));
                EXPECT_EQ(s.routingOff, a == 0xF && b == 0xF);
            });
        }
    }
    const int32_t rates[] = {32000, 44100, 48000, 64000, 88200, 96000};
    const int32_t rateBytes[] = {0xC1, 0xC2, 0xC3, 0xC4, 0xC4, 0xC4};
    for (uint32_t v = 0; v < 6; ++v) {
        add(7, v, [=](const SimCardState& s) {
            EXPECT_EQ(s.sampleRate, rates[v]);
            EXPECT_EQ(s.unit.lastRateByte, rateBytes[v]);
        });
    }
    add(8, 1, [](const SimCardState& s) { EXPECT_EQ(s.unit.wordClockTermination, 1); });
    add(8, 0, [](const SimCardState& s) { EXPECT_EQ(s.unit.wordClockTermination, 0); });
    add(8, 1, [](const SimCardState&) {});
    add(8, 2, [](const SimCardState& s) { EXPECT_EQ(s.unit.wordClockTermination, 0); });
    add(9, 5, [](const SimCardState& s) { EXPECT_EQ(s.unit.midiThru, 1); });
    add(9, 0, [](const SimCardState& s) { EXPECT_EQ(s.unit.midiThru, 0); });
    for (uint32_t v : {2u, 0u, 1u}) {
        add(10, v, [v](const SimCardState& s) {
            EXPECT_EQ(s.unit.inputSourceA, static_cast<int32_t>(v));
            EXPECT_EQ(s.unitFeedA, v == 2);
        });
    }
    for (uint32_t v : {2u, 0u, 1u}) {
        add(11, v, [v](const SimCardState& s) {
            EXPECT_EQ(s.unit.inputSourceB, static_cast<int32_t>(v));
            EXPECT_EQ(s.unitFeedB, v == 2);
        });
    }
    add(12, 1, [](const SimCardState& s) { EXPECT_EQ(s.unit.highLevelA, 1); });
    add(12, 0, [](const SimCardState& s) { EXPECT_EQ(s.unit.highLevelA, 0); });
    add(12, 1, [](const SimCardState&) {});
    add(12, 7, [](const SimCardState& s) { EXPECT_EQ(s.unit.highLevelA, 0); });
    add(13, 1, [](const SimCardState& s) { EXPECT_EQ(s.unit.highLevelB, 1); });
    add(13, 3, [](const SimCardState& s) { EXPECT_EQ(s.unit.highLevelB, 0); });
    add(14, 9, [](const SimCardState& s) { EXPECT_EQ(s.unit.outputMute, 1); });
    add(14, 0, [](const SimCardState& s) { EXPECT_EQ(s.unit.outputMute, 0); });
    for (uint32_t v : {3u, 1u, 2u, 0u}) {
        add(15, v, [v](const SimCardState& s) {
            EXPECT_EQ(s.wordClockOutput[0], static_cast<int32_t>(v));
            EXPECT_EQ(s.wordClockOutput[1], static_cast<int32_t>(v));
        });
    }
    return cases;
}

TEST(CardControlTest, SimulatedCardDecodesEveryControl) {
    TracedSimCard sim;
    for (const ControlCase& c : AllControls()) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " value " << c.value);
        SetCardControl(sim.link(), c.type, c.value);
        const SimCardState state = sim.card.State();
        c.check(state);
        // What the card latched is what the desk believes it sent.
        for (int w = 0; w < 4; ++w) EXPECT_EQ(state.words[w], sim.block().controlShadow[w] & 0xFFFF) << w;
    }
    EXPECT_EQ(sim.card.State().serialErrors, 0u);
}

TEST(CardControlTest, UnitOnlyControlsLeaveTheControlWordsAlone) {
    for (uint16_t type : {8, 9, 12, 13, 14}) {
        RecordingRegisterSpace space;
        FakeCard card(&space);
        SetCardControl(&card.link, type, 1);
        EXPECT_TRUE(space.WritesTo(kSerialLines).empty()) << type;
        EXPECT_EQ(space.WritesTo(kBridgeData).size(), 4u) << type;
    }
}

TEST(CardControlTest, ByteComesBeforeTheWordForTypesTenAndEleven) {
    TracedSimCard sim;
    SetCardControl(sim.link(), 10, 2);
    SetCardControl(sim.link(), 11, 2);
    EXPECT_EQ(sim.Events(), (Events{"unit byte 0xb3", "unit input A source 2", "word 3 = 0x0010", "unit byte 0xb8",
                                    "unit input B source 2", "word 3 = 0x0030"}));
}

}  // namespace
