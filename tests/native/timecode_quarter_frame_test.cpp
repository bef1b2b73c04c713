#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "panel/quarter_frame.h"

namespace {

struct Shown {
    QuarterFrameTime time;
    int completions;
};

Shown Feed(const std::vector<uint8_t>& bytes, QuarterFrameTime start = {}) {
    Shown shown{start, 0};
    for (uint8_t b : bytes) {
        if (ApplyQuarterFrame(shown.time, b)) {
            ++shown.completions;
        }
    }
    return shown;
}

TEST(QuarterFrameTest, ForwardSequenceAssemblesTheFullTime) {
    Shown shown = Feed({0x04, 0x11, 0x25, 0x32, 0x4C, 0x50, 0x61, 0x70});
    EXPECT_EQ(shown.completions, 1);
    EXPECT_EQ(shown.time.hours, 1);
    EXPECT_EQ(shown.time.minutes, 12);
    EXPECT_EQ(shown.time.seconds, 37);
    EXPECT_EQ(shown.time.frames, 20);
}

TEST(QuarterFrameTest, OnlyPieceSevenCompletesTheTime) {
    for (unsigned piece = 0; piece < 8; ++piece) {
        QuarterFrameTime time;
        EXPECT_EQ(ApplyQuarterFrame(time, static_cast<uint8_t>(piece << 4)), piece == 7) << "piece " << piece;
    }
}

TEST(QuarterFrameTest, HighPiecesKeepOnlyTheFieldsWidth) {
    struct Case {
        uint8_t low, high;
        uint8_t QuarterFrameTime::*field;
        uint8_t expected;
    };
    const Case cases[] = {
        {0x0F, 0x1F, &QuarterFrameTime::frames, 0x1F},   // only bit 0 of the high nibble
        {0x2F, 0x3F, &QuarterFrameTime::seconds, 0x3F},  // bits 0 and 1
        {0x4F, 0x5F, &QuarterFrameTime::minutes, 0x3F},
        {0x6F, 0x7F, &QuarterFrameTime::hours, 0x1F},  // rate bits ignored
        {0x0A, 0x10, &QuarterFrameTime::frames, 0x0A},
        {0x63, 0x71, &QuarterFrameTime::hours, 0x13},
    };
    for (const Case& c : cases) {
        QuarterFrameTime time;
        ApplyQuarterFrame(time, c.low);
        ApplyQuarterFrame(time, c.high);
        EXPECT_EQ(time.*c.field, c.expected) << std::hex << int(c.low) << " " << int(c.high);
    }
}

TEST(QuarterFrameTest, LowPieceReplacesTheWholeField) {
    // A new low nibble starts the field afresh, dropping the earlier high bits.
    Shown shown = Feed({0x03, 0x11, 0x05});
    EXPECT_EQ(shown.time.frames, 5);
}

TEST(QuarterFrameTest, FramesOf31AreHandedOnUnchanged) {
    Shown shown = Feed({0x0F, 0x11, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70});
    EXPECT_EQ(shown.time.frames, 31);
    EXPECT_EQ(shown.completions, 1);
}

TEST(QuarterFrameTest, StatusBytesLeaveTheTimeAlone) {
    QuarterFrameTime start;
    start.frames = 1;
    start.seconds = 2;
    start.minutes = 3;
    start.hours = 4;
    Shown shown = Feed({0x80, 0xF1, 0xF7, 0xFF}, start);
    EXPECT_EQ(shown.completions, 0);
    EXPECT_EQ(shown.time.frames, 1);
    EXPECT_EQ(shown.time.seconds, 2);
    EXPECT_EQ(shown.time.minutes, 3);
    EXPECT_EQ(shown.time.hours, 4);
}

}  // namespace
