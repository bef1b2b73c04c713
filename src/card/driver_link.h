// What the desk needs from the card's driver during discovery: open the
// device, ask for the shared block of one driver index, close. The real link
// talks to the VxD; the simulated one hands out blocks of simulated cards.
#pragma once

#include <cstdint>

#include "card/card_types.h"

class DriverLink {
public:
    virtual ~DriverLink() = default;
    virtual bool Open() = 0;
    // Returns false when the driver refuses the index.
    virtual bool QueryBlock(int32_t driverIndex, SharedCardBlock** block) = 0;
    virtual void Close() = 0;
    // The register space of a block this link handed out, living as long as
    // the program; null when it cannot be made.
    virtual RegisterSpace* RegistersFor(SharedCardBlock* block) = 0;
};

// Installed once at start, before discovery. The desk and the simulated desk
// differ only in which link they install.
void SetDriverLink(DriverLink* link);
