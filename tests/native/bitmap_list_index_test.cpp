// The bitmap list's index moves stop at both ends of the list; a set index
// is held inside it.
#include "controls/bitmap_list_index.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

enum class Move { kNext, kPrevious, kWheel, kSet };

struct MoveCase {
    Move move;
    int64_t from;  // the index, or for kSet the index asked for
    int32_t count;
    int16_t wheelDelta;  // only for kWheel
    int32_t expected;
};

class BitmapListIndexTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(BitmapListIndexTest, MovesAndStopsAtTheEnds) {
    const MoveCase& c = GetParam();
    const int32_t from = static_cast<int32_t>(c.from);
    switch (c.move) {
    case Move::kNext: EXPECT_EQ(c.expected, NextListIndex(from, c.count)); break;
    case Move::kPrevious: EXPECT_EQ(c.expected, PreviousListIndex(from, c.count)); break;
    case Move::kWheel: EXPECT_EQ(c.expected, WheelListIndex(from, c.count, static_cast<uint16_t>(c.wheelDelta))); break;
    case Move::kSet: EXPECT_EQ(c.expected, ClampListIndex(c.from, c.count)); break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Moves, BitmapListIndexTest,
    ::testing::Values(
        // A list of four at 2, and at its ends.
        MoveCase{Move::kNext, 2, 4, 0, 3}, MoveCase{Move::kNext, 3, 4, 0, 3}, MoveCase{Move::kPrevious, 2, 4, 0, 1},
        MoveCase{Move::kPrevious, 0, 4, 0, 0}, MoveCase{Move::kWheel, 2, 4, 120, 1},
        MoveCase{Move::kWheel, 2, 4, -120, 3}, MoveCase{Move::kWheel, 2, 4, 0, 3},  // no turn counts as toward the user
        MoveCase{Move::kWheel, 2, 4, 32767, 1},                                     // one step whatever the size
        MoveCase{Move::kWheel, 0, 4, 120, 0}, MoveCase{Move::kWheel, 3, 4, -120, 3}, MoveCase{Move::kNext, 0, 1, 0, 0},
        MoveCase{Move::kPrevious, 0, 1, 0, 0}, MoveCase{Move::kSet, 4, 4, 0, 3}, MoveCase{Move::kSet, -1, 4, 0, 0},
        MoveCase{Move::kSet, INT_MIN, 4, 0, 0},
        // No sum overflows at the ends of the int range.
        MoveCase{Move::kNext, INT_MAX, INT_MAX, 0, INT_MAX - 1}, MoveCase{Move::kPrevious, INT_MIN, 4, 0, 0},
        // A list without pictures has only index 0.
        MoveCase{Move::kNext, 0, 0, 0, 0}, MoveCase{Move::kSet, 5, -3, 0, 0}));

}  // namespace
