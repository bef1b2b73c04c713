#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "card/card_table.h"
#include "desk_test_hooks.h"
#include "fake_desk_fixture.h"
#include "settings/settings_store.h"

namespace {

std::vector<uint8_t> Bytes(const MixerSettings& record) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&record);
    return std::vector<uint8_t>(p, p + sizeof record);
}

MixerSettings Numbered() {
    MixerSettings record;
    int32_t* slots = reinterpret_cast<int32_t*>(&record);
    for (int i = 0; i < 17; ++i) slots[i] = 100 + i;
    return record;
}

class SettingsStoreTest : public FakeDeskTest {
protected:
    int32_t OpenWithCards(std::initializer_list<int32_t> indices) {
        driver.answering = indices;
        return OpenCards();
    }
};

TEST_F(SettingsStoreTest, DefaultRecordRoutesSetAToTheSecondPairOnly) {
    const int32_t* slots = reinterpret_cast<const int32_t*>(&kDefaultRecord);
    for (int i = 0; i < 17; ++i) EXPECT_EQ(slots[i], i == 7 ? 1 : 0) << "slot " << i;
}

TEST_F(SettingsStoreTest, MissingKeyGivesTheDefaultAndTheFirstSaveCreatesIt) {
    ASSERT_EQ(OpenWithCards({0}), 1);
    EXPECT_EQ(std::memcmp(&SettingsRecord(0), &kDefaultRecord, 68), 0);
    EXPECT_FALSE(key.keyExists);
    SaveAllSettings();
    ASSERT_TRUE(key.keyExists);
    EXPECT_EQ(key.values.at("Mixer20").bytes, Bytes(kDefaultRecord));
}

TEST_F(SettingsStoreTest, ShortBinaryValueFillsOnlyItsOwnLength) {
    std::vector<uint8_t> stored = Bytes(Numbered());
    stored.resize(40);
    key.Put("Mixer20", kRegBinary, stored);
    ASSERT_EQ(OpenWithCards({0}), 1);
    const int32_t* slots = reinterpret_cast<const int32_t*>(&SettingsRecord(0));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(slots[i], 100 + i) << "slot " << i;
    // The rest keeps what the record held before: zero at start, not the default.
    for (int i = 10; i < 17; ++i) EXPECT_EQ(slots[i], 0) << "slot " << i;
}

struct UnusableValue {
    const char* what;
    uint32_t type;
    size_t length;
};

class UnusableRecordTest : public SettingsStoreTest, public ::testing::WithParamInterface<UnusableValue> {};

TEST_P(UnusableRecordTest, GivesTheDefaultRecord) {
    std::vector<uint8_t> stored(GetParam().length, 0x5A);
    key.Put("Mixer21", GetParam().type, stored);
    ASSERT_EQ(OpenWithCards({0, 1}), 2);
    EXPECT_EQ(std::memcmp(&SettingsRecord(1), &kDefaultRecord, 68), 0);
}

INSTANTIATE_TEST_SUITE_P(Values, UnusableRecordTest,
                         ::testing::Values(UnusableValue{"69 bytes", kRegBinary, 69},
                                           UnusableValue{"a DWORD", kRegDword, 4},
                                           UnusableValue{"68 bytes of DWORD type", kRegDword, 68}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST_F(SettingsStoreTest, TwoCardsTouchOnlyTheirOwnRecords) {
    const MixerSettings stored = Numbered();
    key.Put("Mixer22", kRegBinary, Bytes(stored));
    ASSERT_EQ(OpenWithCards({0, 1}), 2);
    const MixerSettings zero{};
    EXPECT_EQ(std::memcmp(&SettingsRecord(2), &zero, 68), 0) << "Mixer22 was read";
    SettingsRecord(0).fsMode = 1;
    SaveAllSettings();
    EXPECT_EQ(key.values.size(), 3u);
    EXPECT_EQ(key.values.at("Mixer20").bytes, Bytes(SettingsRecord(0)));
    EXPECT_EQ(key.values.at("Mixer21").bytes, Bytes(SettingsRecord(1)));
    EXPECT_EQ(key.values.at("Mixer22").bytes, Bytes(stored)) << "Mixer22 was written";
}

TEST_F(SettingsStoreTest, NoCardReadsNothing) {
    EXPECT_EQ(OpenWithCards({}), 0);
    EXPECT_EQ(key.queries, 0);
}

TEST_F(SettingsStoreTest, OptionReadIntoItsOwnDefaultKeepsItForAnotherType) {
    // The options are read with the variable as its own default; a DWORD
    // "DSOUND" must not leak its value through that shared buffer.
    key.Put("DSOUND", kRegDword, {7, 0, 0, 0});
    int32_t value = 0;
    EXPECT_EQ(ReadSetting("DSOUND", &value, &value, 4), 4u);
    EXPECT_EQ(value, 0);
}

TEST_F(SettingsStoreTest, ReadReturnsTheStoredLength) {
    key.Put("GSIF", kRegBinary, {1, 0});
    int32_t value = -1;
    const int32_t fallback = 9;
    EXPECT_EQ(ReadSetting("GSIF", &fallback, &value, 4), 2u);
    EXPECT_EQ(value, static_cast<int32_t>(0xFFFF0001));
    EXPECT_EQ(ReadSetting("missing", &fallback, &value, 4), 4u);
    EXPECT_EQ(value, 9);
}

TEST_F(SettingsStoreTest, FailedCreateLosesTheSaveSilently) {
    key.canCreate = false;
    ASSERT_EQ(OpenWithCards({0}), 1);
    SaveAllSettings();
    EXPECT_FALSE(key.keyExists);
    EXPECT_TRUE(key.values.empty());
}

}  // namespace
