#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "card/card_registers.h"
#include "card_fakes.h"
#include "sim_card_fixture.h"

namespace {

using Events = std::vector<std::string>;

constexpr uint32_t kIdle = 0x10505040;

TEST(WriteControlWordTest, ClearsMaskedBitsAndShiftsOutTheExactLineSequence) {
    RecordingRegisterSpace space;
    FakeCard card(&space);
    card.block.controlShadow[0] = 0x00000600;

    WriteControlWord(&card.link, 0, 0x0400, 0);

    EXPECT_EQ(card.block.controlShadow[0], 0x00000200u);
    // clang-format off
    const std::vector<uint32_t> expected = {
        0x10505040,
        // address 0000, select low
        0x10404040, 0x10405040, 0x10404040, 0x10405040, 0x10404040, 0x10405040, 0x10404040, 0x10405040,
        0x10505040,
        // data 0000 0010 0000 0000, select high
        0x10504040, 0x10505040, 0x10504040, 0x10505040, 0x10504040, 0x10505040, 0x10504040, 0x10505040,
        0x10504040, 0x10505040, 0x10504040, 0x10505040, 0x10504050, 0x10505050, 0x10504040, 0x10505040,
        0x10504040, 0x10505040, 0x10504040, 0x10505040, 0x10504040, 0x10505040, 0x10504040, 0x10505040,
        0x10504040, 0x10505040, 0x10504040, 0x10505040, 0x10504040, 0x10505040, 0x10504040, 0x10505040,
        // latch pulse, then idle
        0x10405040, 0x10505040,
    };
    // clang-format on
    ASSERT_EQ(expected.size(), 44u);
    EXPECT_EQ(space.WritesTo(kSerialLines), expected);
    EXPECT_EQ(space.accesses.size(), 44u) << "a control word is written, never read";
}

TEST(WriteControlWordTest, AddressBitsGoOutMostSignificantFirst) {
    RecordingRegisterSpace space;
    FakeCard card(&space);

    WriteControlWord(&card.link, 2, 0xFFFF, 0x8001);

    const std::vector<uint32_t> writes = space.WritesTo(kSerialLines);
    ASSERT_EQ(writes.size(), 44u);
    // address 0010: the third address bit (index 2) is the one that is set.
    const std::vector<uint32_t> address(writes.begin() + 1, writes.begin() + 9);
    EXPECT_EQ(address, (std::vector<uint32_t>{0x10404040, 0x10405040, 0x10404040, 0x10405040, 0x10404050, 0x10405050,
                                              0x10404040, 0x10405040}));
    EXPECT_EQ(writes[10], 0x10504050u) << "data bit 15 first";
    EXPECT_EQ(writes[41], 0x10505050u) << "data bit 0 last";
}

TEST(WriteControlWordTest, ShadowUpperHalfIsKeptAndNeverSent) {
    TracedSimCard sim;
    sim.block().controlShadow[1] = 0xABCD0000;
    sim.block().controlShadow[3] = 0x5A5A00F0;

    WriteControlWord(sim.link(), 1, 0xFFFF, 0x1234);
    // Upper halves of mask and bits are not part of the 16-bit word either.
    WriteControlWord(sim.link(), 3, 0xFFFF00F0, 0xFFFF0030);

    EXPECT_EQ(sim.block().controlShadow[1], 0xABCD1234u);
    EXPECT_EQ(sim.block().controlShadow[3], 0x5A5A0030u);
    const SimCardState state = sim.card.State();
    EXPECT_EQ(state.words[1], 0x1234);
    EXPECT_EQ(state.words[3], 0x0030);
    EXPECT_EQ(state.serialErrors, 0u);
    EXPECT_EQ(sim.Events(), (Events{"word 1 = 0x1234", "word 3 = 0x0030"}));
}

TEST(WriteControlWordTest, OnlyTheAddressedShadowChanges) {
    RecordingRegisterSpace space;
    FakeCard card(&space);
    card.block.controlShadow[0] = 0x11;
    card.block.controlShadow[2] = 0x22;
    card.block.controlShadow[3] = 0x33;
    card.block.running = 7;

    WriteControlWord(&card.link, 1, 0xFFFF, 0xBEEF);

    EXPECT_EQ(card.block.controlShadow[0], 0x11u);
    EXPECT_EQ(card.block.controlShadow[1], 0xBEEFu);
    EXPECT_EQ(card.block.controlShadow[2], 0x22u);
    EXPECT_EQ(card.block.controlShadow[3], 0x33u);
    EXPECT_EQ(card.block.running, 7);
}

// Writes that move a control word also store it before touching the card.
class ShadowCheckingSpace : public RecordingRegisterSpace {
public:
    SharedCardBlock* block = nullptr;
    std::vector<uint32_t> shadowAtFirstWrite;
    int32_t rateAtFirstWrite = -1;
    void Write(uint32_t offset, uint32_t value) override {
        if (accesses.empty()) {
            shadowAtFirstWrite.assign(block->controlShadow, block->controlShadow + 4);
            rateAtFirstWrite = block->sampleRate;
        }
        RecordingRegisterSpace::Write(offset, value);
    }
};

TEST(WriteControlWordTest, ShadowAndRateAreStoredBeforeTheCardIsTouched) {
    ShadowCheckingSpace space;
    FakeCard card(&space);
    space.block = &card.block;
    card.block.running = 1;

    SetSampleRate(&card.link, 48000);

    ASSERT_FALSE(space.accesses.empty());
    EXPECT_EQ(space.shadowAtFirstWrite[0], 0x0020u);
    EXPECT_EQ(space.rateAtFirstWrite, 48000);
}

TEST(RegisterAccessTest, OffsetsLoseTheirTwoLowBits) {
    RecordingRegisterSpace space;
    FakeCard card(&space);

    WriteCardRegister(&card.link, 0x0E3, 5);
    ReadCardRegister(&card.link, 0x101);

    EXPECT_EQ(space.accesses, (std::vector<RegisterAccess>{{true, 0x0E0, 5}, {false, 0x100, 0x2}}));
}

TEST(BridgeTest, PortWriteIsAddressDataStartThenPolls) {
    RecordingRegisterSpace space;
    FakeCard card(&space);

    WriteUnitPort(&card.link, 0x37A, 0x1234);

    EXPECT_EQ(space.accesses, (std::vector<RegisterAccess>{{true, kBridgeAddress, 0x0002037A},
                                                           {true, kBridgeData, 0x1234},
                                                           {true, kBridgeControl, 0x00020002},
                                                           {false, kBridgeControl, 0x2},
                                                           {false, kBridgeStatus, 0}}));
}

TEST(BridgeTest, PortReadReturnsBridgeDataAfterTheCycle) {
    RecordingRegisterSpace space;
    FakeCard card(&space);

    const uint32_t value = ReadUnitPort(&card.link, 0x379);

    EXPECT_EQ(value, 0x80u);
    EXPECT_EQ(space.accesses, (std::vector<RegisterAccess>{{true, kBridgeAddress, 0x00030379},
                                                           {true, kBridgeControl, 0x00020002},
                                                           {false, kBridgeControl, 0x2},
                                                           {false, kBridgeStatus, 0},
                                                           {false, kBridgeData, 0x80}}));
}

TEST(BridgeTest, StuckBridgeGivesUpAfterExactlyTheBoundedPolls) {
    RecordingRegisterSpace space;
    space.bridgeStuck = true;
    FakeCard card(&space);

    WriteUnitPort(&card.link, 0x378, 0x41);
    EXPECT_EQ(space.ReadsOf(kBridgeControl), 65536);
    EXPECT_EQ(space.ReadsOf(kBridgeStatus), 4096);
    EXPECT_EQ(space.Writes(), 3);

    space.accesses.clear();
    ReadUnitPort(&card.link, 0x379);
    EXPECT_EQ(space.ReadsOf(kBridgeControl), 65536);
    EXPECT_EQ(space.ReadsOf(kBridgeStatus), 4096);
    EXPECT_EQ(space.ReadsOf(kBridgeData), 1);
    EXPECT_EQ(space.accesses.back(), (RegisterAccess{false, kBridgeData, 0x80}));
}

TEST(BridgeTest, StuckSimulatedBridgeAlsoRunsOutBothBounds) {
    TracedSimCard sim;
    sim.card.SetBridgeStuck(true);

    WriteUnitPort(sim.link(), 0x378, 0x41);

    int controlReads = 0;
    int statusReads = 0;
    for (const std::string& line : sim.Lines()) {
        controlReads += line == "0 R 0x100 0x00000000";
        statusReads += line == "0 R 0x110 0x00080000";
    }
    EXPECT_EQ(controlReads, 65536);
    EXPECT_EQ(statusReads, 4096);
    EXPECT_EQ(sim.Lines().size(), 3u + 65536u + 4096u);
}

TEST(UnitByteTest, ReadyUnitCostsOneStatusCycleThenDataAndStrobe) {
    RecordingRegisterSpace space;
    FakeCard card(&space);

    SendUnitByte(&card.link, 0x1C2);  // taken to 8 bits

    EXPECT_EQ(space.WritesTo(kBridgeAddress),
              (std::vector<uint32_t>{0x00030379, 0x00020378, 0x0002037A, 0x0002037A, 0x0002037A}));
    EXPECT_EQ(space.WritesTo(kBridgeData), (std::vector<uint32_t>{0xC2, 0x16, 0x17, 0x16}));
    EXPECT_EQ(space.accesses.size(), 5u + 4u * 5u) << "one status read cycle and four write cycles";
}

TEST(UnitByteTest, AbsentUnitCostsTheFullReadyWaitAndTheByteStillGoesOut) {
    RecordingRegisterSpace space;
    space.unitReady = false;
    FakeCard card(&space);

    EXPECT_EQ(WaitUnitReady(&card.link), 1);
    EXPECT_EQ(space.ReadsOf(kBridgeData), 256);

    space.accesses.clear();
    SendUnitByte(&card.link, 0x42);
    const std::vector<uint32_t> addresses = space.WritesTo(kBridgeAddress);
    ASSERT_EQ(addresses.size(), 256u + 4u);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(addresses[i], 0x00030379u) << i;
    EXPECT_EQ(space.WritesTo(kBridgeData), (std::vector<uint32_t>{0x42, 0x16, 0x17, 0x16}));
}

TEST(UnitByteTest, WaitStopsAtTheFirstReadyStatus) {
    // Ready on the third status read.
    class LateReadySpace : public RecordingRegisterSpace {
    public:
        int dataReads = 0;
        uint32_t Read(uint32_t offset) override {
            uint32_t value = RecordingRegisterSpace::Read(offset);
            if (offset == kBridgeData) value = ++dataReads >= 3 ? 0x80 : 0x7F;
            return value;
        }
    } space;
    FakeCard card(&space);

    EXPECT_EQ(WaitUnitReady(&card.link), 0);
    EXPECT_EQ(space.dataReads, 3);
}

TEST(UnitByteTest, SimulatedUnitReceivesTheByteOnlyWhenPresent) {
    TracedSimCard sim;
    SendUnitByte(sim.link(), 0xC3);
    EXPECT_EQ(sim.card.State().unit.bytesReceived, 1u);
    EXPECT_EQ(WaitUnitReady(sim.link()), 0);

    sim.card.SetUnitPresent(false);
    sim.ClearTrace();
    EXPECT_EQ(WaitUnitReady(sim.link()), 1);
    SendUnitByte(sim.link(), 0xC4);
    const SimCardState state = sim.card.State();
    EXPECT_EQ(state.unit.bytesReceived, 1u);
    EXPECT_EQ(state.unit.lastRateByte, 0xC3);
    EXPECT_TRUE(sim.Events().empty());
}

// ---- Sample rate --------------------------------------------------------

TEST(SampleRateTest, SecondEqualRequestTouchesNothing) {
    RecordingRegisterSpace space;
    FakeCard card(&space);
    card.block.running = 1;

    SetSampleRate(&card.link, 48000);
    const size_t first = space.accesses.size();
    SetSampleRate(&card.link, 48000);

    EXPECT_EQ(first, 44u + 25u + 44u);
    EXPECT_EQ(space.accesses.size(), first);
}

TEST(SampleRateTest, NotRunningChangesNeitherCardNorRate) {
    RecordingRegisterSpace space;
    FakeCard card(&space);
    card.block.running = 0;
    card.block.sampleRate = 44100;

    SetSampleRate(&card.link, 32000);

    EXPECT_TRUE(space.accesses.empty());
    EXPECT_EQ(card.block.sampleRate, 44100);
    EXPECT_EQ(card.block.controlShadow[0], 0u);
}

struct RateCase {
    int32_t request;
    std::vector<std::string> events;  // from a word 0 of 0x1C70
};
void PrintTo(const RateCase& c, std::ostream* out) { *out << "request " << c.request; }

class SampleRateRowTest : public ::testing::TestWithParam<RateCase> {};

TEST_P(SampleRateRowTest, AppliesTheRowAndStoresTheRequest) {
    const RateCase& c = GetParam();
    TracedSimCard sim;
    sim.block().controlShadow[0] = 0x1C70;  // every rate and range bit set

    SetSampleRate(sim.link(), c.request);

    EXPECT_EQ(sim.block().sampleRate, c.request);
    EXPECT_EQ(sim.Events(), c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SampleRateRowTest,
    ::testing::Values(RateCase{16000, {"word 0 = 0x1400", "unit byte 0xc1", "unit rate 0xc1"}},
                      RateCase{22050, {"word 0 = 0x1410", "unit byte 0xc1", "unit rate 0xc1"}},
                      RateCase{24000, {"word 0 = 0x1420", "unit byte 0xc1", "unit rate 0xc1"}},
                      RateCase{32000, {"word 0 = 0x0400", "unit byte 0xc1", "unit rate 0xc1", "word 0 = 0x0400"}},
                      RateCase{44100, {"word 0 = 0x0410", "unit byte 0xc2", "unit rate 0xc2", "word 0 = 0x0010"}},
                      RateCase{48000, {"word 0 = 0x0420", "unit byte 0xc3", "unit rate 0xc3", "word 0 = 0x0820"}},
                      RateCase{64000, {"word 0 = 0x0c40", "unit byte 0xc4", "unit rate 0xc4"}},
                      RateCase{88200, {"word 0 = 0x0c50", "unit byte 0xc4", "unit rate 0xc4"}},
                      RateCase{96000, {"word 0 = 0x0c60", "unit byte 0xc4", "unit rate 0xc4"}},
                      // Between rows: the first row at or above the request.
                      RateCase{-5, {"word 0 = 0x1400", "unit byte 0xc1", "unit rate 0xc1"}},
                      RateCase{16001, {"word 0 = 0x1410", "unit byte 0xc1", "unit rate 0xc1"}},
                      RateCase{40000, {"word 0 = 0x0410", "unit byte 0xc2", "unit rate 0xc2", "word 0 = 0x0010"}},
                      RateCase{96001, {"word 0 = 0x0410", "unit byte 0xc2", "unit rate 0xc2", "word 0 = 0x0010"}},
                      RateCase{100000, {"word 0 = 0x0410", "unit byte 0xc2", "unit rate 0xc2", "word 0 = 0x0010"}}));

TEST(SampleRateTest, Rate32000WritesWordZeroTwiceAroundByte193) {
    RecordingRegisterSpace space;
    FakeCard card(&space);
    card.block.running = 1;
    card.block.controlShadow[0] = 0x0870;

    SetSampleRate(&card.link, 32000);

    // 44 line writes, the unit byte's bridge traffic, 44 line writes.
    ASSERT_EQ(space.accesses.size(), 44u + 25u + 44u);
    for (size_t i = 0; i < 44; ++i) EXPECT_EQ(space.accesses[i].offset, kSerialLines) << i;
    for (size_t i = 44; i < 69; ++i) EXPECT_NE(space.accesses[i].offset, kSerialLines) << i;
    for (size_t i = 69; i < 113; ++i) EXPECT_EQ(space.accesses[i].offset, kSerialLines) << i;
    EXPECT_EQ(space.WritesTo(kBridgeData), (std::vector<uint32_t>{0xC1, 0x16, 0x17, 0x16}));
    EXPECT_EQ(card.block.controlShadow[0], 0x0400u);
}

TEST(SampleRateTest, DecodedRateFollowsEveryRow) {
    TracedSimCard sim;
    for (int32_t rate : {16000, 22050, 24000, 32000, 44100, 48000, 64000, 88200, 96000}) {
        SetSampleRate(sim.link(), rate);
        EXPECT_EQ(sim.card.State().sampleRate, rate);
    }
}

}  // namespace
