// The link to the card's kernel driver: the VxD, asked once per driver index
// for the block it shares with the desk.
#pragma once

#include <windows.h>

#include "card/driver_link.h"

class VxdDriverLink : public DriverLink {
public:
    bool Open() override;
    bool QueryBlock(int32_t driverIndex, SharedCardBlock** block) override;
    void Close() override;
    RegisterSpace* RegistersFor(SharedCardBlock* block) override;

private:
    HANDLE device_ = INVALID_HANDLE_VALUE;
};
