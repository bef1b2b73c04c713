// What the desk does when Windows announces a standby and a resume
// (WM_POWERBROADCAST): at the suspend it stores the records, in case the
// machine never wakes; at the resume it sends every card, which lost power
// and woke on its defaults, its settings again. Portable: the events are
// their numbers, as they come in the message's wParam.
#pragma once

#include <cstdint>

constexpr uint32_t kPowerQuerySuspend = 0x0000;     // PBT_APMQUERYSUSPEND: may the machine sleep?
constexpr uint32_t kPowerSuspend = 0x0004;          // PBT_APMSUSPEND: it goes to sleep now
constexpr uint32_t kPowerStandby = 0x0005;          // PBT_APMSTANDBY: the same, as Windows 95 and 98 may say it
constexpr uint32_t kPowerResumeCritical = 0x0006;   // PBT_APMRESUMECRITICAL: awake after a suspend with no notice
constexpr uint32_t kPowerResumeSuspend = 0x0007;    // PBT_APMRESUMESUSPEND: awake, the user is back
constexpr uint32_t kPowerResumeStandby = 0x0008;    // PBT_APMRESUMESTANDBY: awake after PBT_APMSTANDBY
constexpr uint32_t kPowerResumeAutomatic = 0x0012;  // PBT_APMRESUMEAUTOMATIC: awake (Windows 98 and later)

enum class StandbyAction { None, StoreRecords, SetCards };

// Windows may announce one wake-up with two resume events (the automatic one,
// then the one for the user); the cards are set at the first. A suspend opens
// a standby. A critical resume follows a suspend that came with no notice, so
// it always sets the cards. Before any suspend, a resume sets them too: a
// restore too many costs a moment, a missing one leaves the cards on their
// defaults.
class StandbyTracker {
public:
    StandbyAction OnPowerEvent(uint32_t event);

private:
    bool resumedSinceSuspend_ = false;
};

// Whether `event` says that the machine goes to sleep now, its cards losing
// power: PBT_APMSUSPEND, or PBT_APMSTANDBY as Windows 95 and 98 may say it.
bool IsSleepEvent(uint32_t event);

// The main window's WM_POWERBROADCAST. Returns 1 (TRUE) for every event:
// the desk never refuses a standby.
int32_t OnPowerBroadcast(uint32_t event);
