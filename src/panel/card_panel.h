// One card's column of controls: the record of the handles the panel logic
// talks to, the ids by which the controls' commands find their handler, and
// the table of the four columns' panels. Portable: no windows.h here.
#pragma once

#include <cstdint>

// A control's window handle, kept opaque so the panel logic runs without
// Windows (the native tests hand out made-up handles).
typedef void* ControlHandle;

struct CardPanel {
    int32_t card;
    ControlHandle coaxial, optical;
    ControlHandle fs, fs256;
    ControlHandle internalClock, digitalInClock, wordClock, unitClock;
    ControlHandle routeA[4];
    ControlHandle routeB[4];
    ControlHandle showHide;
    ControlHandle rate[3];
    ControlHandle routingOff;
    ControlHandle autoRate;
    ControlHandle hours, minutes, seconds, frames;
    ControlHandle start;
    ControlHandle frameRate[5];
};

// Base ids of the panel's controls; a control's id is (column << 12) + base.
constexpr uint16_t kBaseCoaxial = 2048;
constexpr uint16_t kBaseOptical = 2049;
constexpr uint16_t kBaseFs = 2064;
constexpr uint16_t kBaseFs256 = 2065;
constexpr uint16_t kBaseClockSource = 2080;  // 2080..2083: internal, digital in, word, unit
constexpr uint16_t kBaseShowHide = 2112;
constexpr uint16_t kBaseShowHideSpare = 2113;  // routed like the show/hide toggle; no control has it
constexpr uint16_t kBaseRate = 2128;           // 2128..2130: 32000, 44100, 48000
constexpr uint16_t kBaseAutoRate = 2131;
constexpr uint16_t kBaseStart = 2144;
constexpr uint16_t kBaseFrameRate = 2160;  // 2160..2164: 24, 25, 29.97, 30 drop, 30
constexpr uint16_t kBaseHours = 2176;
constexpr uint16_t kBaseMinutes = 2177;
constexpr uint16_t kBaseSeconds = 2178;
constexpr uint16_t kBaseFrames = 2179;
constexpr uint16_t kBaseRouteA = 2192;  // 2192..2195: rows 0..3
constexpr uint16_t kBaseRouteB = 2208;  // 2208..2211: rows 0..3
constexpr uint16_t kBaseRoutingOff = 2224;

constexpr uint16_t MakeControlId(int32_t column, uint16_t base) {
    return static_cast<uint16_t>((static_cast<uint32_t>(column) << 12) + base);
}
constexpr int32_t ControlIdColumn(uint32_t id) { return static_cast<int32_t>((id >> 12) & 0xF); }
constexpr uint16_t ControlIdBase(uint32_t id) { return static_cast<uint16_t>(id & 0xFFF); }

// The id every static bitmap of a column shares; no handler looks at it.
constexpr uint16_t StaticBitmapId(int32_t column) {
    return static_cast<uint16_t>((static_cast<uint32_t>(column) << 14) + 4096);
}

constexpr int32_t kPanelColumns = 4;

// How many toggles each group of a column has.
constexpr int32_t kInputMembers = 2;      // coaxial, optical
constexpr int32_t kFsMembers = 2;         // fs, 256 fs
constexpr int32_t kClockMembers = 4;      // internal, digital input, word clock, unit
constexpr int32_t kRoutingRows = 4;       // per routing set
constexpr int32_t kRateMembers = 3;       // 32000, 44100, 48000
constexpr int32_t kAutoRateMember = 3;    // the sample-rate group's auto toggle
constexpr int32_t kFrameRateMembers = 5;  // 24, 25, 29.97, 30 drop, 30

// Whether `column` names a found card with a panel. Handlers are reached
// from window messages, so a column without a card (a stray id, a bad
// notification) is left alone rather than indexed.
bool PanelHasCard(int32_t column);

// The column's panel, or null for a column outside 0..3. The four records
// live for the whole program (they start with every handle null), so a
// panel can never fail to exist once its column is built.
CardPanel* PanelAt(int32_t column);
