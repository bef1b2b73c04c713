#include "card/unit_link.h"

#include <chrono>

#include "card/card_registers.h"

namespace {

// Until a clock is installed, the waits run on the standard steady clock.
class SteadyMillisecondClock : public MillisecondClock {
public:
    uint32_t Now() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
};
SteadyMillisecondClock g_steadyClock;
MillisecondClock* g_clock = &g_steadyClock;

constexpr uint8_t kLockByte = 0xF8;
constexpr uint8_t kUnlockPair[] = {0xFF, 0xF5};
constexpr int kSequenceRepeats = 5;
constexpr uint32_t kSettleMs = 32;

constexpr uint8_t kOpenStartTime = 0xE8;
constexpr uint8_t kCloseStartTime = 0xEE;
constexpr uint8_t kStopGenerator = 0xEF;

// Mode bytes of frame-rate modes 0..4 (24, 25, 29.97, 30 drop, 30).
constexpr uint8_t kModeBytes[] = {0xE3, 0xE2, 0xE4, 0xE1, 0xE0};

}  // namespace

void SetMillisecondClock(MillisecondClock* clock) { g_clock = clock != nullptr ? clock : &g_steadyClock; }

void BusyWait(uint32_t milliseconds) {
    const uint32_t start = g_clock->Now();
    // Unsigned difference: a timer wrap during the wait does not extend it.
    while (g_clock->Now() - start < milliseconds) {
    }
}

void LockUnit(CardLink* link, int32_t lock) {
    int32_t& count = link->block->unitLockCount;
    if (lock == 1) {
        ++count;
        if (count != 1) return;
        for (int i = 0; i < kSequenceRepeats; ++i) SendUnitByte(link, kLockByte);
    } else {
        --count;
        if (count < 0) count = 0;
        if (count != 0) return;
        for (int i = 0; i < kSequenceRepeats; ++i)
            for (uint8_t byte : kUnlockPair) SendUnitByte(link, byte);
    }
    BusyWait(kSettleMs);
}

void StartTimecode(CardLink* link, int32_t mode, int32_t hours, int32_t minutes, int32_t seconds, int32_t frames) {
    LockUnit(link, 1);
    const int32_t startTime[] = {frames, seconds, minutes, hours};  // least significant first
    SendUnitByte(link, kOpenStartTime);
    for (int32_t field : startTime) SendUnitByte(link, static_cast<uint32_t>(field));
    SendUnitByte(link, kCloseStartTime);
    SendUnitByte(link, FrameRateModeByte(mode));
}

void StopTimecode(CardLink* link) {
    SendUnitByte(link, kStopGenerator);
    LockUnit(link, 0);
}

uint8_t FrameRateModeByte(int32_t mode) {
    if (mode < 0 || mode > 4) mode = 0;
    return kModeBytes[mode];
}
