// Inputs the fuzzers found faults with, kept as plain cases.
#include <gtest/gtest.h>

#include <cstring>

#include "fake_panel_fixture.h"
#include "fake_settings_key.h"
#include "panel/panel_logic.h"

namespace panel_test {
namespace {

class FuzzRegressionTest : public PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        SetSettingsKey(&key);
    }
    void TearDown() override {
        SetSettingsKey(nullptr);
        PanelFixture::TearDown();
    }
    FakeSettingsKey key;
};

// A binary "Mixer20" of no bytes at all is a shorter value like any other:
// it replaces nothing, so the record keeps the zeros it started with (not the
// default), and the panel restores from that. Reading it once passed a null
// source to memcpy.
TEST_F(FuzzRegressionTest, EmptyBinaryRecordKeepsTheZeroRecordAndRestores) {
    key.Put("Mixer20", kRegBinary, {});
    LoadAllSettings();
    const MixerSettings zero = {};
    EXPECT_EQ(std::memcmp(&Record(), &zero, sizeof zero), 0);

    RestoreCardPanel(0);
    MixerSettings optical = {};
    optical.inputOptical = 1;  // the input pair's slots as it shows
    EXPECT_EQ(std::memcmp(&Record(), &optical, sizeof optical), 0);
    EXPECT_FALSE(controls.Checked(Panel().coaxial));
    EXPECT_TRUE(controls.Checked(Panel().optical));
    const SimCardState card = Card().State();
    EXPECT_EQ(card.routeA, -1);
    EXPECT_EQ(card.routeB, -1);
    EXPECT_EQ(card.sampleRate, 32000);
}

}  // namespace
}  // namespace panel_test
