// A test fixture that installs a fake driver and a fake settings key, and
// starts every test with no card found and every record zero, as at start.
#pragma once

#include <gtest/gtest.h>

#include "card/card_table.h"
#include "desk_test_hooks.h"
#include "fake_driver_link.h"
#include "fake_settings_key.h"
#include "settings/settings_store.h"

class FakeDeskTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSettingsKey(&key);
        SetDriverLink(&driver);
        ResetCardTableForTest();
        ResetSettingsRecordsForTest();
    }
    void TearDown() override {
        ResetCardTableForTest();
        SetSettingsKey(nullptr);
        SetDriverLink(nullptr);
    }
    FakeSettingsKey key;
    FakeDriverLink driver;
};
