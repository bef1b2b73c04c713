// The external unit's command layer: the nesting lock, timecode start and
// stop, and the short wait after a lock or unlock sequence.
#pragma once

#include <cstdint>

#include "card/card_types.h"

// The millisecond timer BusyWait spins on. Installed once; the Windows build
// installs timeGetTime, tests install a clock that advances as it is read.
class MillisecondClock {
public:
    virtual ~MillisecondClock() = default;
    virtual uint32_t Now() = 0;
};
void SetMillisecondClock(MillisecondClock* clock);

void BusyWait(uint32_t milliseconds);
void LockUnit(CardLink* link, int32_t lock);
void StartTimecode(CardLink* link, int32_t mode, int32_t hours, int32_t minutes, int32_t seconds, int32_t frames);
void StopTimecode(CardLink* link);
// The unit's mode byte for frame-rate mode 0..4; an out-of-range mode is
// taken as mode 0 so no byte outside the table is ever chosen.
uint8_t FrameRateModeByte(int32_t mode);
