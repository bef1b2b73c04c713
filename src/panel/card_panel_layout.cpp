#include "panel/card_panel_layout.h"

namespace {

constexpr uint32_t kGreen = 0x0000FF00;
constexpr uint32_t kBlack = 0x00000000;

// The arrow keys move within a group of choices: each group's first
// control starts it (G), and so does every control that stands alone; the
// group's further members (M) follow it.
constexpr bool G = true;
constexpr bool M = false;

#define TOGGLE(id, x, y, w, h, on, off, field, index, group) \
    { ControlKind::Toggle, id, x, y, w, h, on, off, 0, 0, 0, 0, PanelField::field, index, group }
#define STATIC(x, y, w, h, bitmap) \
    { ControlKind::StaticBitmap, 0, x, y, w, h, bitmap, nullptr, 0, 0, 0, 0, PanelField::None, 0, G }
#define DIGITS(id, x, maximum, field)                                                                                 \
    {                                                                                                                 \
        ControlKind::DigitField, id, x, 269, 50, 44, nullptr, nullptr, kGreen, kBlack, maximum, 0, PanelField::field, \
            0, G                                                                                                      \
    }

// clang-format off
const PanelControlRow kRows[] = {
    TOGGLE(kBaseCoaxial, 18, 58, 123, 15, "coaxial_on", "coaxial_off", Coaxial, 0, G),
    TOGGLE(kBaseOptical, 18, 74, 123, 15, "optical_on", "optical_off", Optical, 0, M),
    TOGGLE(kBaseFs, 18, 117, 123, 15, "fs_on", "fs_off", Fs, 0, G),
    TOGGLE(kBaseFs256, 18, 133, 123, 15, "256fs_on", "256fs_off", Fs256, 0, M),
    TOGGLE(kBaseClockSource + 0, 18, 161, 123, 15, "internal_on", "internal_off", InternalClock, 0, G),
    TOGGLE(kBaseClockSource + 1, 18, 177, 123, 15, "digitalin_on", "digitalin_off", DigitalInClock, 0, M),
    TOGGLE(kBaseClockSource + 2, 18, 193, 123, 15, "word_on", "word_off", WordClock, 0, M),
    TOGGLE(kBaseClockSource + 3, 18, 209, 123, 15, "extertara_on", "extertara_off", UnitClock, 0, M),
    TOGGLE(kBaseRouteA + 0, 197, 56, 17, 15, "btn_on", "btn_off", RouteA, 0, G),
    TOGGLE(kBaseRouteA + 1, 197, 72, 17, 15, "btn_on", "btn_off", RouteA, 1, M),
    TOGGLE(kBaseRouteA + 2, 197, 88, 17, 15, "btn_on", "btn_off", RouteA, 2, M),
    TOGGLE(kBaseRouteA + 3, 197, 104, 17, 15, "btn_on", "btn_off", RouteA, 3, M),
    STATIC(215, 56, 72, 15, "out12_off"),
    STATIC(215, 72, 72, 15, "out34_off"),
    STATIC(215, 88, 72, 15, "out56_off"),
    STATIC(215, 104, 72, 15, "out78_off"),
    TOGGLE(kBaseRouteB + 0, 288, 56, 17, 15, "btn_on", "btn_off", RouteB, 0, G),
    TOGGLE(kBaseRouteB + 1, 288, 72, 17, 15, "btn_on", "btn_off", RouteB, 1, M),
    TOGGLE(kBaseRouteB + 2, 288, 88, 17, 15, "btn_on", "btn_off", RouteB, 2, M),
    TOGGLE(kBaseRouteB + 3, 288, 104, 17, 15, "btn_on", "btn_off", RouteB, 3, M),
    TOGGLE(kBaseRoutingOff, 312, 62, 19, 53, "off_on", "off_off", RoutingOff, 0, G),
    TOGGLE(kBaseRate + 0, 197, 133, 110, 15, "32000_on", "32000_off", Rate, 0, G),
    TOGGLE(kBaseRate + 1, 197, 149, 110, 15, "44100_on", "44100_off", Rate, 1, M),
    TOGGLE(kBaseRate + 2, 197, 165, 110, 15, "48000_on", "48000_off", Rate, 2, M),
    TOGGLE(kBaseAutoRate, 312, 129, 19, 53, "auto_on", "auto_off", AutoRate, 0, G),
    TOGGLE(kBaseShowHide, 197, 198, 110, 15, "showhide_on", "showhide_off", ShowHide, 0, G),
    {ControlKind::CardBadge, 0, 40, 11, 25, 31, nullptr, nullptr, 0, 0, 0, 0, PanelField::None, 0, G},
    DIGITS(kBaseHours, 39, 99, Hours),
    DIGITS(kBaseMinutes, 94, 59, Minutes),
    DIGITS(kBaseSeconds, 149, 59, Seconds),
    DIGITS(kBaseFrames, 204, 30, Frames),
    TOGGLE(kBaseStart, 269, 280, 44, 31, "start_on", "start_off", Start, 0, G),
    TOGGLE(kBaseFrameRate + 0, 37, 326, 40, 21, "24_on", "24_off", FrameRate, 0, G),
    TOGGLE(kBaseFrameRate + 1, 82, 326, 40, 21, "25_on", "25_off", FrameRate, 1, M),
    TOGGLE(kBaseFrameRate + 2, 127, 326, 40, 21, "2997_on", "2997_off", FrameRate, 2, M),
    TOGGLE(kBaseFrameRate + 3, 172, 326, 40, 21, "30D_on", "30D_off", FrameRate, 3, M),
    TOGGLE(kBaseFrameRate + 4, 217, 326, 40, 21, "30_on", "30_off", FrameRate, 4, M),
};
// clang-format on

#undef TOGGLE
#undef STATIC
#undef DIGITS

const char* const kBadgeBitmaps[kPanelColumns] = {"id1", "id2", "id3", "id4"};

template <size_t N>
ControlHandle* Member(ControlHandle (&array)[N], int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < N ? &array[index] : nullptr;
}

}  // namespace

const PanelControlRow* PanelLayoutRows() { return kRows; }

size_t PanelLayoutRowCount() { return sizeof kRows / sizeof kRows[0]; }

uint16_t LayoutControlId(const PanelControlRow& row, int32_t card) {
    if (row.kind == ControlKind::StaticBitmap || row.kind == ControlKind::CardBadge) return StaticBitmapId(card);
    return MakeControlId(card, row.baseId);
}

const char* LayoutBitmap(const PanelControlRow& row, int32_t card) {
    if (row.kind == ControlKind::CardBadge) return card >= 0 && card < kPanelColumns ? kBadgeBitmaps[card] : nullptr;
    return row.onBitmap;
}

bool OnTimecodeRow(const PanelControlRow& row) {
    switch (row.field) {
    case PanelField::Hours:
    case PanelField::Minutes:
    case PanelField::Seconds:
    case PanelField::Frames:
    case PanelField::Start:
    case PanelField::FrameRate: return true;
    default: return false;
    }
}

ControlHandle* PanelFieldSlot(CardPanel& panel, PanelField field, int32_t index) {
    switch (field) {
    case PanelField::Coaxial: return &panel.coaxial;
    case PanelField::Optical: return &panel.optical;
    case PanelField::Fs: return &panel.fs;
    case PanelField::Fs256: return &panel.fs256;
    case PanelField::InternalClock: return &panel.internalClock;
    case PanelField::DigitalInClock: return &panel.digitalInClock;
    case PanelField::WordClock: return &panel.wordClock;
    case PanelField::UnitClock: return &panel.unitClock;
    case PanelField::RouteA: return Member(panel.routeA, index);
    case PanelField::RouteB: return Member(panel.routeB, index);
    case PanelField::ShowHide: return &panel.showHide;
    case PanelField::Rate: return Member(panel.rate, index);
    case PanelField::RoutingOff: return &panel.routingOff;
    case PanelField::AutoRate: return &panel.autoRate;
    case PanelField::Hours: return &panel.hours;
    case PanelField::Minutes: return &panel.minutes;
    case PanelField::Seconds: return &panel.seconds;
    case PanelField::Frames: return &panel.frames;
    case PanelField::Start: return &panel.start;
    case PanelField::FrameRate: return Member(panel.frameRate, index);
    case PanelField::None: break;
    }
    return nullptr;
}
