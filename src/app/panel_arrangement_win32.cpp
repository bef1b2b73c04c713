#include "app/panel_arrangement_win32.h"

#include "app/scroll_position.h"
#include "controls/control_drawing.h"
#include "panel/card_panel.h"
#include "panel/card_panel_layout_win32.h"
#include "win32/gdi_scope_win32.h"
#include "win32/system_function_win32.h"

namespace {

// What the skin's plates stand on where no card is (an empty place in the
// last row of cards).
constexpr COLORREF kEmptyPlace = RGB(24, 26, 24);

// The arrangement of the one main window: a fixed program-wide table, as
// the program has one main window.
struct Arrangement {
    PanelGeometry geometry = {};
    PanelPlacement placement = {};
    bool timecodeShown = false;
    bool timecodeControlsShown = true;  // as the columns are built
    int scrollX = 0;
    int scrollY = 0;
    // A minimised window is not placed; what it missed is done when it is
    // restored, afresh where the resolution changed meanwhile.
    bool missed = false;
    bool missedAfresh = false;
};
Arrangement arrangement;

const ScreenMetrics* screenForTest = nullptr;

// ---- The monitor the window is on ---------------------------------------------

typedef HMONITOR(WINAPI* MonitorFromWindowFunction)(HWND, DWORD);
typedef BOOL(WINAPI* GetMonitorInfoFunction)(HMONITOR, LPMONITORINFO);

struct MonitorFunctions {
    MonitorFromWindowFunction fromWindow;
    GetMonitorInfoFunction info;
};

// Windows 98 and later know of more than one monitor. The two functions are
// looked up in USER32 rather than imported, so that the desk still starts on
// Windows 95, where the one screen is the whole desktop.
MonitorFunctions FindMonitorFunctions() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const MonitorFunctions found = {SystemFunction<MonitorFromWindowFunction>(user32, "MonitorFromWindow"),
                                    SystemFunction<GetMonitorInfoFunction>(user32, "GetMonitorInfoA")};
    if (found.fromWindow == nullptr || found.info == nullptr) return {nullptr, nullptr};
    return found;
}

MonitorFunctions monitorFunctionsForTest = {nullptr, nullptr};

MonitorFunctions Monitors() {
    if (monitorFunctionsForTest.fromWindow != nullptr) return monitorFunctionsForTest;
    static const MonitorFunctions system = FindMonitorFunctions();
    return system;
}

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

ScreenMetrics SystemScreen(HWND window) {
    if (screenForTest != nullptr) return *screenForTest;
    ScreenMetrics screen = {};
    const MonitorArea monitor = WindowMonitor(window);
    screen.monitor = ToScreenRect(monitor.whole);
    screen.workArea = ToScreenRect(monitor.work);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~(WS_VSCROLL | WS_HSCROLL);
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    screen.frame = {-frame.left, -frame.top, frame.right, frame.bottom};
    screen.verticalScrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    screen.horizontalScrollBarHeight = GetSystemMetrics(SM_CYHSCROLL);
    return screen;
}

void SetScrollBar(HWND window, int bar, int position, int page, int whole) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = whole > 0 ? whole - 1 : 0;
    info.nPage = static_cast<UINT>(page);  // a page as large as the whole hides the bar
    info.nPos = position;
    SetScrollInfo(window, bar, &info, TRUE);
}

// Every column at its place in the panel, less the view's scroll.
void MoveColumns() {
    const PanelPlacement& placement = arrangement.placement;
    for (int card = 0; card < arrangement.geometry.cards; ++card)
        MoveCardPanel(card, placement.CardLeft(card) - arrangement.scrollX,
                      placement.CardTop(card) - arrangement.scrollY);
}

// True when the timecode rows' controls were not shown or hidden already.
bool ShowTimecodeRows(bool shown) {
    if (arrangement.timecodeControlsShown == shown) return false;
    arrangement.timecodeControlsShown = shown;
    for (int card = 0; card < arrangement.geometry.cards; ++card) ShowTimecodeControls(card, shown);
    return true;
}

bool SameRect(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool SameArrangement(const PanelPlacement& a, const PanelPlacement& b) {
    return SameRect(a.window, b.window) && a.cardsPerRow == b.cardsPerRow && a.cardRowHeight == b.cardRowHeight &&
           a.clientWidth == b.clientWidth && a.clientHeight == b.clientHeight;
}

void Repaint(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN); }

// Takes `next` into force: the view kept as far as it still goes, the
// scroll bars, the window's place and size, the columns, and a repaint
// where anything changed. A hidden timecode row's controls are hidden first
// and a shown one's shown last, so that no control ever lies over another
// card's.
void Apply(HWND window, const PanelPlacement& next, int scrollBefore) {
    bool changed = !arrangement.timecodeShown && ShowTimecodeRows(false);
    changed = !SameArrangement(arrangement.placement, next) || changed;
    arrangement.placement = next;
    arrangement.scrollX = ClampScroll(arrangement.scrollX, next.clientWidth, next.panelWidth);
    arrangement.scrollY = ClampScroll(arrangement.scrollY, next.clientHeight, next.panelHeight);
    changed = changed || arrangement.scrollY != scrollBefore;
    SetScrollBar(window, SB_HORZ, arrangement.scrollX, next.clientWidth, next.panelWidth);
    SetScrollBar(window, SB_VERT, arrangement.scrollY, next.clientHeight, next.panelHeight);
    RECT now = {};
    GetWindowRect(window, &now);
    const ScreenRect& place = next.window;
    if (now.left != place.left || now.top != place.top || now.right != place.right || now.bottom != place.bottom)
        SetWindowPos(window, nullptr, place.left, place.top, place.Width(), place.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    MoveColumns();
    changed = (arrangement.timecodeShown && ShowTimecodeRows(true)) || changed;
    if (changed) Repaint(window);
}

// `scrollBefore`: where the view stood before, when it was already moved
// for a change of row height.
void PlaceAgain(HWND window, bool afresh, int scrollBefore) {
    if (arrangement.geometry.cards <= 0) return;
    if (IsIconic(window)) {
        arrangement.missed = true;
        arrangement.missedAfresh = arrangement.missedAfresh || afresh;
        return;
    }
    arrangement.missed = false;
    arrangement.missedAfresh = false;
    const ScreenMetrics screen = SystemScreen(window);
    RECT now = {};
    GetWindowRect(window, &now);
    Apply(window,
          afresh ? PlacePanel(arrangement.geometry, screen, arrangement.timecodeShown)
                 : PlacePanelKeeping(arrangement.geometry, screen, arrangement.timecodeShown, now.left, now.top),
          scrollBefore);
}

void PlaceAgain(HWND window, bool afresh) { PlaceAgain(window, afresh, arrangement.scrollY); }

void ScrollTo(HWND window, int x, int y) {
    const PanelPlacement& placement = arrangement.placement;
    x = ClampScroll(x, placement.clientWidth, placement.panelWidth);
    y = ClampScroll(y, placement.clientHeight, placement.panelHeight);
    if (x == arrangement.scrollX && y == arrangement.scrollY) return;
    arrangement.scrollX = x;
    arrangement.scrollY = y;
    SetScrollBar(window, SB_HORZ, x, placement.clientWidth, placement.panelWidth);
    SetScrollBar(window, SB_VERT, y, placement.clientHeight, placement.panelHeight);
    MoveColumns();
    Repaint(window);
}

// A request of the window's own scroll bar `bar`.
void OnScrollBar(HWND window, int bar, WPARAM wParam) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(window, bar, &info);
    const PanelPlacement& placement = arrangement.placement;
    const int request = LOWORD(wParam);
    if (bar == SB_VERT) {
        ScrollTo(
            window, arrangement.scrollX,
            ScrollFor(arrangement.scrollY, request, info.nTrackPos, placement.clientHeight, placement.panelHeight));
    } else {
        ScrollTo(window,
                 ScrollFor(arrangement.scrollX, request, info.nTrackPos, placement.clientWidth, placement.panelWidth),
                 arrangement.scrollY);
    }
}

// The wheel scrolls up and down, or sideways where only that scrolls.
void OnWheel(HWND window, WPARAM wParam) {
    const int delta = static_cast<short>(HIWORD(wParam));
    const PanelPlacement& placement = arrangement.placement;
    if (placement.ScrollsVertically()) {
        ScrollTo(window, arrangement.scrollX,
                 ScrollForWheel(arrangement.scrollY, delta, placement.clientHeight, placement.panelHeight));
    } else if (placement.ScrollsHorizontally()) {
        ScrollTo(window, ScrollForWheel(arrangement.scrollX, delta, placement.clientWidth, placement.panelWidth),
                 arrangement.scrollY);
    }
}

// What no card covers in the client area `client`: the empty places of the
// last row of cards, and whatever lies right of or below the panel.
int EmptyPlaces(const RECT& client, RECT (&places)[kPanelColumns + 2]) {
    const Arrangement& a = arrangement;
    const PanelPlacement& placement = a.placement;
    int count = 0;
    for (int cell = a.geometry.cards; cell < placement.cardsPerRow * placement.rows && count < kPanelColumns; ++cell) {
        const int left = placement.CardLeft(cell) - a.scrollX;
        const int top = placement.CardTop(cell) - a.scrollY;
        places[count++] = {left, top, left + placement.columnWidth, top + placement.cardRowHeight};
    }
    const int right = placement.panelWidth - a.scrollX;
    const int bottom = placement.panelHeight - a.scrollY;
    if (right < client.right) places[count++] = {right, client.top, client.right, client.bottom};
    if (bottom < client.bottom) places[count++] = {client.left, bottom, client.right, client.bottom};
    return count;
}

}  // namespace

void ScrollIntoView(HWND window, HWND control) {
    RECT rect;
    if (control == nullptr || !IsChild(window, control) || !GetWindowRect(control, &rect)) return;
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    const PanelPlacement& placement = arrangement.placement;
    const int x = arrangement.scrollX;
    const int y = arrangement.scrollY;
    ScrollTo(window, ScrollToShow(x, rect.left + x, rect.right + x, placement.clientWidth, placement.panelWidth),
             ScrollToShow(y, rect.top + y, rect.bottom + y, placement.clientHeight, placement.panelHeight));
}

MonitorArea WindowMonitor(HWND window) {
    MonitorArea area = {{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, {}};
    area.work = area.whole;
    const MonitorFunctions functions = Monitors();
    HMONITOR monitor =
        functions.fromWindow != nullptr ? functions.fromWindow(window, MONITOR_DEFAULTTONEAREST) : nullptr;
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    info.dwFlags = MONITORINFOF_PRIMARY;  // where there is no other
    if (monitor != nullptr && functions.info(monitor, &info)) {
        area.whole = info.rcMonitor;
        area.work = info.rcWork;
    }
    // The primary monitor's work area is the system's, as it always was: right
    // after a change of resolution the monitor's own may lag further behind.
    if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area.work, 0);
    // Right after a change of resolution the work area may still be the old
    // screen's until the shell has caught up.
    RECT& work = area.work;
    const RECT& whole = area.whole;
    if (work.left < whole.left) work.left = whole.left;
    if (work.top < whole.top) work.top = whole.top;
    if (work.right > whole.right) work.right = whole.right;
    if (work.bottom > whole.bottom) work.bottom = whole.bottom;
    if (work.left >= work.right || work.top >= work.bottom) work = whole;
    return area;
}

void StartPanelArrangement(HWND window, const PanelGeometry& geometry) {
    arrangement = Arrangement();
    arrangement.geometry = geometry;
    PlaceAgain(window, true);
}

void PlacePanelForShow(HWND window) { PlaceAgain(window, arrangement.missedAfresh); }

void ShowPanelTimecodeRows(HWND window, bool shown) {
    if (window == nullptr || arrangement.geometry.cards <= 0) return;
    const int scrollBefore = arrangement.scrollY;
    if (shown != arrangement.timecodeShown) {
        arrangement.timecodeShown = shown;
        arrangement.scrollY = ScrollForRowHeight(
            arrangement.scrollY, arrangement.placement.cardRowHeight,
            arrangement.geometry.mainRowHeight + (shown ? arrangement.geometry.timecodeRowHeight : 0));
    }
    PlaceAgain(window, false, scrollBefore);
}

void DrawPanelBackground(HWND window, HDC target, const SkinImage& mainBackground,
                         const SkinImage& timecodeBackground) {
    const Arrangement& a = arrangement;
    const PanelPlacement& placement = a.placement;
    RECT client = {};
    GetClientRect(window, &client);
    RECT empty[kPanelColumns + 2];
    const int emptyCount = EmptyPlaces(client, empty);
    if (emptyCount > 0) {
        OwnedGdiObject brush(CreateSolidBrush(kEmptyPlace));
        for (int i = 0; i < emptyCount; ++i) FillRect(target, &empty[i], static_cast<HBRUSH>(brush.get()));
    }
    for (int card = 0; card < a.geometry.cards; ++card)
        CopyImage(target, placement.CardLeft(card) - a.scrollX, placement.CardTop(card) - a.scrollY,
                  a.geometry.columnWidth, a.geometry.mainRowHeight, mainBackground);
    if (!a.timecodeShown) return;
    for (int card = 0; card < a.geometry.cards; ++card)
        CopyImage(target, placement.CardLeft(card) - a.scrollX,
                  placement.CardTop(card) + a.geometry.mainRowHeight - a.scrollY, a.geometry.columnWidth,
                  a.geometry.timecodeRowHeight, timecodeBackground);
}

bool OnPanelArrangementMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_VSCROLL:
    case WM_HSCROLL:
        // Controls report their values with these too, naming themselves in
        // lParam; the window's own scroll bars name nothing.
        if (lParam != 0) return false;
        OnScrollBar(window, message == WM_VSCROLL ? SB_VERT : SB_HORZ, wParam);
        break;
    case WM_MOUSEWHEEL: OnWheel(window, wParam); break;
    case WM_DISPLAYCHANGE: PlaceAgain(window, true); break;
    case WM_SETTINGCHANGE: PlaceAgain(window, false); break;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED && arrangement.missed) PlaceAgain(window, arrangement.missedAfresh);
        return false;
    default: return false;
    }
    *result = 0;
    return true;
}

RECT PanelWindowExtent(HWND window) {
    RECT now = {};
    GetWindowRect(window, &now);
    if (arrangement.geometry.cards <= 0) return now;
    const PanelPlacement tall = PlacePanelKeeping(arrangement.geometry, SystemScreen(window), true, now.left, now.top);
    RECT extent = now;
    if (tall.window.left < extent.left) extent.left = tall.window.left;
    if (tall.window.top < extent.top) extent.top = tall.window.top;
    if (tall.window.right > extent.right) extent.right = tall.window.right;
    if (tall.window.bottom > extent.bottom) extent.bottom = tall.window.bottom;
    return extent;
}

const PanelPlacement& CurrentPanelPlacement() { return arrangement.placement; }

void SetPanelScreenForTest(const ScreenMetrics* screen) { screenForTest = screen; }

void SetMonitorFunctionsForTest(HMONITOR(WINAPI* fromWindow)(HWND, DWORD),
                                BOOL(WINAPI* info)(HMONITOR, LPMONITORINFO)) {
    monitorFunctionsForTest = {fromWindow, info};
}
