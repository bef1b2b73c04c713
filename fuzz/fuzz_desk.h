// Shared by the libFuzzer targets: a check that stops the run (so libFuzzer
// keeps the input), a reader over the input bytes, and the desk without
// Windows: cards found through the simulated driver, the panel on fake
// controls, the settings key in memory and a clock that never makes a busy
// wait spin. Every input starts from the program's start state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "card/card_table.h"
#include "card/driver_link.h"
#include "card/unit_link.h"
#include "desk_test_hooks.h"
#include "fake_panel_controls.h"
#include "fake_settings_key.h"
#include "panel/card_panel.h"
#include "panel/panel_controls.h"
#include "panel/timecode.h"
#include "settings/settings_store.h"
#include "sim/sim_driver_link.h"

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace fuzz {

// Reads the input front to back; past the end every read gives 0.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return position_ >= size_; }
    size_t remaining() const { return empty() ? 0 : size_ - position_; }
    uint8_t Byte() { return empty() ? 0 : data_[position_++]; }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
    uint32_t Dword() { return static_cast<uint32_t>(Word()) | (static_cast<uint32_t>(Word()) << 16); }
    std::vector<uint8_t> Bytes(size_t count) {
        std::vector<uint8_t> bytes;
        while (count-- > 0 && !empty()) bytes.push_back(Byte());
        return bytes;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

class LeapingClock : public MillisecondClock {
public:
    uint32_t Now() override { return now_ += 32; }

private:
    uint32_t now_ = 0;
};

// The program with the cards of `answering` (bit i: driver index i). The
// records, panels and timecode start as at program start; Open() finds the
// cards, restores the records from `key` and gives every column its fake
// controls (not yet restored).
class Desk {
public:
    explicit Desk(unsigned answering) : driver(answering) {
        ResetCardTableForTest();
        ResetSettingsRecordsForTest();
        ResetCardPanelsForTest();
        ResetTimecodeForTest();
        SetDriverLink(&driver);
        SetSettingsKey(&key);
        SetPanelControls(&controls);
        SetMillisecondClock(&clock);
    }
    ~Desk() {
        ResetCardTableForTest();
        ResetCardPanelsForTest();
        ResetTimecodeForTest();
        ResetSettingsRecordsForTest();
        SetDriverLink(nullptr);
        SetSettingsKey(nullptr);
        SetPanelControls(nullptr);
        SetMillisecondClock(nullptr);
    }
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    int32_t Open() {
        const int32_t count = OpenCards();
        for (int32_t c = 0; c < count; ++c) panel_test::InstallFakePanel(c);
        return count;
    }

    SimDriverLink driver;
    FakeSettingsKey key;
    panel_test::FakePanelControls controls;
    LeapingClock clock;
};

inline int32_t LowestRoutedRow(const int32_t (&rows)[4]) {
    for (int32_t r = 0; r < 4; ++r)
        if (rows[r] == 1) return r;
    return -1;
}

inline bool OneOrNoneRouted(const int32_t (&rows)[4]) {
    int routed = 0;
    for (int32_t row : rows) {
        if (row != 0 && row != 1) return false;
        routed += row;
    }
    return routed <= 1;
}

// Every slot holds a value that one of its handlers can write.
inline bool RecordInDomain(const MixerSettings& r) {
    return (r.inputCoaxial == 0 || r.inputCoaxial == 1) && (r.inputOptical == 0 || r.inputOptical == 1) &&
           (r.fsMode == 0 || r.fsMode == 1) && r.clockSource >= 0 && r.clockSource <= 3 && r.showTimecode == 0 &&
           (r.routingOff == 0 || r.routingOff == 1) && OneOrNoneRouted(r.routeA) && OneOrNoneRouted(r.routeB) &&
           (r.autoRate == 0 || r.autoRate == 1) && r.manualRate >= 0 && r.manualRate <= 2 && r.frameRate >= 0 &&
           r.frameRate <= 4;
}

inline uint16_t IdOf(ControlHandle handle) { return panel_test::IdOf(handle); }

// Every control call so far went to a control of column `column`, from call
// `firstCheck` / `firstPosition` on.
inline bool OnlyColumnTouched(const panel_test::FakePanelControls& controls, int32_t column, size_t firstCheck,
                              size_t firstPosition) {
    for (size_t i = firstCheck; i < controls.setChecks.size(); ++i)
        if (ControlIdColumn(IdOf(controls.setChecks[i].first)) != column) return false;
    for (size_t i = firstPosition; i < controls.setPositions.size(); ++i)
        if (ControlIdColumn(IdOf(controls.setPositions[i].first)) != column) return false;
    return true;
}

constexpr int32_t kManualRates[] = {32000, 44100, 48000};

}  // namespace fuzz
