// One simulated card's strip on the card monitor: what the card and its
// external unit were last told, drawn as an instrument panel, with the
// strip's buttons.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/sim_card.h"
#include "sim/unit_command_log.h"

class MonitorFonts;

// A snapshot of one card, taken by the monitor's poll.
struct CardView {
    int column = 0;
    int driverIndex = 0;
    SimCardState state;
    int32_t blockRunning = 0;
    int32_t blockSampleRate = 0;
    int32_t blockLockCount = 0;
    std::vector<UnitCommandEntry> commands;  // oldest first
};

// Paints the strip with its top-left corner at (left, top). `pressedButton`
// is the index into CardStripButtons() held down on this strip, or -1.
void PaintCardStrip(HDC dc, const MonitorFonts& fonts, int left, int top, const CardView& view, int pressedButton);
