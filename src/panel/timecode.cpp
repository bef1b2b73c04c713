#include "panel/timecode.h"

#include "card/card_table.h"
#include "card/unit_link.h"
#include "panel/card_panel.h"
#include "panel/panel_controls.h"
#include "panel/quarter_frame.h"
#include "settings/settings_store.h"

namespace {

constexpr uint8_t kQuarterFrameStatus = 0xF1;
constexpr uint8_t kEveryPiece = 0xFF;  // pieces 0 to 7

// Set by the first quarter-frame status byte on any column, never cleared:
// bytes before it are dropped.
bool timecodeArmed = false;
QuarterFrameTime received[kPanelColumns];
// Per column: the unit runs because this desk started it (a start went out
// and no stop since). While it does, an unchecked start toggle can only mean
// that the user has just pressed it to stop and the toggle's command is
// still queued behind timecode bytes already posted.
bool startedHere[kPanelColumns];
// Per column, after this desk stopped the unit: the quarter-frame pieces that
// have arrived since (bit n for piece n). Bytes the driver posted before the
// stop arrive after it; until a whole timecode (all eight pieces) shows the
// timecode really goes on, they leave the start toggle alone.
bool stoppedHere[kPanelColumns];
uint8_t piecesSinceStop[kPanelColumns];

// Whether incoming timecode may check the start toggle: not while this
// desk's own start runs, and after its own stop only once a whole timecode
// has come in since.
bool TimecodeShowsRunning(int32_t c) {
    if (startedHere[c]) return false;
    if (stoppedHere[c] && piecesSinceStop[c] != kEveryPiece) return false;
    stoppedHere[c] = false;
    return true;
}

}  // namespace

void OnGeneratorStart(int32_t c) {
    if (!PanelHasCard(c)) return;
    PanelControls& controls = CurrentPanelControls();
    CardPanel& panel = *PanelAt(c);
    CardLink* link = CardAt(c);

    const int32_t on = controls.GetCheck(panel.start);
    const int32_t hours = controls.GetPosition(panel.hours);
    const int32_t minutes = controls.GetPosition(panel.minutes);
    const int32_t seconds = controls.GetPosition(panel.seconds);
    const int32_t frames = controls.GetPosition(panel.frames);
    if (on == 1) {
        const int32_t levelsBefore = link->block->unitLockCount;
        // The panel holds one lock level of its own while the generator runs,
        // on top of the one the start takes.
        LockUnit(link, 1);
        StartTimecode(link, SettingsRecord(c).frameRate, hours, minutes, seconds, frames);
        // Started again while it ran (a new frame rate, a repeated click): the
        // unit is sent the new start, but no stop gives back the levels of
        // the earlier start, so the new ones are given back here and the
        // counter stays where the running generator had it. Nothing needs
        // sending: the counter stays above 0, so the unit stays locked.
        if (levelsBefore > 0) link->block->unitLockCount = levelsBefore;
        startedHere[c] = true;
        stoppedHere[c] = false;
    } else {
        StopTimecode(link);
        LockUnit(link, 0);
        startedHere[c] = false;
        stoppedHere[c] = true;
        piecesSinceStop[c] = 0;
    }
}

void OnFrameRate(int32_t c, int32_t member) {
    if (!PanelHasCard(c) || member < 0 || member >= kFrameRateMembers) return;
    PanelControls& controls = CurrentPanelControls();
    CardPanel& panel = *PanelAt(c);

    SettingsRecord(c).frameRate = member;
    for (int32_t j = 0; j < kFrameRateMembers; ++j) controls.SetCheck(panel.frameRate[j], j == member ? 1 : 0);
    if (controls.GetCheck(panel.start) == 1) {
        // Running: start again, from the time now in the fields, at the new rate.
        OnGeneratorStart(c);
    }
}

void OnGeneratorPowerLost(int32_t c) {
    if (!PanelHasCard(c)) return;
    // The unit lost its lock with the power, whoever locked it: this desk,
    // or an earlier one that ended while its generator ran and left its
    // levels in the block. The count goes to 0 without the unlock sequence,
    // so the next start sends the whole lock sequence again.
    CardAt(c)->block->unitLockCount = 0;
    CurrentPanelControls().SetCheck(PanelAt(c)->start, 0);
    startedHere[c] = false;
    stoppedHere[c] = true;
    piecesSinceStop[c] = 0;
}

int32_t OnTimecodeByte(uint32_t wParam, uint32_t lParam) {
    const uint8_t b = static_cast<uint8_t>(wParam & 0xFF);
    const int32_t c = static_cast<int32_t>(lParam & 0xFFFF);
    if (!PanelHasCard(c)) return 0;
    if (b == kQuarterFrameStatus) {
        timecodeArmed = true;
        return 0;
    }
    if (!timecodeArmed) return 0;
    PanelControls& controls = CurrentPanelControls();
    CardPanel& panel = *PanelAt(c);
    if (b < 0x80) piecesSinceStop[c] |= static_cast<uint8_t>(1u << (b >> 4));
    // Incoming timecode shows as a running generator; nothing goes to the unit.
    if (controls.GetCheck(panel.start) == 0 && TimecodeShowsRunning(c)) controls.SetCheck(panel.start, 1);
    if (b >= 0x80) return 0;
    if (ApplyQuarterFrame(received[c], b)) {
        const QuarterFrameTime& time = received[c];
        controls.SetPosition(panel.frames, time.frames);
        controls.SetPosition(panel.seconds, time.seconds);
        controls.SetPosition(panel.minutes, time.minutes);
        controls.SetPosition(panel.hours, time.hours);
    }
    return 0;
}

void ResetTimecodeForTest() {
    timecodeArmed = false;
    for (QuarterFrameTime& time : received) time = QuarterFrameTime{};
    for (int32_t c = 0; c < kPanelColumns; ++c) {
        startedHere[c] = false;
        stoppedHere[c] = false;
        piecesSinceStop[c] = 0;
    }
}
