#include "gallery/gallery_window_win32.h"

#include <cstdio>
#include <deque>
#include <new>
#include <vector>

#include "controls/bitmap_gauge.h"
#include "controls/bitmap_list.h"
#include "controls/bitmap_text.h"
#include "controls/control_drawing.h"
#include "controls/digit_display.h"
#include "controls/digit_field.h"
#include "win32/gdi_scope_win32.h"
#include "controls/horizontal_slider.h"
#include "controls/knob.h"
#include "controls/on_off_switch.h"
#include "controls/popup_menu_selector.h"
#include "controls/push_button.h"
#include "controls/small_text.h"
#include "controls/static_bitmap.h"
#include "controls/three_state_button.h"
#include "controls/toggle_button.h"
#include "controls/toolkit_frame.h"
#include "controls/vertical_slider.h"
#include "resource.h"

const char kGalleryClassName[] = "KivGallery";
const char kGalleryTitle[] = "Control gallery";

namespace {

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

struct GalleryState {
    HINSTANCE instance = nullptr;
    std::deque<std::string> log;        // newest last
    int gaugePosition = 33;              // what the gallery last gave the gauge
    std::string bitmapText = "GALLERY";  // ... the bitmap text
    std::string smallText = "Small text";
    int displayValue = 359;              // what the digit display shows
    int leftClicks = 0;                  // the push button's
    int rightClicks = 0;
    HFONT labelFont = nullptr;
    HFONT noteFont = nullptr;
    HFONT logFont = nullptr;
    std::vector<std::string> shownReadouts;  // each cell's value as last shown
};

GalleryState* StateOfGallery(HWND window) {
    return reinterpret_cast<GalleryState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HFONT MakeFont(int height, int weight, const char* face) {
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

HBITMAP Skin(HINSTANCE instance, const char* name) { return LoadSkinBitmap(instance, name); }

HWND CreateCellControl(HINSTANCE instance, HWND gallery, const GalleryCell& cell) {
    const int x = cell.x;
    const int y = cell.y;
    switch (cell.kind) {
    case GalleryKind::Toggle:
        return CreateToggle(instance, gallery, cell.id, x, y, "start_on", "start_off");
    case GalleryKind::StaticBitmap:
        return CreateStaticBitmap(instance, gallery, cell.id, x, y, "id2");
    case GalleryKind::DigitField:
        return CreateDigitField(instance, gallery, cell.id, x, y,
                                {cell.width, cell.height, RGB(0, 255, 0), RGB(0, 0, 0), 59, 0});
    case GalleryKind::SmallText:
        return CreateSmallText(instance, gallery, cell.id, x, y, cell.width, cell.height, "Small text",
                               RGB(255, 228, 168), RGB(24, 26, 30));
    case GalleryKind::PushButton:
        return CreatePushButton(instance, gallery, cell.id, x, y, Skin(instance, "push_released"),
                                Skin(instance, "push_pressed"));
    case GalleryKind::PopupMenuSelector: {
        PopupMenuSelectorArgs args = {};
        args.face = Skin(instance, "popmenu_face");
        args.items = kRateItems;
        args.itemCount = kRateItemCount;
        args.selection = 0;
        args.openerReleased = Skin(instance, "opener_released");
        args.openerPressed = Skin(instance, "opener_pressed");
        return CreatePopupMenuSelector(instance, gallery, cell.id, x, y, args);
    }
    case GalleryKind::ThreeStateButton: {
        ThreeStateButtonArgs args = {};
        args.faces[0] = Skin(instance, "state3_0");
        args.faces[1] = Skin(instance, "state3_1");
        args.faces[2] = Skin(instance, "state3_2");
        args.state = 0;
        return CreateThreeStateButton(instance, gallery, cell.id, x, y, args);
    }
    case GalleryKind::VerticalSlider: {
        VerticalSliderArgs args = {};
        args.bottomStop = 100;
        args.topStop = 10;
        args.maxValue = 127;
        args.value = 0;
        args.step = 5;
        args.rail = Skin(instance, "vs_rail");
        args.thumb = Skin(instance, "vs_thumb");
        args.focusedThumb = Skin(instance, "vs_thumb_focus");
        args.buddy = GetDlgItem(gallery, 1301);
        return CreateVerticalSlider(instance, gallery, cell.id, x, y, args);
    }
    case GalleryKind::BitmapList: {
        const HBITMAP pictures[] = {Skin(instance, "list_sine"), Skin(instance, "list_square"),
                                    Skin(instance, "list_triangle"), Skin(instance, "list_saw")};
        return CreateBitmapList(instance, gallery, cell.id, x, y, pictures, 4, 2);
    }
    case GalleryKind::BitmapGauge:
        return CreateBitmapGauge(instance, gallery, cell.id, x, y, cell.width, cell.height, 33);
    case GalleryKind::BitmapText:
        return CreateBitmapText(instance, gallery, cell.id, x, y, Skin(instance, "glyph_strip"), 12, "Bitmap text",
                                "GALLERY");
    case GalleryKind::DigitDisplay:
        return CreateDigitDisplay(instance, gallery, cell.id, x, y, Skin(instance, "digit_strip"));
    case GalleryKind::Knob: {
        KnobArgs args = {};
        args.width = cell.width;
        args.height = cell.height;
        args.minValue = 0;
        args.maxValue = 100;
        args.value = 50;
        args.step = 5;
        args.indicator = Skin(instance, "knob_dot");
        args.focusedIndicator = Skin(instance, "knob_dot_focus");
        // What lies under the knob: the dial the gallery draws there.
        args.background = CaptureParentArea(gallery, x, y, cell.width, cell.height);
        return CreateKnob(instance, gallery, cell.id, x, y, args);
    }
    case GalleryKind::HorizontalSlider: {
        HorizontalSliderArgs args = {};
        args.leftStop = 5;
        args.rightStop = 100;
        args.maxValue = kHorizontalMaximum;
        args.value = 0;
        args.rail = Skin(instance, "hs_rail");
        args.thumb = Skin(instance, "hs_thumb");
        args.focusedThumb = Skin(instance, "hs_thumb_focus");
        return CreateHorizontalSlider(instance, gallery, cell.id, x, y, args);
    }
    case GalleryKind::OnOffSwitch:
        return CreateOnOffSwitch(instance, gallery, cell.id, x, y);
    }
    return nullptr;
}

LRESULT Ask(HWND gallery, int id, UINT message) { return SendMessageA(GetDlgItem(gallery, id), message, 0, 0); }

std::string Number(long value) {
    char text[16];
    std::snprintf(text, sizeof text, "%ld", value);
    return text;
}

std::string Readout(HWND gallery, const GalleryState& state, const GalleryCell& cell) {
    switch (cell.kind) {
    case GalleryKind::Toggle:
    case GalleryKind::OnOffSwitch:
        return Ask(gallery, cell.id, BM_GETCHECK) == 1 ? "on" : "off";
    case GalleryKind::StaticBitmap:
        return "picture id2";
    case GalleryKind::SmallText:
        return "\"" + state.smallText + "\"";
    case GalleryKind::PushButton:
        return "left " + Number(state.leftClicks) + ", right " + Number(state.rightClicks);
    case GalleryKind::PopupMenuSelector: {
        const long selection = static_cast<long>(Ask(gallery, cell.id, SBM_GETPOS));
        const bool item = selection >= 0 && selection < kRateItemCount;
        return Number(selection) + (item ? std::string(": ") + kRateItems[selection] : std::string());
    }
    case GalleryKind::ThreeStateButton:
        return "state " + Number(static_cast<long>(Ask(gallery, cell.id, BM_GETCHECK)));
    case GalleryKind::BitmapList:
        return "index " + Number(static_cast<long>(Ask(gallery, cell.id, SBM_GETPOS)));
    case GalleryKind::BitmapGauge:
        return Number(state.gaugePosition) + " %";
    case GalleryKind::BitmapText:
        return "\"" + state.bitmapText + "\"";
    case GalleryKind::DigitDisplay:
        return Number(state.displayValue);
    case GalleryKind::DigitField:
    case GalleryKind::VerticalSlider:
    case GalleryKind::Knob:
    case GalleryKind::HorizontalSlider:
        return Number(static_cast<long>(Ask(gallery, cell.id, SBM_GETPOS)));
    }
    return "";
}

void Text(HDC dc, HFONT font, COLORREF colour, int x, int y, const std::string& text) {
    ScopedSelection useFont(dc, font);
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
void DrawGallery(HWND gallery, HDC dc, const GalleryState& state, const RECT& area) {
    {
        OwnedGdiObject plate(CreateSolidBrush(kPlate));
        FillRect(dc, &area, static_cast<HBRUSH>(plate.get()));
    }
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < GalleryCellCount(); ++i) {
        const GalleryCell& cell = GalleryCells()[i];
        if (Meets(area, cell.x, cell.y - 30, cell.x + kNamesWidth, cell.y)) {
            Text(dc, state.labelFont, kLegend, cell.x, cell.y - 30, cell.className);
            Text(dc, state.noteFont, kLegendDim, cell.x, cell.y - 16, std::string(cell.what) + " " + Number(cell.id));
        }
        const GalleryBox box = GalleryReadoutBox(cell);
        if (Meets(area, box.left, box.top, box.right, box.bottom)) {
            Text(dc, state.labelFont, kValue, box.left, box.top, Readout(gallery, state, cell));
        }
        if (cell.kind == GalleryKind::Knob && Meets(area, cell.x, cell.y, cell.x + cell.width, cell.y + cell.height)) {
            CopyWholeBitmap(dc, cell.x, cell.y, LoadSkinBitmap(state.instance, "knob_dial"));
        }
    }
    const RECT log = LogRect();
    if (!Meets(area, log.left, log.top - 20, log.right, log.bottom)) return;
    {
        OwnedGdiObject back(CreateSolidBrush(kLogBack));
        FillRect(dc, &log, static_cast<HBRUSH>(back.get()));
    }
    Text(dc, state.labelFont, kLegend, log.left, log.top - 20, "Notifications that reached the gallery, newest last");
    int y = log.top + 6;
    for (const std::string& line : state.log) {
        Text(dc, state.logFont, kLogText, log.left + 8, y, line);
        y += 16;
    }
}

// Only what needs painting is composed, off-screen, in client coordinates.
void Paint(HWND gallery, GalleryState* state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(gallery, &paint);
    const RECT& area = paint.rcPaint;
    if (dc != nullptr && state != nullptr && area.right > area.left && area.bottom > area.top) {
        BackBuffer buffer(dc, area.right - area.left, area.bottom - area.top);
        if (buffer.Ready()) {
            SetWindowOrgEx(buffer.dc(), area.left, area.top, nullptr);
            DrawGallery(gallery, buffer.dc(), *state, area);
            SetWindowOrgEx(buffer.dc(), 0, 0, nullptr);
            buffer.CopyToTarget(area.left, area.top);
        }
    }
    EndPaint(gallery, &paint);
}

// The child whose handle's low 16 bits a scroll or double click carries.
int IdOfHandleWord(HWND gallery, LPARAM handleWord) {
    for (size_t i = 0; i < GalleryCellCount(); ++i) {
        const int id = GalleryCells()[i].id;
        HWND child = GetDlgItem(gallery, id);
        if (child != nullptr && (reinterpret_cast<UINT_PTR>(child) & 0xFFFF) == (static_cast<UINT_PTR>(handleWord) & 0xFFFF)) {
            return id;
        }
    }
    return 0;
}

// What one control's news does to the others.
void Follow(HWND gallery, GalleryState& state, const GalleryEvent& event) {
    const GalleryCell* cell = FindGalleryCell(event.id);
    if (cell == nullptr) return;
    switch (cell->kind) {
    case GalleryKind::VerticalSlider:
        state.displayValue = static_cast<int>(Ask(gallery, event.id, SBM_GETPOS));  // the buddy follows it
        break;
    case GalleryKind::HorizontalSlider:
        state.gaugePosition = static_cast<int>(Ask(gallery, event.id, SBM_GETPOS)) * 100 / kHorizontalMaximum;
        SendMessageA(GetDlgItem(gallery, 1101), SBM_SETPOS, static_cast<WPARAM>(state.gaugePosition), 0);
        break;
    case GalleryKind::PopupMenuSelector: {
        const long selection = static_cast<long>(Ask(gallery, event.id, SBM_GETPOS));
        if (event.message == GalleryMessage::Command && event.code == 1 && selection >= 0 && selection < kRateItemCount) {
            state.bitmapText = kRateItems[selection];
            SendMessageA(GetDlgItem(gallery, 1201), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(state.bitmapText.c_str()));
            for (char& c : state.bitmapText) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        }
        break;
    }
    case GalleryKind::PushButton:
        if (event.message == GalleryMessage::Command) (event.code == 2 ? state.rightClicks : state.leftClicks)++;
        break;
    default:
        break;
    }
    if (cell->kind != GalleryKind::SmallText) {
        state.smallText = cell->what;
        SendMessageA(GetDlgItem(gallery, 501), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(state.smallText.c_str()));
    }
}

// Paints one box of the gallery at once, alone (never its controls).
void RedrawBox(HWND gallery, const RECT& box) {
    RedrawWindow(gallery, &box, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
}

// News redraws the values that changed and the log, box by box: none of them
// lies under a control, and a drag's stream of news stays cheap.
void ShowNews(HWND gallery, GalleryState& state) {
    for (size_t i = 0; i < GalleryCellCount() && i < state.shownReadouts.size(); ++i) {
        const GalleryCell& cell = GalleryCells()[i];
        std::string readout = Readout(gallery, state, cell);
        if (readout == state.shownReadouts[i]) continue;
        state.shownReadouts[i] = std::move(readout);
        const GalleryBox box = GalleryReadoutBox(cell);
        RedrawBox(gallery, RECT{box.left, box.top, box.right, box.bottom});
    }
    RedrawBox(gallery, LogRect());
}

void OnNotification(HWND gallery, GalleryState& state, const GalleryEvent& event) {
    if (FindGalleryCell(event.id) == nullptr) return;
    if (eventSink != nullptr) eventSink(EventLine(event));
    Follow(gallery, state, event);
    state.log.push_back(DescribeEvent(event));
    while (state.log.size() > static_cast<size_t>(kGalleryLogLines)) state.log.pop_front();
    ShowNews(gallery, state);
}

void OnCreate(HWND gallery, GalleryState* state) {
    state->labelFont = MakeFont(13, FW_BOLD, "Arial");
    state->noteFont = MakeFont(12, FW_NORMAL, "Arial");
    state->logFont = MakeFont(13, FW_NORMAL, "Courier New");
    SetWindowLongPtrA(gallery, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    for (size_t i = 0; i < GalleryCellCount(); ++i) {
        CreateCellControl(state->instance, gallery, GalleryCells()[i]);
    }
    for (size_t i = 0; i < GalleryCellCount(); ++i) {
        state->shownReadouts.push_back(Readout(gallery, *state, GalleryCells()[i]));
    }
}

void OnDestroy(HWND gallery, GalleryState* state) {
    SetWindowLongPtrA(gallery, GWLP_USERDATA, 0);
    if (state != nullptr) {
        for (HFONT font : {state->labelFont, state->noteFont, state->logFont}) {
            if (font != nullptr) DeleteObject(font);
        }
        delete state;
    }
    PostQuitMessage(0);
}

LRESULT CALLBACK GalleryProc(HWND gallery, UINT message, WPARAM wParam, LPARAM lParam) {
    GalleryState* state = StateOfGallery(gallery);
    switch (message) {
    case WM_CREATE: {
        GalleryState* made = new (std::nothrow) GalleryState;
        if (made == nullptr) return -1;
        made->instance = reinterpret_cast<const CREATESTRUCTA*>(lParam)->hInstance;
        OnCreate(gallery, made);
        return 0;
    }
    case WM_DESTROY:
        OnDestroy(gallery, state);
        return 0;
    case WM_CLOSE:
        // Its close box, or another program asking it to end (the setup and
        // the uninstaller do): the program ends with exit code 0.
        DestroyWindow(gallery);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole client area
    case WM_PAINT:
        Paint(gallery, state);
        return 0;
    case WM_PRINTCLIENT:
        // A control that shows its parent through asks for the picture here.
        if (state != nullptr && wParam != 0) {
            DrawGallery(gallery, reinterpret_cast<HDC>(wParam), *state, RECT{0, 0, kGalleryWidth, kGalleryHeight});
        }
        return 0;
    case WM_COMMAND:
        if (state != nullptr) {
            OnNotification(gallery, *state, {LOWORD(wParam), GalleryMessage::Command, HIWORD(wParam), 0});
        }
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (state != nullptr) {
            const GalleryMessage kind = message == WM_VSCROLL ? GalleryMessage::VScroll : GalleryMessage::HScroll;
            OnNotification(gallery, *state, {IdOfHandleWord(gallery, lParam), kind, LOWORD(wParam), HIWORD(wParam)});
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        // The gallery's class takes no double clicks itself: this one was
        // passed on by a control.
        if (state != nullptr) {
            OnNotification(gallery, *state, {IdOfHandleWord(gallery, lParam), GalleryMessage::DoubleClick, 0, 0});
        }
        return 0;
    default:
        return DefWindowProcA(gallery, message, wParam, lParam);
    }
}

}  // namespace

void SetGalleryEventSink(GalleryEventSink sink) { eventSink = sink; }

HWND CreateGalleryWindow(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = GalleryProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DESK_LARGE));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DESK_SMALL));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kGalleryClassName;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

    // No WS_CLIPCHILDREN: the knob draws only its indicator and shows the
    // gallery's picture around it.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, kGalleryWidth, kGalleryHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2 > 0 ? (GetSystemMetrics(SM_CXSCREEN) - width) / 2 : 0;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2 > 0 ? (GetSystemMetrics(SM_CYSCREEN) - height) / 2 : 0;
    return CreateWindowExA(0, kGalleryClassName, kGalleryTitle, style, x, y, width, height, nullptr, nullptr, instance,
                           nullptr);
}

void UnregisterGalleryClass(HINSTANCE instance) { UnregisterClassA(kGalleryClassName, instance); }

std::string GalleryReadout(HWND gallery, int id) {
    const GalleryState* state = StateOfGallery(gallery);
    const GalleryCell* cell = FindGalleryCell(id);
    return state != nullptr && cell != nullptr ? Readout(gallery, *state, *cell) : std::string();
}
