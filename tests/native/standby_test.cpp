// The desk at a standby: which power events store the records and which set
// the cards, one resume per standby, and that the resume writes nothing to
// the registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/standby.h"
#include "fake_panel_fixture.h"

namespace panel_test {
namespace {

using Action = StandbyAction;

TEST(StandbyTrackerTest, EachStandbySetsTheCardsAtItsFirstResume) {
    struct Case {
        const char* name;
        std::vector<uint32_t> events;
        std::vector<Action> actions;
    };
    const Case cases[] = {
        {"a standby announced by Windows 98",
         {kPowerQuerySuspend, kPowerSuspend, kPowerResumeAutomatic, kPowerResumeSuspend},
         {Action::None, Action::StoreRecords, Action::SetCards, Action::None}},
        {"the user's resume first",
         {kPowerSuspend, kPowerResumeSuspend, kPowerResumeAutomatic},
         {Action::StoreRecords, Action::SetCards, Action::None}},
        {"two standbys",
         {kPowerSuspend, kPowerResumeSuspend, kPowerSuspend, kPowerResumeSuspend},
         {Action::StoreRecords, Action::SetCards, Action::StoreRecords, Action::SetCards}},
        {"emergency suspends, with no notice",
         {kPowerResumeCritical, kPowerResumeCritical, kPowerResumeAutomatic},
         {Action::SetCards, Action::SetCards, Action::None}},
        {"a resume before any suspend", {kPowerResumeAutomatic, kPowerResumeSuspend}, {Action::SetCards, Action::None}},
        {"a standby as Windows 95 and 98 may announce it",
         {0x0001, kPowerStandby, kPowerResumeStandby, kPowerResumeAutomatic},
         {Action::None, Action::StoreRecords, Action::SetCards, Action::None}},
        {"other events change nothing",
         {kPowerSuspend, 0x000A, 0x0009, kPowerResumeAutomatic},
         {Action::StoreRecords, Action::None, Action::None, Action::SetCards}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StandbyTracker tracker;
        std::vector<Action> actions;
        for (uint32_t event : c.events) actions.push_back(tracker.OnPowerEvent(event));
        EXPECT_EQ(actions, c.actions);
    }
}

class StandbyTest : public StoredPanelsFixture {
protected:
    size_t EventsOf(int32_t c) { return Card(c).Events().size(); }
};

TEST_F(StandbyTest, TheSuspendStoresTheRecordsAndTheResumeSetsTheCardsWritingNothing) {
    controls.LeftClick(Panel(0).wordClock);
    controls.LeftClick(Panel(1).routingOff);  // a resume, like a start, turns it back on
    const int writesBeforeStandby = key.writes;
    Mark(0);
    Mark(1);

    EXPECT_EQ(OnPowerBroadcast(kPowerQuerySuspend), 1) << "a standby is never refused";
    EXPECT_EQ(key.writes, writesBeforeStandby);
    EXPECT_EQ(OnPowerBroadcast(kPowerSuspend), 1);
    EXPECT_EQ(key.writes, writesBeforeStandby + 2);
    for (int32_t c = 0; c < 2; ++c) {
        const std::string name = "Mixer2" + std::to_string(c);
        ASSERT_EQ(key.values[name].bytes.size(), sizeof(MixerSettings));
        EXPECT_EQ(0, std::memcmp(key.values[name].bytes.data(), &Record(c), sizeof(MixerSettings))) << name;
        EXPECT_EQ(EventsOf(c), 0u) << "column " << c;
    }

    EXPECT_EQ(OnPowerBroadcast(kPowerResumeAutomatic), 1);
    const size_t sent[] = {EventsOf(0), EventsOf(1)};
    EXPECT_GT(sent[0], 0u);
    EXPECT_GT(sent[1], 0u);
    EXPECT_EQ(Record(1).routingOff, 0);
    EXPECT_EQ(OnPowerBroadcast(kPowerResumeSuspend), 1);
    EXPECT_EQ(EventsOf(0), sent[0]) << "the second resume event of the standby set the cards again";
    EXPECT_EQ(EventsOf(1), sent[1]);
    EXPECT_EQ(key.writes, writesBeforeStandby + 2) << "the resume wrote to the registry";
}

}  // namespace
}  // namespace panel_test
