// A program with `cards` cards found, their panels built with made-up
// handles over the fake controls, zeroed records and a clock that never
// makes a busy wait spin. Each test starts from the program's start state.
#pragma once

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "card/card_table.h"
#include "card/driver_link.h"
#include "card/unit_link.h"
#include "desk_test_hooks.h"
#include "fake_panel_card.h"
#include "fake_panel_controls.h"
#include "fake_settings_key.h"
#include "panel/card_panel.h"
#include "panel/panel_controls.h"
#include "panel/timecode.h"
#include "settings/settings_store.h"

namespace panel_test {

class StepClock : public MillisecondClock {
public:
    uint32_t now = 0;
    uint32_t Now() override { return now += 8; }
};

// The desk's program-wide tables as at process start.
inline void ResetDeskTablesForTest() {
    ResetCardTableForTest();
    ResetSettingsRecordsForTest();
    ResetCardPanelsForTest();
    ResetTimecodeForTest();
    ResetStandbyForTest();
}

// What the panel logic talks to besides the cards: the panel's controls, the
// main window, and a clock that never makes a busy wait spin. Install puts
// fresh ones in place; Uninstall puts the tables back as at start, with no
// fakes and no driver.
struct DeskFakes {
    FakePanelControls controls;
    FakeDeskWindow desk;
    StepClock clock;

    void Install() {
        controls = FakePanelControls{};
        desk = FakeDeskWindow{};
        SetPanelControls(&controls);
        SetDeskWindow(&desk);
        SetMillisecondClock(&clock);
    }
    static void Uninstall() {
        ResetDeskTablesForTest();
        SetDriverLink(nullptr);
        SetPanelControls(nullptr);
        SetDeskWindow(nullptr);
        SetMillisecondClock(nullptr);
    }
};

class PanelFixture : public ::testing::Test, protected DeskFakes {
protected:
    // Finds cards at the driver indices given (columns 0, 1, ... in order).
    void FindCards(std::initializer_list<int32_t> driverIndices) {
        ResetCardTableForTest();
        driver.Reset();
        driver.answering = driverIndices;
        SetDriverLink(&driver);
        ASSERT_EQ(DiscoverCards(), 0);
        ASSERT_EQ(CardCount(), static_cast<int32_t>(driverIndices.size()));
        for (int32_t c = 0; c < CardCount(); ++c) {
            InstallFakePanel(c);
        }
    }

    void SetUp() override {
        ResetDeskTablesForTest();
        Install();
        FindCards({0});
    }

    void TearDown() override { Uninstall(); }

    CardPanel& Panel(int32_t c = 0) { return *PanelAt(c); }
    MixerSettings& Record(int32_t c = 0) { return SettingsRecord(c); }
    SharedCardBlock& Block(int32_t c = 0) { return *CardAt(c)->block; }
    TracedSimCard& Card(int32_t c = 0) { return *driver.cards[DriverIndexAt(c)]; }

    // Starts a new observation of column c's card: forgets what it has seen
    // so far and remembers its block, the state later sends start from.
    void Mark(int32_t c = 0) {
        Card(c).ForgetEvents();
        marked[c] = Block(c);
    }
    // What the card must have seen since the mark for exactly `sent`.
    std::vector<CardEvent> Sent(const std::vector<Control>& sent, int32_t c = 0) {
        return EventsOfControls(marked[c], sent);
    }

    PanelTestDriver driver;
    SharedCardBlock marked[kMaxCards] = {};
};

// Two cards restored from the default record, over a settings key that keeps
// and counts what is written.
class StoredPanelsFixture : public PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        FindCards({0, 1});
        SetSettingsKey(&key);
        for (int32_t c = 0; c < 2; ++c) {
            Record(c) = kDefaultRecord;
            RestoreCardPanel(c);
        }
    }
    void TearDown() override {
        SetSettingsKey(nullptr);
        PanelFixture::TearDown();
    }

    FakeSettingsKey key;
};

}  // namespace panel_test
