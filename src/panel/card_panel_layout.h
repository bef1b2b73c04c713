// The controls of one card's column, in creation order: kind, id, place,
// bitmaps or digit-field parameters, and the CardPanel field that keeps the
// handle. Plain data, shared by the Windows builder and the native tests.
// Portable: no windows.h here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "panel/card_panel.h"

enum class ControlKind { Toggle, StaticBitmap, CardBadge, DigitField };

// Which CardPanel handle a control fills; arrays take the row's index.
// clang-format off
enum class PanelField {
    None,
    Coaxial, Optical, Fs, Fs256,
    InternalClock, DigitalInClock, WordClock, UnitClock,
    RouteA, RouteB, ShowHide, Rate, RoutingOff, AutoRate,
    Hours, Minutes, Seconds, Frames, Start, FrameRate,
};
// clang-format on

struct PanelControlRow {
    ControlKind kind;
    uint16_t baseId;        // unused by static bitmaps and the badge
    int16_t x, y;           // from the column's origin
    int16_t width, height;  // the size the control takes (its bitmap's, for bitmaps)
    const char* onBitmap;   // toggles' on bitmap; static bitmaps' only bitmap
    const char* offBitmap;  // toggles only
    uint32_t textColour;    // digit fields: 0x00BBGGRR
    uint32_t backColour;
    int32_t maximum, minimum;
    PanelField field;
    int8_t index;
    bool groupStart;  // the first of a group of choices, or a control alone in its group
};

const PanelControlRow* PanelLayoutRows();
size_t PanelLayoutRowCount();

// The id a row's control takes in `card`'s column.
uint16_t LayoutControlId(const PanelControlRow& row, int32_t card);

// The bitmap a row's control shows (the badge's depends on the card).
const char* LayoutBitmap(const PanelControlRow& row, int32_t card);

// Whether a row's control lies on the timecode row ("smptebak"), shown and
// hidden with it.
bool OnTimecodeRow(const PanelControlRow& row);

// Where `panel` keeps the handle of a control, or null for a control that is
// not kept (or an index outside its array).
ControlHandle* PanelFieldSlot(CardPanel& panel, PanelField field, int32_t index);
