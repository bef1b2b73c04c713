// Incoming MIDI Time Code: quarter frames shown in the digit fields, the
// start toggle checked as a display, and the bytes that are dropped.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "fake_panel_fixture.h"
#include "panel/timecode.h"

namespace panel_test {
namespace {

class TimecodeDisplayTest : public PanelFixture {
protected:
    void Byte(uint8_t b, uint32_t column = 0) { EXPECT_EQ(OnTimecodeByte(0x1200u | b, column), 0); }
    std::vector<std::pair<ControlHandle, int32_t>> Shown(int32_t h, int32_t m, int32_t s, int32_t f, int32_t c = 0) {
        return {{Panel(c).frames, f}, {Panel(c).seconds, s}, {Panel(c).minutes, m}, {Panel(c).hours, h}};
    }
};

TEST_F(TimecodeDisplayTest, EightQuarterFramesShowTheTime) {
    const uint8_t data[] = {0x04, 0x11, 0x25, 0x32, 0x4C, 0x50, 0x61, 0x70};
    Mark();
    Byte(0xF1);
    EXPECT_FALSE(controls.Checked(Panel().start));
    for (size_t i = 0; i < 8; ++i) {
        if (i > 0) Byte(0xF1);
        Byte(data[i]);
        EXPECT_TRUE(controls.Checked(Panel().start)) << i;
        if (i < 7) {
            EXPECT_TRUE(controls.setPositions.empty()) << i;
        }
    }
    EXPECT_EQ(controls.setPositions, Shown(1, 12, 37, 20));
    // Checked once, as a display: nothing goes to the unit.
    EXPECT_EQ(
        std::count(controls.setChecks.begin(), controls.setChecks.end(), std::make_pair(Panel().start, int32_t{1})), 1);
    EXPECT_TRUE(Card().Events().empty());
    EXPECT_EQ(Block().unitLockCount, 0);
}

TEST_F(TimecodeDisplayTest, BytesBeforeTheFirstStatusByteAreDropped) {
    for (uint8_t b : {0x04, 0x70, 0x80, 0xF8}) Byte(b);
    EXPECT_TRUE(controls.setChecks.empty());
    EXPECT_TRUE(controls.setPositions.empty());

    // Once armed, a data byte counts without a status byte just before it.
    Byte(0xF1);
    for (uint8_t b : {0x03, 0x10, 0x22, 0x30, 0x41, 0x50, 0x60, 0x70}) Byte(b);
    EXPECT_EQ(controls.setPositions, Shown(0, 1, 2, 3));
}

TEST_F(TimecodeDisplayTest, StatusLikeBytesOnlyCheckTheStartToggle) {
    Byte(0xF1);
    Byte(0xF8);
    EXPECT_TRUE(controls.Checked(Panel().start));
    EXPECT_TRUE(controls.setPositions.empty());
    // The 0xF8 did not count as a piece: the next eight still make one time.
    for (uint8_t b : {0x0F, 0x11, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70}) Byte(b);
    EXPECT_EQ(controls.setPositions, Shown(0, 0, 0, 31));  // frames 31 go to the field as they are
}

TEST_F(TimecodeDisplayTest, ColumnsWithoutACardAreIgnored) {
    FindCards({0, 2});
    // Neither arms nor touches anything.
    for (uint32_t column : {2u, 3u, 4u, 0xFFFFu}) {
        Byte(0xF1, column);
        Byte(0x04, column);
    }
    Byte(0x04, 0);
    EXPECT_TRUE(controls.setChecks.empty());
    EXPECT_TRUE(controls.setPositions.empty());
}

TEST_F(TimecodeDisplayTest, EachColumnAssemblesItsOwnTime) {
    FindCards({1, 3});
    Byte(0xF1, 0);
    const uint8_t first[] = {0x05, 0x10, 0x26, 0x30, 0x47, 0x50, 0x68, 0x70};
    const uint8_t second[] = {0x09, 0x11, 0x2A, 0x33, 0x4B, 0x52, 0x6C, 0x71};
    for (size_t i = 0; i < 8; ++i) {
        Byte(first[i], 0);
        Byte(second[i], 1);
    }
    std::vector<std::pair<ControlHandle, int32_t>> expected = Shown(8, 7, 6, 5, 0);
    const auto secondShown = Shown(28, 43, 58, 25, 1);
    expected.insert(expected.end(), secondShown.begin(), secondShown.end());
    EXPECT_EQ(controls.setPositions, expected);
    EXPECT_TRUE(controls.Checked(Panel(0).start));
    EXPECT_TRUE(controls.Checked(Panel(1).start));
}

}  // namespace
}  // namespace panel_test
