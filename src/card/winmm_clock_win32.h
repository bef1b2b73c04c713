// The multimedia timer as the millisecond clock of the unit's busy waits.
#pragma once

#include <cstdint>

#include "card/unit_link.h"

class WinmmClock : public MillisecondClock {
public:
    uint32_t Now() override;  // timeGetTime
};
