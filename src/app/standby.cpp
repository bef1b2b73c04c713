#include "app/standby.h"

#include "panel/panel_logic.h"
#include "settings/settings_store.h"

namespace {

StandbyTracker tracker;

}  // namespace

bool IsSleepEvent(uint32_t event) { return event == kPowerSuspend || event == kPowerStandby; }

StandbyAction StandbyTracker::OnPowerEvent(uint32_t event) {
    if (IsSleepEvent(event)) {
        resumedSinceSuspend_ = false;
        return StandbyAction::StoreRecords;
    }
    switch (event) {
    case kPowerResumeCritical: resumedSinceSuspend_ = true; return StandbyAction::SetCards;
    case kPowerResumeSuspend:
    case kPowerResumeStandby:
    case kPowerResumeAutomatic:
        if (resumedSinceSuspend_) return StandbyAction::None;
        resumedSinceSuspend_ = true;
        return StandbyAction::SetCards;
    default: return StandbyAction::None;
    }
}

int32_t OnPowerBroadcast(uint32_t event) {
    switch (tracker.OnPowerEvent(event)) {
    case StandbyAction::StoreRecords: SaveAllSettings(); break;
    case StandbyAction::SetCards:
        // Nothing of it goes to the registry: the records were stored at the
        // suspend, and what the resume changes in them (routing off, which
        // does not survive it, as it does not survive a start) goes with the
        // next change that is stored.
        ResumeAllCardPanels();
        break;
    case StandbyAction::None: break;
    }
    return 1;
}

void ResetStandbyForTest() { tracker = StandbyTracker{}; }
