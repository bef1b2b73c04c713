// The three-state button's ring: presses step 0 -> 1 -> 2 -> 0, and a state
// set from outside the ring is folded into it.
#include "controls/three_state_ring.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct RingCase {
    int64_t stored;  // what BM_SETCHECK asked for
    int32_t folded;  // the state kept
    int32_t next;    // the state after one press
};

class ThreeStateRingTest : public ::testing::TestWithParam<RingCase> {};

TEST_P(ThreeStateRingTest, FoldsIntoTheRingAndStepsForward) {
    const RingCase& c = GetParam();
    EXPECT_EQ(c.folded, FoldThreeState(c.stored));
    EXPECT_EQ(c.next, NextThreeState(FoldThreeState(c.stored)));
    EXPECT_EQ(c.next, NextThreeState(static_cast<int32_t>(c.stored))) << "a press from the raw value";
}

// Below 0 the remainder is taken upward (-1 is 2), so a press gives what
// (state + 1) % 3 gives wherever that lies in the ring, and never leaves it.
INSTANTIATE_TEST_SUITE_P(States, ThreeStateRingTest,
                         ::testing::Values(RingCase{0, 0, 1}, RingCase{1, 1, 2}, RingCase{2, 2, 0}, RingCase{3, 0, 1},
                                           RingCase{5, 2, 0}, RingCase{-1, 2, 0}, RingCase{-2, 1, 2},
                                           RingCase{-3, 0, 1}, RingCase{INT_MAX, 1, 2},  // 3 * 715827882 + 1
                                           RingCase{INT_MIN, 1, 2}));                    // 3 * -715827883 + 1

}  // namespace
