// The settings store against the real registry (Wine's).
#include <gtest/gtest.h>

#include <cstring>

#include "app/registry_settings_key_win32.h"
#include "card/card_table.h"
#include "card/driver_link.h"
#include "desk_test_hooks.h"
#include "settings/settings_store.h"
#include "sim/sim_driver_link.h"
#include "support/registry_fixture.h"

namespace {

std::vector<BYTE> Bytes(const MixerSettings& record) {
    const BYTE* p = reinterpret_cast<const BYTE*>(&record);
    return std::vector<BYTE>(p, p + sizeof record);
}

class RegistrySettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        kDeskKey.Delete();
        SetSettingsKey(&key);
        ResetCardTableForTest();
        ResetSettingsRecordsForTest();
    }
    void TearDown() override {
        ResetCardTableForTest();
        SetDriverLink(nullptr);
        kDeskKey.Delete();
    }
    void Open(unsigned answering) {
        driver.reset(new SimDriverLink(answering));
        SetDriverLink(driver.get());
        OpenCards();
    }
    RegistrySettingsKey key{kDeskSettingsKey};
    std::unique_ptr<SimDriverLink> driver;
};

TEST_F(RegistrySettingsTest, FirstSaveCreatesTheKeyWithDefaultRecords) {
    Open(0x1);
    EXPECT_FALSE(kDeskKey.Exists());
    EXPECT_EQ(std::memcmp(&SettingsRecord(0), &kDefaultRecord, 68), 0);
    SaveAllSettings();
    std::vector<BYTE> stored;
    DWORD type = 0;
    ASSERT_TRUE(kDeskKey.Read("Mixer20", &stored, &type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(stored, Bytes(kDefaultRecord));
}

TEST_F(RegistrySettingsTest, ShortBinaryValueFillsOnlyItsLength) {
    std::vector<BYTE> stored(40);
    for (int slot = 0; slot < 10; ++slot) stored[slot * 4] = static_cast<BYTE>(slot + 1);
    kDeskKey.Write("Mixer20", REG_BINARY, stored);
    Open(0x1);
    const int32_t* slots = reinterpret_cast<const int32_t*>(&SettingsRecord(0));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(slots[i], i + 1);
    for (int i = 10; i < 17; ++i) EXPECT_EQ(slots[i], 0);
}

TEST_F(RegistrySettingsTest, LongOrDwordValuesGiveTheDefault) {
    kDeskKey.Write("Mixer20", REG_BINARY, std::vector<BYTE>(69, 0x11));
    kDeskKey.Write("Mixer21", REG_DWORD, {1, 0, 0, 0});
    Open(0x3);
    EXPECT_EQ(std::memcmp(&SettingsRecord(0), &kDefaultRecord, 68), 0);
    EXPECT_EQ(std::memcmp(&SettingsRecord(1), &kDefaultRecord, 68), 0);
}

TEST_F(RegistrySettingsTest, TwoCardsReadAndWriteOnlyTheirRecords) {
    const std::vector<BYTE> third(68, 0x22);
    kDeskKey.Write("Mixer22", REG_BINARY, third);
    Open(0x3);
    SettingsRecord(1).clockSource = 2;
    SaveAllSettings();
    std::vector<BYTE> stored;
    DWORD type = 0;
    ASSERT_TRUE(kDeskKey.Read("Mixer21", &stored, &type));
    EXPECT_EQ(stored, Bytes(SettingsRecord(1)));
    ASSERT_TRUE(kDeskKey.Read("Mixer22", &stored, &type));
    EXPECT_EQ(stored, third);
    EXPECT_FALSE(kDeskKey.Read("Mixer23", &stored, &type));
}

TEST_F(RegistrySettingsTest, OptionValuesRoundTripAsFourBinaryBytes) {
    const int32_t size = 0x4000;
    WriteSetting("MMEBufsize", &size, 4);
    std::vector<BYTE> stored;
    DWORD type = 0;
    ASSERT_TRUE(kDeskKey.Read("MMEBufsize", &stored, &type));
    EXPECT_EQ(stored, (std::vector<BYTE>{0x00, 0x40, 0x00, 0x00}));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
}

TEST_F(RegistrySettingsTest, AWriteTheRegistryRefusesIsReportedAsFailed) {
    const int32_t value = 1;
    EXPECT_TRUE(key.SetBinary("GSIF", &value, sizeof value));
    // The registry refuses to read four bytes from nowhere.
    EXPECT_FALSE(key.SetBinary("GSIF", nullptr, sizeof value));
}

}  // namespace
