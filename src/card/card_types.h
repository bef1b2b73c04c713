// The card table, the per-card link and the block the card's driver shares
// with the desk. Portable: no windows.h here.
#pragma once

#include <cstddef>
#include <cstdint>

class RegisterSpace;

// The block the driver keeps for each card. Only the fields named here are
// ours to touch; every other byte belongs to the driver. The layout is the
// driver's (32-bit, little-endian, naturally aligned), so it is pinned down
// by the static_asserts below.
struct SharedCardBlock {
    uint8_t driverPrivate0[0x114];
    uint32_t registers;  // 0x114: address of the register window (driver)
    uint8_t driverPrivate1[0x13C - 0x118];
    uint32_t controlShadow[4];  // 0x13C: last value sent to control words 0..3
    uint8_t driverPrivate3[0x15C - 0x14C];
    int32_t running;        // 0x15C: non-zero lets the sample rate change
    uint32_t notifyWindow;  // 0x160: window the driver posts to
    int32_t sampleRate;     // 0x164: last applied rate in Hz
    uint8_t driverPrivate2[0x170 - 0x168];
    int32_t unitLockCount;  // 0x170: nesting of the external unit's lock
};

static_assert(offsetof(SharedCardBlock, registers) == 0x114, "registers offset");
static_assert(offsetof(SharedCardBlock, controlShadow) == 0x13C, "controlShadow offset");
static_assert(offsetof(SharedCardBlock, running) == 0x15C, "running offset");
static_assert(offsetof(SharedCardBlock, notifyWindow) == 0x160, "notifyWindow offset");
static_assert(offsetof(SharedCardBlock, sampleRate) == 0x164, "sampleRate offset");
static_assert(offsetof(SharedCardBlock, unitLockCount) == 0x170, "unitLockCount offset");
static_assert(sizeof(SharedCardBlock) == 0x174, "block covers the fields we use");

// The handle every card operation takes first. `block` never changes once the
// link exists; `registers` is how the register protocol reaches the card (the
// real window behind block->registers, or a simulated card).
struct CardLink {
    SharedCardBlock* block;
    RegisterSpace* registers;
};

struct CardSlot {
    int32_t driverIndex;
    CardLink* link;
};

constexpr int kMaxCards = 4;
