#include "gallery/gallery_layout.h"

#include <cstdio>

namespace {

// Three columns of cells; each control stands below its class name, with
// its value to its right, and shows its tip under the pointer. The digit display sits beside the vertical slider
// that drives it; the horizontal slider drives the gauge, the popup-menu
// selector the bitmap text.
const GalleryCell kCells[] = {
    {201, GalleryKind::Toggle, "Kiv_TogleClass", "toggle button", 24, 44, 44, 31, 0,
     "A toggle button: a click turns it on or off"},
    {301, GalleryKind::StaticBitmap, "Kiv_StaticClass", "static bitmap", 24, 124, 25, 31, 0,
     "A static bitmap: a picture the program changes by name"},
    {401, GalleryKind::DigitField, "Kiv_DigitExClass", "digit entry field", 24, 204, 50, 44, 0,
     "A digit entry field: a click counts up, a right click sets 0, the wheel counts"},
    {501, GalleryKind::SmallText, "Kiv_SmallTextClass", "small text", 24, 298, 75, 16, 0,
     "Small text: names the control that spoke last"},
    {601, GalleryKind::PushButton, "Kiv_ButtonClass", "push button", 24, 364, 64, 22, 0,
     "A push button: a click or a right click reaches the gallery"},
    {701, GalleryKind::PopupMenuSelector, "Kiv_PopMenuClass", "popup-menu selector", 296, 44, 120, 20, 1201,
     "A popup-menu selector: a click steps to the next rate, its arrow opens the menu"},
    {801, GalleryKind::ThreeStateButton, "Kiv_State3Class", "three-state button", 296, 124, 40, 21, 0,
     "A three-state button: each click steps to the next of its three states"},
    {1001, GalleryKind::BitmapList, "Kiv_BmpListClass", "bitmap list", 296, 204, 48, 32, 0,
     "A bitmap list: a click shows the next picture, a right click the one before"},
    {1101, GalleryKind::BitmapGauge, "Kiv_BmpGageClass", "bitmap gauge", 296, 298, 200, 12, 0,
     "A bitmap gauge: shows the horizontal slider's value"},
    {1201, GalleryKind::BitmapText, "Kiv_BmpTextClass", "bitmap text", 296, 364, 72, 7, 0,
     "Bitmap text: shows the rate chosen in the popup-menu selector"},
    // The digit display first: it is the vertical slider's buddy.
    {1301, GalleryKind::DigitDisplay, "Kiv_DigitClass", "digit display", 680, 124, 18, 7, 0,
     "A digit display: shows the vertical slider's value"},
    {901, GalleryKind::VerticalSlider, "Kiv_VSClass", "vertical slider", 600, 44, 20, 120, 1301,
     "A vertical slider: drag its thumb, or use the wheel or the Up and Down keys"},
    {1401, GalleryKind::Knob, "Kiv_KnobClass", "knob", 600, 204, 41, 41, 0,
     "A knob: drag around it, or use the wheel or the Up and Down keys"},
    {1501, GalleryKind::HorizontalSlider, "Kiv_HSClass", "horizontal slider", 600, 298, 112, 12, 1101,
     "A horizontal slider: drag its thumb, or use the wheel or the arrow keys"},
    {1601, GalleryKind::OnOffSwitch, "Kiv_OnOffClass", "on/off switch", 600, 364, 40, 20, 0,
     "An on/off switch: a click switches it"},
};

const char* MessageWord(GalleryMessage message) {
    switch (message) {
    case GalleryMessage::Command: return "COMMAND";
    case GalleryMessage::VScroll: return "VSCROLL";
    case GalleryMessage::HScroll: return "HSCROLL";
    case GalleryMessage::DoubleClick: return "DBLCLK";
    }
    return "?";
}

const char* ScrollCodeName(unsigned code) {
    switch (code) {
    case 4: return "SB_THUMBPOSITION";
    case 5: return "SB_THUMBTRACK";
    default: return "code";
    }
}

}  // namespace

const GalleryCell* GalleryCells() { return kCells; }

size_t GalleryCellCount() { return sizeof kCells / sizeof kCells[0]; }

GalleryBox GalleryReadoutBox(const GalleryCell& cell) {
    const int left = cell.x + cell.width + 12;
    int columnEnd = kGalleryWidth - 8;
    for (const GalleryCell& other : kCells) {
        const bool sameRows = other.y < cell.y + kGalleryReadoutHeight && cell.y < other.y + other.height;
        if (sameRows && other.x > cell.x + cell.width && other.x - 8 < columnEnd) columnEnd = other.x - 8;
    }
    const int right = left + kGalleryReadoutWidth < columnEnd ? left + kGalleryReadoutWidth : columnEnd;
    return {left, cell.y, right, cell.y + kGalleryReadoutHeight};
}

const GalleryCell* FindGalleryCell(int id) {
    for (const GalleryCell& cell : kCells)
        if (cell.id == id) return &cell;
    return nullptr;
}

std::string EventLine(const GalleryEvent& event) {
    char line[64];
    switch (event.message) {
    case GalleryMessage::Command: std::snprintf(line, sizeof line, "%d COMMAND %u", event.id, event.code); break;
    case GalleryMessage::VScroll:
    case GalleryMessage::HScroll:
        std::snprintf(line, sizeof line, "%d %s %u %u", event.id, MessageWord(event.message), event.code, event.value);
        break;
    case GalleryMessage::DoubleClick: std::snprintf(line, sizeof line, "%d DBLCLK", event.id); break;
    }
    return line;
}

std::string DescribeEvent(const GalleryEvent& event) {
    const GalleryCell* cell = FindGalleryCell(event.id);
    char line[128];
    const char* name = cell != nullptr ? cell->what : "control";
    switch (event.message) {
    case GalleryMessage::Command:
        std::snprintf(line, sizeof line, "%s %d: WM_COMMAND, code %u", name, event.id, event.code);
        break;
    case GalleryMessage::VScroll:
    case GalleryMessage::HScroll:
        std::snprintf(line, sizeof line, "%s %d: WM_%s, %s (%u), value %u", name, event.id, MessageWord(event.message),
                      ScrollCodeName(event.code), event.code, event.value);
        break;
    case GalleryMessage::DoubleClick:
        std::snprintf(line, sizeof line, "%s %d: WM_LBUTTONDBLCLK", name, event.id);
        break;
    }
    return line;
}
