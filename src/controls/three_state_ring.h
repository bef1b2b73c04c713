// The ring of the three-state button, 0 -> 1 -> 2 -> 0, kept free of the
// window system.
#pragma once

#include <cstdint>

constexpr int32_t kThreeStateCount = 3;

// A state brought into the ring by the remainder that is never negative:
// 3 is 0, 4 is 1, -1 is 2. Every value 0 to 2 stays as it is, and the state
// after a press from any value, (value + 1) taken into the ring, is the one
// (value + 1) % 3 gives wherever that lies in the ring.
int32_t FoldThreeState(int64_t value);

// The state after one press: the next one in the ring.
int32_t NextThreeState(int32_t state);
