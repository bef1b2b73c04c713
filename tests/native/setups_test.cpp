// Named setups over the settings key: stored, listed, replaced and deleted
// by name without case; recalled whole or not at all, each card set as the
// start sets it from the same record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/setup_request.h"
#include "fake_panel_fixture.h"
#include "panel/panel_logic.h"
#include "panel/setup_recall.h"
#include "settings/setups_store.h"

namespace panel_test {
namespace {

std::vector<uint8_t> Bytes(const MixerSettings& record) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&record);
    return std::vector<uint8_t>(p, p + sizeof record);
}

class SetupsTest : public StoredPanelsFixture {
protected:
    // Two cards away from the default record: word clock and 48000 Hz on
    // card 0, routing set B row 3 and automatic rate on card 1.
    void ClickAwayFromDefaults() {
        controls.LeftClick(Panel(0).wordClock);
        controls.LeftClick(Panel(0).rate[2]);
        controls.LeftClick(Panel(1).routeB[3]);
        controls.LeftClick(Panel(1).autoRate);
    }
    const FakeSettingsKey::Below* Stored(const std::string& path) {
        for (const auto& entry : key.below)
            if (entry.second.path == path) return &entry.second;
        return nullptr;
    }
};

TEST_F(SetupsTest, SavedUnderTheirNamesListedAlphabeticallyReplacedAndDeletedWithoutCase) {
    ClickAwayFromDefaults();
    ASSERT_EQ(SaveSetup("Music"), SetupSave::Stored);
    const FakeSettingsKey::Below* music = Stored("Setups\\Music");
    ASSERT_NE(music, nullptr);
    ASSERT_EQ(music->values.size(), 2u) << "one value per card found";
    EXPECT_EQ(music->values.at("Mixer20").bytes, Bytes(Record(0)));
    EXPECT_EQ(music->values.at("Mixer21").type, kRegBinary);
    EXPECT_EQ(music->values.at("Mixer21").bytes, Bytes(Record(1)));

    // Listed as the registry makes them: in the order they were made.
    for (const char* name : {"video post", "Archive", "jazz"}) ASSERT_EQ(SaveSetup(name), SetupSave::Stored);
    key.PutBelow("Setups\\ leading space", "Mixer20", kRegBinary, Bytes(Record(0)));
    EXPECT_EQ(ListSetups(), (std::vector<std::string>{"Archive", "jazz", "Music", "video post"}));
    EXPECT_EQ(FindSetup("JAZZ"), "jazz");

    // Replaced in place, under the name as first saved; the record of a card
    // not found now goes.
    key.PutBelow("Setups\\Music", "Mixer23", kRegBinary, Bytes(Record(0)));
    ASSERT_EQ(SaveSetup("MUSIC"), SetupSave::Stored);
    EXPECT_EQ(ListSetups(), (std::vector<std::string>{"Archive", "jazz", "Music", "video post"}));
    ASSERT_NE(Stored("Setups\\Music"), nullptr);
    EXPECT_EQ(Stored("Setups\\Music")->values.count("Mixer23"), 0u) << "a record of the replaced setup stayed";

    EXPECT_TRUE(DeleteSetup("Video Post"));
    EXPECT_FALSE(DeleteSetup("Video Post"));
    EXPECT_EQ(ListSetups(), (std::vector<std::string>{"Archive", "jazz", "Music"}));
    EXPECT_EQ(SaveSetup("back\\slash"), SetupSave::NotStored);
}

// A write or delete that fails part way leaves no half setup: the one it
// was to replace keeps every record it had, and the user is told so.
TEST_F(SetupsTest, AFailedReplaceKeepsTheOldSetupWhole) {
    ASSERT_EQ(SaveSetup("Music"), SetupSave::Stored);
    key.PutBelow("Setups\\Music", "Mixer23", kRegBinary, Bytes(kDefaultRecord));
    const auto before = Stored("Setups\\Music")->values;
    ClickAwayFromDefaults();
    for (const char* refused : {"Mixer21", "Mixer23"}) {  // the second card's write, the gone card's delete
        key.refused = refused;
        const SetupResult result = CarryOutSetupRequest(SetupAction::Save, "music");
        EXPECT_EQ(SetupResultText(SetupAction::Save, "music", result),
                  "The setup \"music\" could not be stored. The setup saved before under that name is kept as it was.");
        ASSERT_NE(Stored("Setups\\Music"), nullptr) << refused;
        EXPECT_EQ(Stored("Setups\\Music")->values, before) << refused;
    }
}

// Any unusable record for a card found refuses the whole setup, whatever
// the other cards' records are; a record for a column without a card is
// never looked at.
TEST_F(SetupsTest, ARecallAppliesWholeOrNotAtAll) {
    ClickAwayFromDefaults();
    const struct {
        const char* name;
        const char* value;
        uint32_t type;
        size_t size;
        SetupLoad outcome;
        int32_t badColumn;
        const char* told;  // the card as the user counts them
    } cases[] = {
        {"one byte too many", "Mixer21", kRegBinary, 69, SetupLoad::BadRecord, 1, "for card 2 cannot"},
        {"short", "Mixer21", kRegBinary, 40, SetupLoad::BadRecord, 1, "for card 2 cannot"},
        {"not binary", "Mixer20", kRegDword, 68, SetupLoad::BadRecord, 0, "for card 1 cannot"},
        {"a column without a card", "Mixer23", kRegDword, 3, SetupLoad::Loaded, -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        key.below.clear();
        const MixerSettings before[2] = {Record(0), Record(1)};
        key.PutBelow("Setups\\Music", "Mixer20", kRegBinary, Bytes(kDefaultRecord));
        key.PutBelow("Setups\\Music", "Mixer21", kRegBinary, Bytes(kDefaultRecord));
        key.PutBelow("Setups\\Music", c.value, c.type, std::vector<uint8_t>(c.size, 0));
        Mark(0);
        Mark(1);
        const int writes = key.writes;

        const SetupLoadResult result = RecallSetup("Music");
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.badColumn, c.badColumn);
        if (c.outcome == SetupLoad::Loaded) continue;
        const std::string told = SetupResultText(SetupAction::Recall, "Music", {SetupOutcome::BadRecord, c.badColumn});
        EXPECT_NE(told.find(c.told), std::string::npos) << told;
        EXPECT_EQ(0, std::memcmp(&Record(0), &before[0], sizeof(MixerSettings)));
        EXPECT_EQ(0, std::memcmp(&Record(1), &before[1], sizeof(MixerSettings)));
        EXPECT_TRUE(Card(0).Events().empty());
        EXPECT_TRUE(Card(1).Events().empty());
        EXPECT_EQ(key.writes, writes);
    }
    const MixerSettings before = Record(0);
    EXPECT_EQ(RecallSetup("No Such Setup").outcome, SetupLoad::Unknown);
    EXPECT_EQ(0, std::memcmp(&Record(0), &before, sizeof before));
}

// The menu's check mark: a recalled setup matches the cards it set, though
// saved with the timecode row shown (slot 4) or routing off (slot 5).
TEST_F(SetupsTest, ARecalledSetupMatchesTheCardsItSet) {
    for (size_t slot : {4, 5}) {
        std::vector<uint8_t> record = Bytes(kDefaultRecord);
        record[slot * 4] = 1;
        key.PutBelow("Setups\\Video", "Mixer20", kRegBinary, record);
        ASSERT_EQ(RecallSetup("Video").outcome, SetupLoad::Loaded);
        EXPECT_TRUE(CardsMatchSetup("Video")) << "slot " << slot;
    }
}

// The oracle is the start: a panel built afresh on a block as the recall
// found it, restored from the setup's record.
TEST_F(SetupsTest, ARecallSetsEachCardAsTheStartDoesStoresItAndStopsTheGenerator) {
    ClickAwayFromDefaults();
    ASSERT_EQ(SaveSetup("Video"), SetupSave::Stored);
    const MixerSettings saved[2] = {Record(0), Record(1)};
    EXPECT_TRUE(CardsMatchSetup("Video"));
    controls.LeftClick(Panel(0).coaxial);
    controls.LeftClick(Panel(1).digitalInClock);
    controls.LeftClick(Panel(1).start);
    ASSERT_TRUE(Card(1).State().unit.generatorRunning);
    EXPECT_FALSE(CardsMatchSetup("Video"));
    Mark(0);
    Mark(1);
    const int writes = key.writes;

    ASSERT_EQ(RecallSetup("Video").outcome, SetupLoad::Loaded);
    EXPECT_TRUE(CardsMatchSetup("Video"));
    EXPECT_EQ(key.writes, writes + 2) << "each changed record is stored at once";
    EXPECT_FALSE(controls.Checked(Panel(1).start));
    EXPECT_FALSE(Card(1).State().unit.generatorRunning);
    const std::vector<uint32_t> unit1 = Card(1).UnitBytes();
    ASSERT_FALSE(unit1.empty());
    EXPECT_EQ(unit1.front(), 0xEFu) << "the generator is stopped before the card is set";
    const std::vector<std::string> recalled = Card(0).Lines();
    const SharedCardBlock found = marked[0];

    TearDown();
    SetUp();
    ResetCardTableForTest();
    driver.blocks[0] = found;
    ASSERT_EQ(DiscoverCards(), 0);
    InstallFakePanel(0);
    Record(0) = saved[0];
    Card(0).ForgetEvents();
    RestoreCardPanel(0);
    EXPECT_EQ(recalled, Card(0).Lines());
}

// What a request came to, handed to a second start as one number carrying
// the desk's mark (0x5444) in its upper half, comes through whole; a window
// that ignores the request answers 0, which reads as no answer.
TEST_F(SetupsTest, AnAnswerComesThroughTheHandOverWhole) {
    key.PutBelow("Setups\\Bad", "Mixer21", kRegBinary, std::vector<uint8_t>(40, 0));
    ASSERT_EQ(SaveSetup("Music"), SetupSave::Stored);
    const struct {
        SetupAction action;
        const char* name;
        const char* refused;  // by the key
        SetupResult result;
    } cases[] = {
        {SetupAction::Save, "Video", "", {SetupOutcome::Done, -1}},
        {SetupAction::Recall, "Nothing", "", {SetupOutcome::Unknown, -1}},
        {SetupAction::Recall, "Bad", "", {SetupOutcome::BadRecord, 1}},
        {SetupAction::Save, "Live", "Mixer20", {SetupOutcome::NotStored, -1}},
        {SetupAction::Save, "music", "Mixer21", {SetupOutcome::OldKept, -1}},
        {SetupAction::Recall, "back\\slash", "", {SetupOutcome::BadRequest, -1}},
    };
    for (const auto& c : cases) {
        key.refused = c.refused;
        const SetupResult done = CarryOutSetupRequest(c.action, c.name);
        const int32_t code = EncodeSetupResult(done);
        const SetupResult told = DecodeSetupResult(code);
        EXPECT_EQ(code >> 16, 0x5444) << c.name;
        EXPECT_EQ(done.outcome, c.result.outcome) << c.name;
        EXPECT_EQ(told.outcome, done.outcome) << c.name;
        EXPECT_EQ(told.badColumn, done.badColumn) << c.name;
        EXPECT_EQ(told.badColumn, c.result.badColumn) << c.name;
    }
    EXPECT_EQ(DecodeSetupResult(0).outcome, SetupOutcome::NoAnswer);
    EXPECT_EQ(DecodeSetupResult(0).badColumn, -1);
}

}  // namespace
}  // namespace panel_test
