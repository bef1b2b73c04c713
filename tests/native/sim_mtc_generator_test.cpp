#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "panel/quarter_frame.h"
#include "sim/mtc_generator.h"

namespace {

constexpr int32_t kLabelsPerSecond[] = {24, 25, 30, 30, 30};
constexpr bool kDropFrame[] = {false, false, false, true, false};
constexpr uint8_t kRateCode[] = {0, 1, 3, 2, 3};

// The next frame label, counted the plain way: one frame at a time, with
// the drop-frame rule applied to the label that results.
MtcTime NextLabel(MtcTime t, int32_t mode) {
    if (++t.frames == kLabelsPerSecond[mode]) {
        t.frames = 0;
        if (++t.seconds == 60) {
            t.seconds = 0;
            if (++t.minutes == 60) {
                t.minutes = 0;
                if (++t.hours == 24) t.hours = 0;
            }
        }
    }
    if (kDropFrame[mode] && t.frames == 0 && t.seconds == 0 && t.minutes % 10 != 0) t.frames = 2;
    return t;
}

MtcTime Shown(const QuarterFrameTime& q) { return {q.hours, q.minutes, q.seconds, q.frames}; }

struct RoundTripCase {
    int32_t mode;
    MtcTime start;
};
void PrintTo(const RoundTripCase& c, std::ostream* out) {
    *out << "mode " << c.mode << " from " << c.start.hours << ":" << c.start.minutes << ":" << c.start.seconds << ":"
         << c.start.frames;
}

class MtcRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

// What the generator sends, assembled the way the panel assembles it, shows
// the time counting up two frames per completed group from the start time.
TEST_P(MtcRoundTripTest, AssembledTimeCountsUpFromTheStart) {
    const RoundTripCase& c = GetParam();
    MtcGenerator generator(c.start, c.mode);
    QuarterFrameTime assembled;
    MtcTime expected = c.start;
    int completions = 0;
    std::vector<uint8_t> bytes;

    for (uint64_t ms = 0; ms <= 3000; ms += 7) {
        bytes.clear();
        generator.Produce(ms, bytes);
        ASSERT_EQ(bytes.size() % 2, 0u);
        for (size_t i = 0; i < bytes.size(); i += 2) {
            ASSERT_EQ(bytes[i], 0xF1);
            const uint8_t data = bytes[i + 1];
            ASSERT_LT(data, 0x80);
            const bool pieceSeven = ApplyQuarterFrame(assembled, data);
            ASSERT_EQ(pieceSeven, (data >> 4) == 7);
            if (!pieceSeven) continue;
            EXPECT_EQ((data >> 1) & 3, kRateCode[c.mode]) << "rate bits of piece 7";
            ASSERT_EQ(Shown(assembled), expected) << "group " << completions;
            expected = NextLabel(NextLabel(expected, c.mode), c.mode);
            ++completions;
        }
    }
    // Three seconds at the mode's rate: two frames per group.
    const int32_t frames = static_cast<int32_t>(FramesElapsed(3000, c.mode));
    EXPECT_GE(completions, frames / 2 - 1);
    EXPECT_LE(completions, frames / 2 + 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, MtcRoundTripTest,
                         ::testing::Values(RoundTripCase{0, {1, 2, 3, 4}}, RoundTripCase{1, {1, 2, 3, 4}},
                                           RoundTripCase{2, {1, 2, 3, 4}}, RoundTripCase{3, {1, 2, 3, 4}},
                                           RoundTripCase{4, {1, 2, 3, 4}},
                                           // Carries: into the minute, the hour, and past midnight.
                                           RoundTripCase{0, {0, 59, 58, 22}}, RoundTripCase{1, {23, 59, 58, 0}},
                                           RoundTripCase{4, {19, 59, 59, 1}}, RoundTripCase{2, {23, 59, 59, 0}},
                                           // Drop-frame across a dropped minute and a tenth minute.
                                           RoundTripCase{3, {0, 0, 58, 28}}, RoundTripCase{3, {0, 9, 58, 29}},
                                           RoundTripCase{3, {23, 59, 58, 0}}));

TEST(MtcGeneratorTest, QuarterFramesFollowTheRealFrameRate) {
    struct Case {
        int32_t mode;
        uint64_t dueInOneSecond;  // quarter frames at 0..1000 ms, both ends included
    };
    for (const Case& c : {Case{0, 97}, Case{1, 101}, Case{2, 120}, Case{3, 120}, Case{4, 121}}) {
        MtcGenerator generator({0, 0, 0, 0}, c.mode);
        std::vector<uint8_t> bytes;
        generator.Produce(0, bytes);
        EXPECT_EQ(bytes.size(), 2u) << "piece 0 goes out at the start";
        generator.Produce(1000, bytes);
        EXPECT_EQ(generator.QuarterFramesProduced(), c.dueInOneSecond) << c.mode;
        EXPECT_EQ(bytes.size(), 2 * c.dueInOneSecond);
        generator.Produce(1000, bytes);
        EXPECT_EQ(bytes.size(), 2 * c.dueInOneSecond) << "nothing is produced twice";
    }
}

TEST(MtcGeneratorTest, PiecesCarryTheNibblesOfEachField) {
    const MtcTime t{23, 59, 58, 29};
    const uint8_t expected[] = {0x0D, 0x11, 0x2A, 0x33, 0x4B, 0x53, 0x67, 0x71 | (3 << 1)};
    for (int piece = 0; piece < 8; ++piece) EXPECT_EQ(QuarterFrameDataByte(t, piece, 4), expected[piece]) << piece;
    EXPECT_EQ(QuarterFrameDataByte(t, 7, 0), 0x71);
    EXPECT_EQ(QuarterFrameDataByte(t, 7, 3), 0x75);
}

TEST(MtcGeneratorTest, TimeAtCountsWholeFramesOfRealTime) {
    MtcGenerator generator({0, 0, 59, 20}, 1);
    EXPECT_EQ(generator.TimeAt(0), (MtcTime{0, 0, 59, 20}));
    EXPECT_EQ(generator.TimeAt(39), (MtcTime{0, 0, 59, 20}));
    EXPECT_EQ(generator.TimeAt(40), (MtcTime{0, 0, 59, 21}));
    EXPECT_EQ(generator.TimeAt(200), (MtcTime{0, 1, 0, 0}));
    EXPECT_EQ(generator.TimeAt(3600ull * 1000 * 24), (MtcTime{0, 0, 59, 20})) << "a day later";
}

TEST(MtcGeneratorTest, DropFrameRunsAtNtscRateAndSkipsLabels) {
    EXPECT_EQ(AddFrames({0, 0, 59, 29}, 1, 3), (MtcTime{0, 1, 0, 2}));
    EXPECT_EQ(AddFrames({0, 9, 59, 29}, 1, 3), (MtcTime{0, 10, 0, 0}));
    EXPECT_EQ(AddFrames({0, 0, 0, 0}, 17982, 3), (MtcTime{0, 10, 0, 0}));
    EXPECT_EQ(AddFrames({0, 0, 0, 0}, 1800, 3), (MtcTime{0, 1, 0, 2}));
    // An hour of drop-frame labels is an hour of 29.97 frames, to the frame.
    EXPECT_EQ(AddFrames({0, 0, 0, 0}, FramesElapsed(3600ull * 1000, 3), 3), (MtcTime{1, 0, 0, 0}));
    // Mode 2 runs at the same rate without dropping: it falls behind.
    EXPECT_EQ(AddFrames({0, 0, 0, 0}, FramesElapsed(3600ull * 1000, 2), 2), (MtcTime{0, 59, 56, 12}));
}

TEST(MtcGeneratorTest, StartOutsideTheModesRangesIsCarriedIntoRange) {
    EXPECT_EQ(AddFrames({0, 0, 0, 30}, 0, 0), (MtcTime{0, 0, 1, 6}));
    EXPECT_EQ(AddFrames({0, 0, 59, 30}, 0, 4), (MtcTime{0, 1, 0, 0}));
    EXPECT_EQ(AddFrames({99, 0, 0, 0}, 0, 1), (MtcTime{3, 0, 0, 0}));
    EXPECT_EQ(AddFrames({0, 1, 0, 0}, 0, 3), (MtcTime{0, 1, 0, 2})) << "a dropped label moves on";
    EXPECT_EQ(AddFrames({0, 0, 0, 0}, -1, 1), (MtcTime{23, 59, 59, 24}));
}

TEST(MtcGeneratorTest, ModeOutsideTheTableCountsAsTwentyFour) {
    const MtcRate rate = MtcRateOfMode(9);
    EXPECT_EQ(rate.framesPerSecond, 24);
    EXPECT_EQ(rate.rateCode, 0);
    EXPECT_EQ(MtcRateOfMode(-1).framesPerSecond, 24);
}

}  // namespace
