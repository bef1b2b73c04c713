// The desk on a registry key that fails: one that can be neither opened nor
// created, and one that can be read but refuses every write. The desk goes
// on with defaults or what it could read, the cards get the settings the
// panel shows, every save is lost silently, and nothing stored is ever
// overwritten with anything but the records as the clicks left them.
// (Wine's registry ignores a key's access list for RegOpenKeyA and
// RegCreateKeyA, so the refusing key exists only here; the Windows faults
// test makes the key impossible to create under Wine another way.)
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "desk_test_hooks.h"
#include "fake_panel_fixture.h"
#include "fake_settings_key.h"
#include "panel/panel_logic.h"

namespace panel_test {
namespace {

std::vector<uint8_t> Bytes(const MixerSettings& record) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&record);
    return std::vector<uint8_t>(p, p + sizeof record);
}

// Opens for reading, refuses every write.
class ReadOnlySettingsKey : public FakeSettingsKey {
public:
    int refusedWrites = 0;
    bool SetBinary(const char*, const void*, uint32_t) override {
        ++refusedWrites;
        return false;
    }
};

class FaultSettingsKeyTest : public PanelFixture {
protected:
    void UseKey(SettingsKey* key) { SetSettingsKey(key); }
    void TearDown() override {
        SetSettingsKey(nullptr);
        PanelFixture::TearDown();
    }
    // The same clicks in every case: 256 fs, word clock, routing set B on
    // row 2, 48000 Hz, and the generator started at 30 frames per second.
    void ClickThrough() {
        controls.LeftClick(Panel().fs256);
        controls.LeftClick(Panel().wordClock);
        controls.LeftClick(Panel().routeB[2]);
        controls.LeftClick(Panel().rate[2]);
        controls.LeftClick(Panel().frameRate[4]);
        controls.LeftClick(Panel().start);
    }
    void ExpectClickedSettings() {
        EXPECT_EQ(Record().fsMode, 1);
        EXPECT_EQ(Record().clockSource, 2);
        EXPECT_EQ(Record().routeB[2], 1);
        EXPECT_EQ(Record().manualRate, 2);
        EXPECT_EQ(Record().frameRate, 4);
        const SimCardState card = Card().State();
        EXPECT_EQ(card.fsMode, 1);
        EXPECT_EQ(card.clockSource, 2);
        EXPECT_EQ(card.routeB, 2);
        EXPECT_EQ(card.sampleRate, 48000);
        EXPECT_TRUE(card.unit.generatorRunning);
        EXPECT_EQ(card.unit.frameRateMode, 4);
    }
};

TEST_F(FaultSettingsKeyTest, KeyThatCanNeitherBeOpenedNorCreated) {
    FakeSettingsKey key;
    key.canCreate = false;
    UseKey(&key);
    LoadAllSettings();
    EXPECT_EQ(std::memcmp(&Record(), &kDefaultRecord, sizeof(MixerSettings)), 0);

    RestoreCardPanel(0);
    EXPECT_EQ(Card().State().routeA, 1) << "the default record reaches the card";
    ClickThrough();
    ExpectClickedSettings();
    for (int i = 0; i < 3; ++i) SaveAllSettings();
    WriteSetting("GSIF", "\1\0\0\0", 4);
    EXPECT_FALSE(key.keyExists);
    EXPECT_TRUE(key.values.empty());
    int32_t option = -1;
    const int32_t fallback = 0;
    EXPECT_EQ(ReadSetting("GSIF", &fallback, &option, 4), 4u);
    EXPECT_EQ(option, 0);

    // Once the key can be made again, the next save stores the records as
    // the clicks left them.
    key.canCreate = true;
    SaveAllSettings();
    ASSERT_EQ(key.values.count("Mixer20"), 1u);
    EXPECT_EQ(key.values.at("Mixer20").bytes, Bytes(Record()));
    EXPECT_EQ(key.values.at("Mixer20").type, kRegBinary);
}

TEST_F(FaultSettingsKeyTest, KeyThatCanBeReadButNotWritten) {
    ReadOnlySettingsKey key;
    MixerSettings stored = kDefaultRecord;
    stored.inputCoaxial = 1;
    stored.clockSource = 3;
    stored.autoRate = 1;
    key.Put("Mixer20", kRegBinary, Bytes(stored));
    key.Put("GSIF", kRegBinary, {1, 0, 0, 0});
    UseKey(&key);
    LoadAllSettings();
    EXPECT_EQ(Bytes(Record()), Bytes(stored));

    RestoreCardPanel(0);
    EXPECT_EQ(Card().State().clockSource, 3);
    EXPECT_TRUE(Card().State().digitalInputCoaxial);
    ClickThrough();
    ExpectClickedSettings();
    // Each click that changed the record tried to store it at once.
    const int refusedByClicks = key.refusedWrites;
    EXPECT_GT(refusedByClicks, 0);
    SaveAllSettings();
    SaveAllSettings();
    WriteSetting("GSIF", "\0\0\0\0", 4);
    EXPECT_EQ(key.refusedWrites - refusedByClicks, 3);
    EXPECT_EQ(key.values.at("Mixer20").bytes, Bytes(stored)) << "a refused save left its mark";
    int32_t option = 0;
    const int32_t fallback = 0;
    ReadSetting("GSIF", &fallback, &option, 4);
    EXPECT_EQ(option, 1);
}

TEST_F(FaultSettingsKeyTest, NoCardReadsAndWritesNothing) {
    FakeSettingsKey key;
    key.Put("Mixer20", kRegBinary, Bytes(kDefaultRecord));
    UseKey(&key);
    ResetCardTableForTest();
    driver.answering.clear();
    EXPECT_EQ(OpenCards(), 0);
    SaveAllSettings();
    EXPECT_EQ(key.queries, 0);
    EXPECT_EQ(key.writes, 0);
    EXPECT_EQ(key.values.at("Mixer20").bytes, Bytes(kDefaultRecord));
}

}  // namespace
}  // namespace panel_test
