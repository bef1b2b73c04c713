#include "controls/bitmap_list_index.h"

#include "controls/control_values.h"

int32_t ClampListIndex(int64_t index, int32_t count) { return count < 1 ? 0 : ClampValue(index, 0, count - 1); }

int32_t NextListIndex(int32_t index, int32_t count) { return ClampListIndex(static_cast<int64_t>(index) + 1, count); }

int32_t PreviousListIndex(int32_t index, int32_t count) {
    return ClampListIndex(static_cast<int64_t>(index) - 1, count);
}

int32_t WheelListIndex(int32_t index, int32_t count, uint16_t wheelWord) {
    // A notch away from the user goes back a picture.
    return ClampListIndex(static_cast<int64_t>(index) - WheelNotch(wheelWord), count);
}
