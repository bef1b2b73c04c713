// Clicks on the digital-input pair, the fs pair, the clock-source group and
// the sample-rate group: what the panel shows, what the record keeps and what
// the card is sent.
#include <gtest/gtest.h>

#include "fake_panel_fixture.h"
#include "panel/panel_logic.h"

namespace panel_test {
namespace {

class PanelGroupsTest : public PanelFixture {};

TEST_F(PanelGroupsTest, ClickOnUncheckedCoaxialSelectsCoaxial) {
    Mark();
    controls.LeftClick(Panel().coaxial);

    EXPECT_TRUE(controls.Checked(Panel().coaxial));
    EXPECT_FALSE(controls.Checked(Panel().optical));
    EXPECT_EQ(Record().inputCoaxial, 1);
    EXPECT_EQ(Card().Events(), Sent({{0, 1}}));
    EXPECT_TRUE(Card().State().digitalInputCoaxial);
}

// Unchecking coaxial checks optical, so the card must be switched to optical
// too, not sent coaxial again.
TEST_F(PanelGroupsTest, ClickOnCheckedCoaxialSendsOptical) {
    controls.LeftClick(Panel().coaxial);
    Mark();
    controls.LeftClick(Panel().coaxial);

    EXPECT_FALSE(controls.Checked(Panel().coaxial));
    EXPECT_TRUE(controls.Checked(Panel().optical));
    EXPECT_EQ(Record().inputCoaxial, 0);
    EXPECT_EQ(Card().Events(), Sent({{0, 2}}));
    EXPECT_FALSE(Card().State().digitalInputCoaxial);  // the card follows the panel
}

TEST_F(PanelGroupsTest, DigitalInputSendsTheInputThatEndsChecked) {
    struct Case {
        bool coaxialFirst;  // which toggle is clicked
        int32_t checkedBefore;
        int32_t expectedInput;
    };
    const Case cases[] = {
        {true, 0, 1},
        {true, 1, 2},
        {false, 0, 2},
        {false, 1, 1},
    };
    for (const Case& k : cases) {
        ControlHandle clicked = k.coaxialFirst ? Panel().coaxial : Panel().optical;
        ControlHandle other = k.coaxialFirst ? Panel().optical : Panel().coaxial;
        controls.checks[clicked] = k.checkedBefore;
        Mark();
        controls.LeftClick(clicked);

        const bool coaxialShown = controls.Checked(Panel().coaxial);
        EXPECT_NE(controls.Checked(clicked), controls.Checked(other));
        EXPECT_EQ(coaxialShown ? 1 : 2, k.expectedInput);
        EXPECT_EQ(k.coaxialFirst ? Record().inputCoaxial : Record().inputOptical, 1 - k.checkedBefore);
        EXPECT_EQ(Card().Events(), Sent({{0, static_cast<uint32_t>(k.expectedInput)}}))
            << "coaxial clicked " << k.coaxialFirst << ", checked before " << k.checkedBefore;
        EXPECT_EQ(Card().State().digitalInputCoaxial, coaxialShown);
    }
}

TEST_F(PanelGroupsTest, RadioGroupsCheckOnlyTheClickedMember) {
    struct Case {
        ControlHandle CardPanel::*members[4];
        int32_t count;
        int32_t MixerSettings::*slot;
        uint16_t type;
    };
    const Case groups[] = {
        {{&CardPanel::fs, &CardPanel::fs256}, 2, &MixerSettings::fsMode, 1},
        {{&CardPanel::internalClock, &CardPanel::digitalInClock, &CardPanel::wordClock, &CardPanel::unitClock},
         4,
         &MixerSettings::clockSource,
         2},
    };
    for (const Case& group : groups) {
        // Clicked in reverse order so every member goes from unchecked to
        // checked while another is checked.
        for (int32_t member = group.count - 1; member >= 0; --member) {
            Mark();
            controls.LeftClick(Panel().*group.members[member]);
            for (int32_t i = 0; i < group.count; ++i) {
                EXPECT_EQ(controls.Checked(Panel().*group.members[i]), i == member) << "type " << group.type;
            }
            EXPECT_EQ(Record().*group.slot, member);
            EXPECT_EQ(Card().Events(), Sent({{group.type, static_cast<uint32_t>(member)}}));
        }
        // A click on the checked member keeps it checked and sends it again.
        Mark();
        controls.LeftClick(Panel().*group.members[0]);
        EXPECT_TRUE(controls.Checked(Panel().*group.members[0]));
        EXPECT_EQ(Card().Events(), Sent({{group.type, 0}}));
    }
}

TEST_F(PanelGroupsTest, AutoUnchecksTheRatesAndKeepsTheCardRunning) {
    controls.LeftClick(Panel().rate[0]);
    ASSERT_EQ(Block().sampleRate, 32000);
    ASSERT_EQ(Block().running, 0);

    Mark();
    controls.LeftClick(Panel().autoRate);
    EXPECT_TRUE(controls.Checked(Panel().autoRate));
    for (ControlHandle rate : Panel().rate) EXPECT_FALSE(controls.Checked(rate));
    EXPECT_EQ(Record().autoRate, 1);
    EXPECT_EQ(Record().manualRate, 0);  // kept while auto is on
    EXPECT_EQ(Block().running, 1);
    EXPECT_TRUE(Card().Events().empty());

    Mark();
    controls.LeftClick(Panel().rate[1]);
    EXPECT_FALSE(controls.Checked(Panel().autoRate));
    EXPECT_TRUE(controls.Checked(Panel().rate[1]));
    EXPECT_FALSE(controls.Checked(Panel().rate[0]));
    EXPECT_FALSE(controls.Checked(Panel().rate[2]));
    EXPECT_EQ(Record().autoRate, 0);
    EXPECT_EQ(Record().manualRate, 1);
    EXPECT_EQ(Card().Events(), Sent({{7, 1}}));
    EXPECT_EQ(Block().sampleRate, 44100);
    EXPECT_EQ(Block().running, 0);
    EXPECT_EQ(Card().State().sampleRate, 44100);
}

// The card takes a rate only while running is set: a manual rate must be
// applied even though the card was not running before the click.
TEST_F(PanelGroupsTest, ManualRateIsAppliedAndRunningReturnsToZero) {
    ASSERT_EQ(Block().running, 0);
    controls.LeftClick(Panel().rate[2]);
    EXPECT_EQ(Block().sampleRate, 48000);
    EXPECT_EQ(Block().running, 0);

    // Unchecking auto falls back to the kept manual rate.
    controls.LeftClick(Panel().autoRate);
    Mark();
    controls.LeftClick(Panel().autoRate);
    EXPECT_TRUE(controls.Checked(Panel().rate[2]));
    EXPECT_EQ(Record().autoRate, 0);
    EXPECT_EQ(Block().running, 0);
    EXPECT_EQ(Block().sampleRate, 48000);
}

}  // namespace
}  // namespace panel_test
