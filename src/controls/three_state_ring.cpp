#include "controls/three_state_ring.h"

int32_t FoldThreeState(int64_t value) {
    const int64_t remainder = value % kThreeStateCount;
    return static_cast<int32_t>(remainder < 0 ? remainder + kThreeStateCount : remainder);
}

int32_t NextThreeState(int32_t state) { return FoldThreeState(static_cast<int64_t>(state) + 1); }
