// The control gallery's plan: one control of each of the toolkit's fifteen
// classes, its id, its place, and the room for its class name and its live
// value; and the lines that tell what reached the gallery. Portable: no
// windows.h here.
#pragma once

#include <cstddef>
#include <string>

enum class GalleryKind {
    Toggle,
    StaticBitmap,
    DigitField,
    SmallText,
    PushButton,
    PopupMenuSelector,
    ThreeStateButton,
    VerticalSlider,
    BitmapList,
    BitmapGauge,
    BitmapText,
    DigitDisplay,
    Knob,
    HorizontalSlider,
    OnOffSwitch,
};

struct GalleryCell {
    int id;
    GalleryKind kind;
    const char* className;  // shown above the control
    const char* what;       // what the control is, beside the class name
    int x, y;               // the control's top-left corner in the gallery
    int width, height;      // its size (the size of its main face where it has one)
    int drives;             // the id of the control whose value it sets; 0: none
    const char* tip;        // shown under the pointer; what a reader hears after its name (`what`)
};

// The fifteen cells, in the order the gallery creates them.
const GalleryCell* GalleryCells();
size_t GalleryCellCount();
// The cell of control `id`, or null.
const GalleryCell* FindGalleryCell(int id);

struct GalleryBox {
    int left, top, right, bottom;
};
constexpr int kGalleryReadoutWidth = 140;
constexpr int kGalleryReadoutHeight = 16;
// Where a cell's value is written: right of its control, cut short of the
// next control to the right, so redrawing a value never touches a control.
GalleryBox GalleryReadoutBox(const GalleryCell& cell);

constexpr int kGalleryWidth = 820;  // client area
constexpr int kGalleryHeight = 600;
constexpr int kGalleryLogTop = 440;  // the notification log below the cells
constexpr int kGalleryLogLines = 8;

// What a control told the gallery.
enum class GalleryMessage { Command, VScroll, HScroll, DoubleClick };

struct GalleryEvent {
    int id;
    GalleryMessage message;
    unsigned code;   // WM_COMMAND: the notification code; scrolls: the low word
    unsigned value;  // scrolls: the high word, unsigned
};

// The --events line: "<id> COMMAND <code>", "<id> VSCROLL <code> <pos>",
// "<id> HSCROLL <code> <pos>" or "<id> DBLCLK", without the line end.
std::string EventLine(const GalleryEvent& event);

// The log's line for a person: which control, which message, code and value.
std::string DescribeEvent(const GalleryEvent& event);
