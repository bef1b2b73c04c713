#include "gallery/gallery_window_win32.h"

#include <deque>
#include <string>
#include <vector>

#include "controls/bitmap_gauge.h"
#include "controls/bitmap_list.h"
#include "controls/bitmap_text.h"
#include "controls/control_access.h"
#include "controls/control_drawing.h"
#include "controls/control_tips.h"
#include "controls/digit_display.h"
#include "controls/digit_field.h"
#include "controls/horizontal_slider.h"
#include "controls/knob.h"
#include "controls/on_off_switch.h"
#include "controls/popup_menu_selector.h"
#include "controls/push_button.h"
#include "controls/small_text.h"
#include "controls/static_bitmap.h"
#include "controls/three_state_button.h"
#include "controls/toggle_button.h"
#include "controls/toolkit_dialog.h"
#include "controls/toolkit_frame.h"
#include "controls/vertical_slider.h"
#include "win32/back_buffer_win32.h"
#include "win32/gdi_scope_win32.h"
#include "win32/top_level_window_win32.h"

namespace {

const char kGalleryClassName[] = "KivGallery";
const char kGalleryTitle[] = "Control gallery";

// The desk's look: a dark plate, white legends, amber values.
const COLORREF kPlate = RGB(50, 54, 60);
const COLORREF kLegend = RGB(214, 217, 222);
const COLORREF kLegendDim = RGB(140, 146, 154);
const COLORREF kValue = RGB(255, 190, 80);
const COLORREF kLogBack = RGB(24, 26, 30);
const COLORREF kLogText = RGB(120, 230, 120);

const char* const kRateItems[] = {"32 kHz", "44.1 kHz", "48 kHz", "Auto"};
constexpr int kRateItemCount = 4;
constexpr int kHorizontalMaximum = 127;

GalleryEventSink eventSink = nullptr;

struct CellClass;

// A cell of the plan as the running gallery holds it.
struct LiveCell {
    const GalleryCell* cell;
    const CellClass* row;  // what the gallery does with its class
    HWND control;          // as made: a scroll or double click names it by this handle's low 16 bits
    std::string shown;     // its value as last drawn
};

struct GalleryState {
    explicit GalleryState(const CREATESTRUCTA& create) : instance(create.hInstance) {}

    HINSTANCE instance;
    std::vector<LiveCell> cells;         // the plan's, in its order
    std::deque<std::string> log;         // newest last
    int gaugePosition = 33;              // what the gallery last gave the gauge
    std::string bitmapText = "GALLERY";  // ... the bitmap text
    std::string smallText = "Small text";
    int displayValue = 359;  // what the digit display shows
    int leftClicks = 0;      // the push button's
    int rightClicks = 0;
    HWND focus = nullptr;  // the control that had the focus when the gallery went inactive
    OwnedGdiObject labelFont{MakeFont(13, FW_BOLD, "Arial")};
    OwnedGdiObject noteFont{MakeFont(12, FW_NORMAL, "Arial")};
    OwnedGdiObject logFont{MakeFont(13, FW_NORMAL, "Courier New")};
};

// What the gallery does with one class: makes its control (given the one it
// drives when that is made first: the vertical slider's buddy), reads the
// value written beside it, and follows its news into the control it drives.
struct CellClass {
    GalleryKind kind;
    HWND (*make)(HINSTANCE instance, HWND gallery, const GalleryCell& cell, HWND driven);
    std::string (*read)(HWND control, const GalleryState& state);
    void (*follow)(GalleryState& state, const GalleryEvent& event, HWND control, HWND driven);
};

SkinImage Skin(HINSTANCE instance, const char* name) { return LoadSkinBitmap(instance, name); }

HWND MakeToggle(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    return CreateToggle(instance, gallery, c.id, c.x, c.y, "start_on", "start_off", c.what);
}

HWND MakeStaticBitmap(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    return CreateStaticBitmap(instance, gallery, c.id, c.x, c.y, "id2", c.what);
}

HWND MakeDigitField(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    return CreateDigitField(instance, gallery, c.id, c.x, c.y,
                            {c.width, c.height, RGB(0, 255, 0), RGB(0, 0, 0), 59, 0, c.what});
}

HWND MakeSmallText(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    return CreateSmallText(instance, gallery, c.id, c.x, c.y, c.width, c.height, "Small text", RGB(255, 228, 168),
                           RGB(24, 26, 30));
}

HWND MakePushButton(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    return CreatePushButton(instance, gallery, c.id, c.x, c.y, Skin(instance, "push_released"),
                            Skin(instance, "push_pressed"), c.what);
}

HWND MakePopupMenuSelector(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    PopupMenuSelectorArgs args = {};
    args.face = Skin(instance, "popmenu_face");
    args.items = kRateItems;
    args.itemCount = kRateItemCount;
    args.selection = 0;
    args.openerReleased = Skin(instance, "opener_released");
    args.openerPressed = Skin(instance, "opener_pressed");
    args.label = c.what;
    return CreatePopupMenuSelector(instance, gallery, c.id, c.x, c.y, args);
}

HWND MakeThreeStateButton(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    ThreeStateButtonArgs args = {};
    args.faces[0] = Skin(instance, "state3_0");
    args.faces[1] = Skin(instance, "state3_1");
    args.faces[2] = Skin(instance, "state3_2");
    args.state = 0;
    args.label = c.what;
    return CreateThreeStateButton(instance, gallery, c.id, c.x, c.y, args);
}

HWND MakeVerticalSlider(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND buddy) {
    VerticalSliderArgs args = {};
    args.bottomStop = 100;
    args.topStop = 10;
    args.maxValue = 127;
    args.value = 0;
    args.step = 5;
    args.rail = Skin(instance, "vs_rail");
    args.thumb = Skin(instance, "vs_thumb");
    args.focusedThumb = Skin(instance, "vs_thumb_focus");
    args.buddy = buddy;
    args.label = c.what;
    return CreateVerticalSlider(instance, gallery, c.id, c.x, c.y, args);
}

HWND MakeBitmapList(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    const SkinImage pictures[] = {Skin(instance, "list_sine"), Skin(instance, "list_square"),
                                  Skin(instance, "list_triangle"), Skin(instance, "list_saw")};
    return CreateBitmapList(instance, gallery, c.id, c.x, c.y, pictures, 4, 2, c.what);
}

HWND MakeBitmapGauge(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    return CreateBitmapGauge(instance, gallery, c.id, c.x, c.y, c.width, c.height, 33, c.what);
}

HWND MakeBitmapText(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    return CreateBitmapText(instance, gallery, c.id, c.x, c.y, Skin(instance, "glyph_strip"), 12, c.what, "GALLERY");
}

HWND MakeDigitDisplay(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    return CreateDigitDisplay(instance, gallery, c.id, c.x, c.y, Skin(instance, "digit_strip"), c.what);
}

HWND MakeKnob(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    KnobArgs args = {};
    args.width = c.width;
    args.height = c.height;
    args.minValue = 0;
    args.maxValue = 100;
    args.value = 50;
    args.step = 5;
    args.indicator = Skin(instance, "knob_dot");
    args.focusedIndicator = Skin(instance, "knob_dot_focus");
    // What lies under the knob: the dial the gallery draws there.
    args.background = CaptureParentArea(gallery, c.x, c.y, c.width, c.height);
    args.label = c.what;
    return CreateKnob(instance, gallery, c.id, c.x, c.y, args);
}

HWND MakeHorizontalSlider(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    HorizontalSliderArgs args = {};
    args.leftStop = 5;
    args.rightStop = 100;
    args.maxValue = kHorizontalMaximum;
    args.value = 0;
    args.rail = Skin(instance, "hs_rail");
    args.thumb = Skin(instance, "hs_thumb");
    args.focusedThumb = Skin(instance, "hs_thumb_focus");
    args.label = c.what;
    return CreateHorizontalSlider(instance, gallery, c.id, c.x, c.y, args);
}

HWND MakeOnOffSwitch(HINSTANCE instance, HWND gallery, const GalleryCell& c, HWND) {
    return CreateOnOffSwitch(instance, gallery, c.id, c.x, c.y, c.what);
}

long Ask(HWND control, UINT message) { return static_cast<long>(SendMessageA(control, message, 0, 0)); }

std::string ReadSwitch(HWND control, const GalleryState&) { return Ask(control, BM_GETCHECK) == 1 ? "on" : "off"; }

std::string ReadPicture(HWND, const GalleryState&) { return "picture id2"; }

std::string ReadPosition(HWND control, const GalleryState&) { return std::to_string(Ask(control, SBM_GETPOS)); }

std::string ReadSmallText(HWND, const GalleryState& state) { return "\"" + state.smallText + "\""; }

std::string ReadClicks(HWND, const GalleryState& state) {
    return "left " + std::to_string(state.leftClicks) + ", right " + std::to_string(state.rightClicks);
}

std::string ReadSelection(HWND control, const GalleryState&) {
    const long selection = Ask(control, SBM_GETPOS);
    const bool item = selection >= 0 && selection < kRateItemCount;
    return std::to_string(selection) + (item ? std::string(": ") + kRateItems[selection] : std::string());
}

std::string ReadThreeState(HWND control, const GalleryState&) {
    return "state " + std::to_string(Ask(control, BM_GETCHECK));
}

std::string ReadListIndex(HWND control, const GalleryState& state) { return "index " + ReadPosition(control, state); }

std::string ReadGauge(HWND, const GalleryState& state) { return std::to_string(state.gaugePosition) + " %"; }

std::string ReadBitmapText(HWND, const GalleryState& state) { return "\"" + state.bitmapText + "\""; }

std::string ReadDisplay(HWND, const GalleryState& state) { return std::to_string(state.displayValue); }

// The buddy follows the vertical slider by itself; the gallery notes it.
void NoteBuddyValue(GalleryState& state, const GalleryEvent& event, HWND, HWND) {
    if (event.message == GalleryMessage::VScroll) state.displayValue = static_cast<int>(event.value);
}

void MoveGauge(GalleryState& state, const GalleryEvent& event, HWND, HWND gauge) {
    if (event.message != GalleryMessage::HScroll) return;
    state.gaugePosition = static_cast<int>(event.value) * 100 / kHorizontalMaximum;
    SendMessageA(gauge, SBM_SETPOS, static_cast<WPARAM>(state.gaugePosition), 0);
}

// A changed selection (code 1) shows in the bitmap text, in its capitals.
void ShowSelection(GalleryState& state, const GalleryEvent& event, HWND selector, HWND text) {
    if (event.message != GalleryMessage::Command || event.code != 1) return;
    const long selection = Ask(selector, SBM_GETPOS);
    if (selection < 0 || selection >= kRateItemCount) return;
    state.bitmapText = kRateItems[selection];
    SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(state.bitmapText.c_str()));
    for (char& c : state.bitmapText) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

// Code 2 is the right button's click, any other the left's.
void CountClick(GalleryState& state, const GalleryEvent& event, HWND, HWND) {
    if (event.message == GalleryMessage::Command) (event.code == 2 ? state.rightClicks : state.leftClicks)++;
}

const CellClass kCellClasses[] = {
    {GalleryKind::Toggle, MakeToggle, ReadSwitch, nullptr},
    {GalleryKind::StaticBitmap, MakeStaticBitmap, ReadPicture, nullptr},
    {GalleryKind::DigitField, MakeDigitField, ReadPosition, nullptr},
    {GalleryKind::SmallText, MakeSmallText, ReadSmallText, nullptr},
    {GalleryKind::PushButton, MakePushButton, ReadClicks, CountClick},
    {GalleryKind::PopupMenuSelector, MakePopupMenuSelector, ReadSelection, ShowSelection},
    {GalleryKind::ThreeStateButton, MakeThreeStateButton, ReadThreeState, nullptr},
    {GalleryKind::VerticalSlider, MakeVerticalSlider, ReadPosition, NoteBuddyValue},
    {GalleryKind::BitmapList, MakeBitmapList, ReadListIndex, nullptr},
    {GalleryKind::BitmapGauge, MakeBitmapGauge, ReadGauge, nullptr},
    {GalleryKind::BitmapText, MakeBitmapText, ReadBitmapText, nullptr},
    {GalleryKind::DigitDisplay, MakeDigitDisplay, ReadDisplay, nullptr},
    {GalleryKind::Knob, MakeKnob, ReadPosition, nullptr},
    {GalleryKind::HorizontalSlider, MakeHorizontalSlider, ReadPosition, MoveGauge},
    {GalleryKind::OnOffSwitch, MakeOnOffSwitch, ReadSwitch, nullptr},
};

LiveCell* CellWithId(GalleryState& state, int id) {
    for (LiveCell& live : state.cells)
        if (live.cell->id == id) return &live;
    return nullptr;
}

// The cell whose control's handle has the low 16 bits that lParam carries.
LiveCell* CellWithHandleWord(GalleryState& state, LPARAM handleWord) {
    for (LiveCell& live : state.cells) {
        const UINT_PTR handle = reinterpret_cast<UINT_PTR>(live.control);
        if (live.control != nullptr && (handle & 0xFFFF) == (static_cast<UINT_PTR>(handleWord) & 0xFFFF)) return &live;
    }
    return nullptr;
}

LiveCell* CellOfKind(GalleryState& state, GalleryKind kind) {
    for (LiveCell& live : state.cells)
        if (live.cell->kind == kind) return &live;
    return nullptr;
}

HWND ControlOf(const LiveCell* live) { return live != nullptr ? live->control : nullptr; }

void Text(HDC dc, const OwnedGdiObject& font, COLORREF colour, int x, int y, const std::string& text) {
    ScopedSelection useFont(dc, font.get());
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

RECT LogRect() { return RECT{16, kGalleryLogTop, kGalleryWidth - 16, kGalleryHeight - 12}; }

constexpr int kNamesWidth = 180;  // room enough for the longest names

bool Meets(const RECT& a, int left, int top, int right, int bottom) {
    return a.left < right && left < a.right && a.top < bottom && top < a.bottom;
}

// The gallery's picture within `area`: the plate, every cell's names and
// value, the knob's dial, the log. The controls draw themselves over it.
void DrawGallery(HDC dc, const GalleryState& state, const RECT& area) {
    {
        OwnedGdiObject plate(CreateSolidBrush(PaletteColour(kPlate)));
        FillRect(dc, &area, static_cast<HBRUSH>(plate.get()));
    }
    SetBkMode(dc, TRANSPARENT);
    for (const LiveCell& live : state.cells) {
        const GalleryCell& cell = *live.cell;
        if (Meets(area, cell.x, cell.y - 30, cell.x + kNamesWidth, cell.y)) {
            Text(dc, state.labelFont, kLegend, cell.x, cell.y - 30, cell.className);
            const std::string what = std::string(cell.what) + " " + std::to_string(cell.id);
            Text(dc, state.noteFont, kLegendDim, cell.x, cell.y - 16, what);
        }
        const GalleryBox box = GalleryReadoutBox(cell);
        if (Meets(area, box.left, box.top, box.right, box.bottom))
            Text(dc, state.labelFont, kValue, box.left, box.top, live.row->read(live.control, state));
        if (cell.kind == GalleryKind::Knob && Meets(area, cell.x, cell.y, cell.x + cell.width, cell.y + cell.height))
            CopyWholeImage(dc, cell.x, cell.y, LoadSkinBitmap(state.instance, "knob_dial"));
    }
    const RECT log = LogRect();
    if (!Meets(area, log.left, log.top - 20, log.right, log.bottom)) return;
    {
        OwnedGdiObject back(CreateSolidBrush(PaletteColour(kLogBack)));
        FillRect(dc, &log, static_cast<HBRUSH>(back.get()));
    }
    Text(dc, state.labelFont, kLegend, log.left, log.top - 20, "Notifications that reached the gallery, newest last");
    int y = log.top + 6;
    for (const std::string& line : state.log) {
        Text(dc, state.logFont, kLogText, log.left + 8, y, line);
        y += 16;
    }
}

// Paints one box of the gallery at once, alone (never its controls).
void RedrawBox(HWND gallery, const RECT& box) {
    RedrawWindow(gallery, &box, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
}

// Reads a cell's value again and redraws its box when it changed: no box
// lies under a control, and a drag's stream of news stays cheap.
void ShowValue(HWND gallery, const GalleryState& state, LiveCell& live) {
    std::string readout = live.row->read(live.control, state);
    if (readout == live.shown) return;
    live.shown = std::move(readout);
    const GalleryBox box = GalleryReadoutBox(*live.cell);
    RedrawBox(gallery, RECT{box.left, box.top, box.right, box.bottom});
}

void OnCreate(HWND gallery, GalleryState& state) {
    for (size_t i = 0; i < GalleryCellCount(); ++i) {
        for (const CellClass& row : kCellClasses)
            if (row.kind == GalleryCells()[i].kind) state.cells.push_back({&GalleryCells()[i], &row, nullptr, ""});
    }
    for (LiveCell& live : state.cells) {
        const HWND driven = ControlOf(CellWithId(state, live.cell->drives));
        live.control = live.row->make(state.instance, gallery, *live.cell, driven);
        live.shown = live.row->read(live.control, state);
        // One of each class, no choices that go together: every control is
        // a group of its own, so a toggle's arrows keep to it.
        StartControlGroup(live.control);
        SetControlWords(live.control, nullptr, live.cell->tip);
    }
    ShowControlTips(gallery);
}

// A notification from `sender` (null: no cell's, ignored); then only the
// values it can have changed are read again.
void OnNotification(HWND gallery, GalleryState& state, LiveCell* sender, GalleryMessage message, unsigned code,
                    unsigned value) {
    if (sender == nullptr) return;
    const GalleryEvent event = {sender->cell->id, message, code, value};
    if (eventSink != nullptr) eventSink(EventLine(event));
    LiveCell* driven = CellWithId(state, sender->cell->drives);
    if (sender->row->follow != nullptr) sender->row->follow(state, event, sender->control, ControlOf(driven));
    LiveCell* namer = CellOfKind(state, GalleryKind::SmallText);
    if (namer != sender) {
        state.smallText = sender->cell->what;
        SendMessageA(ControlOf(namer), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(state.smallText.c_str()));
    }
    state.log.push_back(DescribeEvent(event));
    while (state.log.size() > static_cast<size_t>(kGalleryLogLines)) state.log.pop_front();
    for (LiveCell* changed : {sender, driven, namer})
        if (changed != nullptr) ShowValue(gallery, state, *changed);
    RedrawBox(gallery, LogRect());
}

LRESULT GalleryProc(HWND gallery, GalleryState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(gallery, state); return 0;
    case WM_CLOSE:
        // Its close box, or another program asking it to end (the setup and
        // the uninstaller do): the program ends with exit code 0.
        DestroyWindow(gallery);
        return 0;
    case WM_ACTIVATE:
        // The focus stays on the controls, from the first tab stop on.
        if (KeepFocusOnActivation(gallery, wParam, &state.focus)) return 0;
        break;
    case WM_ERASEBKGND: return 1;  // the paint covers the whole client area
    case WM_PAINT:
        PaintThroughBackBuffer(gallery, [&](HDC dc, const RECT& area) { DrawGallery(dc, state, area); });
        return 0;
    case WM_PRINTCLIENT:
        // A control that shows its parent through asks for the picture here.
        if (wParam != 0) DrawGallery(reinterpret_cast<HDC>(wParam), state, RECT{0, 0, kGalleryWidth, kGalleryHeight});
        return 0;
    case WM_COMMAND:
        OnNotification(gallery, state, CellWithId(state, LOWORD(wParam)), GalleryMessage::Command, HIWORD(wParam), 0);
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        OnNotification(gallery, state, CellWithHandleWord(state, lParam),
                       message == WM_VSCROLL ? GalleryMessage::VScroll : GalleryMessage::HScroll, LOWORD(wParam),
                       HIWORD(wParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        // The gallery's class takes no double clicks itself: this one was
        // passed on by a control.
        OnNotification(gallery, state, CellWithHandleWord(state, lParam), GalleryMessage::DoubleClick, 0, 0);
        return 0;
    default: break;
    }
    return DefWindowProcA(gallery, message, wParam, lParam);
}

const TopLevelClass<GalleryState> kGalleryClass = {kGalleryClassName, 0, nullptr, true, nullptr, GalleryProc};

}  // namespace

void SetGalleryEventSink(GalleryEventSink sink) { eventSink = sink; }

HWND CreateGalleryWindow(HINSTANCE instance) {
    // No WS_CLIPCHILDREN: the knob draws only its indicator and shows the
    // gallery's picture around it.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, kGalleryWidth, kGalleryHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2 > 0 ? (GetSystemMetrics(SM_CXSCREEN) - width) / 2 : 0;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2 > 0 ? (GetSystemMetrics(SM_CYSCREEN) - height) / 2 : 0;
    return CreateTopLevelWindow<kGalleryClass>(instance, kGalleryTitle, style, x, y, width, height);
}

void UnregisterGalleryClass(HINSTANCE instance) { UnregisterClassA(kGalleryClassName, instance); }
