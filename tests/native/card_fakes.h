// Test stand-ins for the card: a register space that records every access,
// one that only counts, a millisecond clock that advances as it is read, and
// a card (block + link) over any register space.
#pragma once

#include <cstdint>
#include <vector>

#include "card/card_registers.h"
#include "card/card_types.h"
#include "card/register_space.h"
#include "card/unit_link.h"

struct RegisterAccess {
    bool write;
    uint32_t offset;
    uint32_t value;
    bool operator==(const RegisterAccess& o) const {
        return write == o.write && offset == o.offset && value == o.value;
    }
};

// Records every access in order. Reads answer as a card whose bridge
// completes at once and whose unit is ready, unless told otherwise.
class RecordingRegisterSpace : public RegisterSpace {
public:
    bool bridgeStuck = false;  // BridgeControl never done, BridgeStatus always busy
    bool unitReady = true;     // BridgeData carries the unit's ready bit 0x80
    std::vector<RegisterAccess> accesses;

    uint32_t Read(uint32_t offset) override {
        uint32_t value = 0;
        if (offset == kBridgeControl) value = bridgeStuck ? 0 : 0x2;
        if (offset == kBridgeStatus) value = bridgeStuck ? 0x00080000 : 0;
        if (offset == kBridgeData) value = unitReady ? 0x80 : 0;
        accesses.push_back({false, offset, value});
        return value;
    }
    void Write(uint32_t offset, uint32_t value) override { accesses.push_back({true, offset, value}); }

    std::vector<uint32_t> WritesTo(uint32_t offset) const {
        std::vector<uint32_t> values;
        for (const RegisterAccess& a : accesses) {
            if (a.write && a.offset == offset) values.push_back(a.value);
        }
        return values;
    }
    int ReadsOf(uint32_t offset) const {
        int n = 0;
        for (const RegisterAccess& a : accesses) n += (!a.write && a.offset == offset) ? 1 : 0;
        return n;
    }
    int Writes() const {
        int n = 0;
        for (const RegisterAccess& a : accesses) n += a.write ? 1 : 0;
        return n;
    }
    int Reads() const { return static_cast<int>(accesses.size()) - Writes(); }
};

// Counts accesses and answers like a card whose bridge completes at once;
// cheap enough for benchmarks.
class CountingRegisterSpace : public RegisterSpace {
public:
    bool unitReady = true;
    uint64_t reads = 0;
    uint64_t writes = 0;
    uint32_t Read(uint32_t offset) override {
        ++reads;
        if (offset == kBridgeControl) return 0x2;
        if (offset == kBridgeData) return unitReady ? 0x80 : 0;
        return 0;
    }
    void Write(uint32_t, uint32_t) override { ++writes; }
    uint64_t Total() const { return reads + writes; }
};

// Advances by `step` milliseconds on every read, so busy waits end at once.
class SteppingClock : public MillisecondClock {
public:
    explicit SteppingClock(uint32_t start = 0, uint32_t step = 1) : now(start), step(step) {}
    uint32_t now;
    uint32_t step;
    int readCount = 0;
    uint32_t Now() override {
        ++readCount;
        const uint32_t value = now;
        now += step;
        return value;
    }
};

// Installs a clock for the life of a test and puts the default back after.
class ScopedMillisecondClock {
public:
    explicit ScopedMillisecondClock(MillisecondClock* clock) { SetMillisecondClock(clock); }
    ~ScopedMillisecondClock() { SetMillisecondClock(nullptr); }
};

// A zeroed driver block with its link over `space`. Note that `running` starts
// at 0, which keeps sample-rate changes from reaching the card.
struct FakeCard {
    explicit FakeCard(RegisterSpace* space) : block(), link{&block, space} {}
    FakeCard(const FakeCard&) = delete;
    FakeCard& operator=(const FakeCard&) = delete;
    SharedCardBlock block;
    CardLink link;
};
