#include "panel/panel_logic.h"

#include <cstring>

#include "card/card_registers.h"
#include "card/card_table.h"
#include "panel/card_panel.h"
#include "panel/panel_controls.h"
#include "panel/timecode.h"
#include "settings/record_values.h"

static_assert(kRoutingRows == kRecordRoutingRows, "a record keeps every row of a routing set");

namespace {

constexpr uint8_t kRoutingNone = 0xFF;

bool IsMember(int32_t member, int32_t count) { return member >= 0 && member < count; }

int32_t Check(ControlHandle toggle) { return CurrentPanelControls().GetCheck(toggle); }
void SetCheck(ControlHandle toggle, int32_t state) { CurrentPanelControls().SetCheck(toggle, state); }

void Send(int32_t c, uint16_t type, uint32_t value) { SetCardControl(CardAt(c), type, value); }

// One routing set's click: at most one row per set, and nothing while
// routing is off.
void OnRoutingSet(int32_t c, int32_t row, ControlHandle (&toggles)[4], int32_t (&routed)[4]) {
    const int32_t a = Check(toggles[row]);
    const int32_t off = Check(PanelAt(c)->routingOff);
    for (int32_t r = 0; r < kRoutingRows; ++r) {
        SetCheck(toggles[r], 0);
        routed[r] = 0;
    }
    if (off == 1) return;
    routed[row] = a;
    SetCheck(toggles[row], a);
    Send(c, kControlRouting, ComputeRoutingByte(SettingsRecord(c)));
}

// Writes the column's record to the registry when what runs in its scope
// changed it: a change made by a click or by the driver is stored at once,
// so a crash of the desk or the machine loses nothing. The restore at start
// does not come this way and writes nothing.
class SaveIfChanged {
public:
    explicit SaveIfChanged(int32_t c) : c_(c), before_(SettingsRecord(c)) {}
    ~SaveIfChanged() {
        if (std::memcmp(&before_, &SettingsRecord(c_), sizeof before_) != 0) SaveSettingsRecord(c_);
    }
    SaveIfChanged(const SaveIfChanged&) = delete;
    SaveIfChanged& operator=(const SaveIfChanged&) = delete;

private:
    int32_t c_;
    MixerSettings before_;
};

}  // namespace

int32_t RoutePanelCommand(uint32_t wParam, uint32_t lParam) {
    const uint32_t id = wParam & 0xFFFF;
    const int32_t c = ControlIdColumn(id);
    const int32_t base = ControlIdBase(id);
    if (!PanelHasCard(c)) return 0;
    SaveIfChanged save(c);
    if (base == kBaseCoaxial || base == kBaseOptical)
        OnDigitalInput(c, base - kBaseCoaxial);
    else if (base == kBaseFs || base == kBaseFs256)
        OnFsMode(c, base - kBaseFs);
    else if (base >= kBaseClockSource && base < kBaseClockSource + kClockMembers)
        OnClockSource(c, base - kBaseClockSource);
    else if (base == kBaseShowHide || base == kBaseShowHideSpare)
        OnShowHide(c);
    else if (base >= kBaseRate && base <= kBaseAutoRate)
        OnSampleRate(c, base - kBaseRate);
    else if (base == kBaseStart)
        OnGeneratorStart(c);
    else if (base >= kBaseFrameRate && base < kBaseFrameRate + kFrameRateMembers)
        OnFrameRate(c, base - kBaseFrameRate);
    else if (base >= kBaseRouteA && base < kBaseRouteA + kRoutingRows)
        OnRoutingA(c, base - kBaseRouteA);
    else if (base >= kBaseRouteB && base < kBaseRouteB + kRoutingRows)
        OnRoutingB(c, base - kBaseRouteB);
    else if (base == kBaseRoutingOff)
        OnRoutingOff(c);
    return 0;
}

void OnDigitalInput(int32_t c, int32_t member) {
    if (!PanelHasCard(c) || !IsMember(member, kInputMembers)) return;
    CardPanel& panel = *PanelAt(c);
    MixerSettings& record = SettingsRecord(c);
    ControlHandle clicked = member == 0 ? panel.coaxial : panel.optical;
    ControlHandle other = member == 0 ? panel.optical : panel.coaxial;

    const int32_t a = Check(clicked);
    SetCheck(other, a == 0 ? 1 : 0);
    // The card gets the input whose toggle ends up checked: the clicked one
    // when the click checked it, the other one when it unchecked it. Sending
    // the clicked toggle's input regardless would leave the card on one
    // input while the panel shows the other.
    const int32_t checkedMember = a == 1 ? member : 1 - member;
    // Both slots as the pair now shows: the lit toggle's 1, the other's 0.
    // Keeping only the clicked toggle's state lost the input at the next
    // start (coaxial then optical left both at 1, which restores coaxial).
    // Read by the restore's two calls, these give back the lit input.
    record.inputCoaxial = checkedMember == 0 ? 1 : 0;
    record.inputOptical = checkedMember == 1 ? 1 : 0;
    Send(c, kControlDigitalInput, static_cast<uint32_t>(checkedMember + 1));
}

void OnFsMode(int32_t c, int32_t member) {
    if (!PanelHasCard(c) || !IsMember(member, kFsMembers)) return;
    CardPanel& panel = *PanelAt(c);
    SettingsRecord(c).fsMode = member;
    SetCheck(panel.fs, member == 0 ? 1 : 0);
    SetCheck(panel.fs256, member == 1 ? 1 : 0);
    Send(c, kControlFsMode, static_cast<uint32_t>(member));
}

void OnClockSource(int32_t c, int32_t member) {
    if (!PanelHasCard(c) || !IsMember(member, kClockMembers)) return;
    CardPanel& panel = *PanelAt(c);
    SettingsRecord(c).clockSource = member;
    ControlHandle group[kClockMembers] = {panel.internalClock, panel.digitalInClock, panel.wordClock, panel.unitClock};
    for (int32_t i = 0; i < kClockMembers; ++i) SetCheck(group[i], i == member ? 1 : 0);
    Send(c, kControlClockSource, static_cast<uint32_t>(member));
}

void OnShowHide(int32_t c) {
    if (!PanelHasCard(c)) return;
    const int32_t s = Check(PanelAt(c)->showHide);
    // The window takes the form of the state, not a step from its current
    // size: a right click re-runs this with the state unchanged and must not
    // grow or shrink the window again.
    CurrentDeskWindow().ShowTimecodeRow(s == 1);
    for (int32_t i = 0; i < CardCount() && i < kPanelColumns; ++i) {
        ControlHandle toggle = PanelAt(i)->showHide;
        if (toggle != nullptr) SetCheck(toggle, s);
    }
}

void OnSampleRate(int32_t c, int32_t member) {
    if (!PanelHasCard(c) || !IsMember(member, kRateMembers + 1)) return;
    CardPanel& panel = *PanelAt(c);
    MixerSettings& record = SettingsRecord(c);
    CardLink* link = CardAt(c);

    int32_t automatic = Check(panel.autoRate);
    if (member != kAutoRateMember) {
        record.manualRate = member;
        automatic = 0;
    }
    record.autoRate = automatic;
    SetCheck(panel.autoRate, automatic);
    for (int32_t i = 0; i < kRateMembers; ++i)
        SetCheck(panel.rate[i], automatic == 0 && record.manualRate == i ? 1 : 0);
    if (automatic == 0) {
        // The card takes a new rate only while its running flag is set.
        SetCardRunning(link, 1);
        SetCardControl(link, kControlSampleRate, static_cast<uint32_t>(record.manualRate));
    }
    SetCardRunning(link, record.autoRate);
}

void OnRoutingA(int32_t c, int32_t row) {
    if (!PanelHasCard(c) || !IsMember(row, kRoutingRows)) return;
    OnRoutingSet(c, row, PanelAt(c)->routeA, SettingsRecord(c).routeA);
}

void OnRoutingB(int32_t c, int32_t row) {
    if (!PanelHasCard(c) || !IsMember(row, kRoutingRows)) return;
    OnRoutingSet(c, row, PanelAt(c)->routeB, SettingsRecord(c).routeB);
}

uint8_t ComputeRoutingByte(const MixerSettings& record) {
    const int32_t ia = LowestRoutedRow(record.routeA);
    const int32_t ib = LowestRoutedRow(record.routeB);
    const uint32_t low = ia == kRoutingRows ? 0x0F : static_cast<uint32_t>(ia);
    const uint32_t high = ib == kRoutingRows ? 0x0F : static_cast<uint32_t>(ib);
    return static_cast<uint8_t>((high << 4) | low);
}

void OnRoutingOff(int32_t c) {
    if (!PanelHasCard(c)) return;
    CardPanel& panel = *PanelAt(c);
    MixerSettings& record = SettingsRecord(c);

    const int32_t off = Check(panel.routingOff);
    record.routingOff = off;
    SetCheck(panel.routingOff, off);
    if (off == 1) {
        // The record keeps the routing, so unchecking brings it back.
        for (int32_t r = 0; r < kRoutingRows; ++r) {
            SetCheck(panel.routeA[r], 0);
            SetCheck(panel.routeB[r], 0);
        }
        Send(c, kControlRouting, kRoutingNone);
        return;
    }
    for (int32_t r = 0; r < kRoutingRows; ++r) {
        SetCheck(panel.routeA[r], record.routeA[r]);
        SetCheck(panel.routeB[r], record.routeB[r]);
    }
    Send(c, kControlRouting, ComputeRoutingByte(record));
}

namespace {

// The restore's steps before the show/hide toggle: inputs, fs mode, clock.
void RestoreInputsAndClock(int32_t c) {
    const MixerSettings& record = SettingsRecord(c);
    // The second call reads the optical slot after the first call may have
    // written it.
    OnDigitalInput(c, record.inputCoaxial);
    OnDigitalInput(c, record.inputOptical);
    OnFsMode(c, record.fsMode);
    OnClockSource(c, record.clockSource);
}

// The restore's steps after it: routing, sample rate, frame rate.
void RestoreRoutingAndRates(int32_t c) {
    CardPanel& panel = *PanelAt(c);
    const MixerSettings& record = SettingsRecord(c);
    // The routing-off toggle is still unchecked here: routing comes back on
    // and the stored routing is shown and sent.
    OnRoutingOff(c);
    SetCheck(panel.autoRate, record.autoRate);
    OnSampleRate(c, record.autoRate == 1 ? kAutoRateMember : record.manualRate);
    // The start toggle is unchecked, so the generator is not started.
    OnFrameRate(c, record.frameRate);
}

// Every toggle a restore sets, unchecked again as in a freshly built panel;
// the show/hide toggle and the start toggle are not among them.
void UncheckSettingToggles(int32_t c) {
    CardPanel& panel = *PanelAt(c);
    ControlHandle singles[] = {panel.coaxial,       panel.optical,        panel.fs,        panel.fs256,
                               panel.internalClock, panel.digitalInClock, panel.wordClock, panel.unitClock,
                               panel.routingOff,    panel.autoRate};
    for (ControlHandle toggle : singles) SetCheck(toggle, 0);
    for (ControlHandle toggle : panel.routeA) SetCheck(toggle, 0);
    for (ControlHandle toggle : panel.routeB) SetCheck(toggle, 0);
    for (ControlHandle toggle : panel.rate) SetCheck(toggle, 0);
    for (ControlHandle toggle : panel.frameRate) SetCheck(toggle, 0);
}

}  // namespace

void RestoreCardPanel(int32_t c) {
    if (!PanelHasCard(c)) return;
    NormaliseRecord(SettingsRecord(c));
    RestoreInputsAndClock(c);
    SettingsRecord(c).showTimecode = 0;
    SetCheck(PanelAt(c)->showHide, 0);
    RestoreRoutingAndRates(c);
}

void ResumeCardPanel(int32_t c) {
    if (!PanelHasCard(c)) return;
    // Before the restore: its frame-rate step would start a generator whose
    // start toggle is still checked.
    OnGeneratorPowerLost(c);
    ForgetSentSettings(c);
    UncheckSettingToggles(c);
    NormaliseRecord(SettingsRecord(c));
    RestoreInputsAndClock(c);
    RestoreRoutingAndRates(c);
}

MixerSettings RecordAsRestored(const MixerSettings& record) {
    MixerSettings restored = record;
    NormaliseRecord(restored);
    restored.showTimecode = 0;
    restored.routingOff = 0;
    return restored;
}

void ApplyCardRecord(int32_t c, const MixerSettings& record) {
    if (!PanelHasCard(c)) return;
    SaveIfChanged save(c);
    CardPanel& panel = *PanelAt(c);
    if (Check(panel.start) == 1) {
        // As a click on the running generator's start toggle stops it.
        SetCheck(panel.start, 0);
        OnGeneratorStart(c);
    }
    UncheckSettingToggles(c);
    SettingsRecord(c) = record;
    SettingsRecord(c).showTimecode = 0;
    NormaliseRecord(SettingsRecord(c));
    RestoreInputsAndClock(c);
    RestoreRoutingAndRates(c);
}

void ResumeAllCardPanels() {
    for (int32_t c = 0; c < CardCount() && c < kPanelColumns; ++c) ResumeCardPanel(c);
}

int32_t OnRoutingNotify(uint32_t wParam, uint32_t lParam) {
    const int32_t c = static_cast<int32_t>(lParam >> 16);
    const int32_t s = static_cast<int32_t>(lParam & 0xFFFF);
    const uint32_t g = wParam >> 16;
    const int32_t k = static_cast<int32_t>(wParam & 0xFFFF);
    if (!PanelHasCard(c) || g / 2 > 1 || k >= kRoutingRows) return 0;
    SaveIfChanged save(c);
    CardPanel& panel = *PanelAt(c);
    OnDigitalInput(c, static_cast<int32_t>(g / 2));
    if (g == 0) {
        SetCheck(panel.routeA[k], s);
        OnRoutingA(c, k / 2);
    } else {
        SetCheck(panel.routeB[k], s);
        OnRoutingB(c, k / 2);
    }
    return 0;
}
