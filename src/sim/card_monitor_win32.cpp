#include "sim/card_monitor_win32.h"

#include <cstring>
#include <string>
#include <vector>

#include "app/desk_messages.h"
#include "app/panel_arrangement_win32.h"
#include "app/scroll_position.h"
#include "card/card_table.h"
#include "sim/card_monitor_layout.h"
#include "sim/card_state_text.h"
#include "sim/card_strip_painter_win32.h"
#include "sim/monitor_painter_win32.h"
#include "sim/sim_driver_link.h"
#include "win32/back_buffer_win32.h"
#include "win32/gdi_scope_win32.h"
#include "win32/top_level_window_win32.h"

namespace {

const char kCardMonitorTitle[] = "TaraDock-20 Card Monitor (simulated)";
const char kCardMonitorClassName[] = "TaraDock20SimCardMonitor";

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMs = 100;
constexpr UINT_PTR kWakeTimer = 2;
constexpr UINT kAsleepMs = 2000;  // long enough to see the cards on their defaults
// Set after a change of the screen: the monitor is placed again once every
// window has heard of it and the desk has found its new place. The window
// takes no message of the application range: another program may post any.
constexpr UINT_PTR kPlaceTimer = 3;
constexpr UINT kPlaceDelayMs = 10;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct MonitorSetup {
    HWND desk;
    SimDriverLink* driver;
    int gridColumns;
    MonitorSize view;
};

// The window's state block, made from the MonitorSetup its creation carries.
struct MonitorWindowState {
    explicit MonitorWindowState(const CREATESTRUCTA& create)
        : setup(*static_cast<const MonitorSetup*>(create.lpCreateParams)),
          views(static_cast<size_t>(setup.driver->CardCount())),
          texts(views.size()) {
        for (size_t i = 0; i < views.size(); ++i) {
            views[i].column = static_cast<int>(i);
            views[i].driverIndex = DriverIndexAt(static_cast<int32_t>(i));
        }
    }

    MonitorSetup setup;
    std::vector<CardView> views;
    std::vector<std::string> texts;  // each card's text form at the last poll: what changed is what is drawn
    MonitorFonts fonts;
    MonitorHit pressed = {kNoHit, -1};
    bool pressedInside = false;
    bool asleep = false;  // between the standby button's suspend and its resume
    std::string notice;   // the simulated driver's latest word, shown in the footer
    // Where a screen too small for the whole monitor scrolls its view.
    int scrollX = 0;
    int scrollY = 0;
};

int CardCountOf(const MonitorWindowState& state) { return static_cast<int>(state.views.size()); }

MonitorSize WholeOf(const MonitorWindowState& state) {
    return MonitorClientSize(CardCountOf(state), state.setup.gridColumns);
}

// Takes a fresh snapshot of every card; true when anything shown changed.
bool Poll(MonitorWindowState& state) {
    bool changed = false;
    for (int column = 0; column < CardCountOf(state); ++column) {
        const SimCardState snapshot = state.setup.driver->CardInColumn(column).State();
        const SharedCardBlock& block = state.setup.driver->BlockInColumn(column);
        std::string text = FormatCardState(column, snapshot, block);
        if (text == state.texts[column]) continue;
        state.texts[column].swap(text);
        CardView& view = state.views[column];
        view.state = snapshot;
        view.blockRunning = block.running;
        view.blockSampleRate = block.sampleRate;
        view.blockLockCount = block.unitLockCount;
        view.commands = DecodeUnitCommands(snapshot.unit.history, snapshot.unit.historyCount);
        changed = true;
    }
    return changed;
}

// Draws the whole monitor, strips and footer, in its own coordinates.
void PaintMonitor(HDC dc, const MonitorWindowState& state) {
    const MonitorSize whole = WholeOf(state);
    const RECT client = {0, 0, whole.width, whole.height};
    FillBox(dc, client, monitor_colours::kWindow);
    for (int column = 0; column < CardCountOf(state); ++column) {
        const MonitorRect strip = CardStripRect(column, state.setup.gridColumns);
        const int pressed = state.pressed.card == column && state.pressedInside ? state.pressed.button : -1;
        PaintCardStrip(dc, state.fonts, strip.left, strip.top, state.views[column], pressed);
    }
    const MonitorRect button = StandbyButtonRect(CardCountOf(state), state.setup.gridColumns);
    const RECT footer = {kMonitorMargin, client.bottom - kMonitorFooter, button.left - kMonitorMargin, client.bottom};
    if (state.asleep)
        PutText(dc, state.fonts.note(), "The machine sleeps; its cards have lost power.", footer,
                monitor_colours::kBadge, DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
    else if (!state.notice.empty())  // two lines of the footer
        PutText(dc, state.fonts.note(), state.notice.c_str(), footer, monitor_colours::kBadge,
                DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS);
    else
        PutText(dc, state.fonts.note(),
                "The panel opens from the desk's icon beside the clock. Closing this window ends the simulated desk.",
                footer, monitor_colours::kLabelDim, DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS);
    const bool pressed = state.pressed.card == kStandbyHit && state.pressedInside;
    DrawPushButton(dc, state.fonts.label(), RECT{button.left, button.top, button.right, button.bottom},
                   state.asleep ? "ASLEEP" : "STANDBY", pressed, state.asleep);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// As Windows announces a power event: sent to every top-level window, here
// those of the process, which all live on this thread. They are listed
// first, so that a window made or ended by a handler does not upset the walk.
void BroadcastPowerEvent(WPARAM event) {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows)
        if (IsWindow(window)) SendMessageA(window, WM_POWERBROADCAST, event, 0);
}

// The standby button: the machine is asked, told it goes to sleep (the desk
// stores its records, the simulated cards lose power), shown asleep for a
// moment, then woken as Windows 98 wakes it.
void GoToSleep(HWND window, MonitorWindowState& state) {
    if (state.asleep) return;
    BroadcastPowerEvent(PBT_APMQUERYSUSPEND);
    BroadcastPowerEvent(PBT_APMSUSPEND);
    state.asleep = true;
    Poll(state);
    SetTimer(window, kWakeTimer, kAsleepMs, nullptr);
}

void WakeUp(HWND window, MonitorWindowState& state) {
    KillTimer(window, kWakeTimer);
    if (!state.asleep) return;
    state.asleep = false;
    BroadcastPowerEvent(PBT_APMRESUMEAUTOMATIC);
    BroadcastPowerEvent(PBT_APMRESUMESUSPEND);
    Poll(state);
    InvalidateRect(window, nullptr, FALSE);
}

void Press(HWND window, MonitorWindowState& state, int column, int index) {
    if (column == kStandbyHit) {
        GoToSleep(window, state);
        return;
    }
    const MonitorButton& button = CardStripButtons()[index];
    if (button.kind == MonitorButtonKind::UnitPlug) {
        SimCard& card = state.setup.driver->CardInColumn(column);
        card.SetUnitPresent(!card.State().unit.present);
        Poll(state);
        return;
    }
    // As the card's driver posts it: row and set in wParam, on/off and the
    // column in lParam.
    const int on = button.kind == MonitorButtonKind::RouteOn ? 1 : 0;
    PostMessageA(state.setup.desk, kWmRoutingNotify, MAKEWPARAM(button.row, button.set), MAKELPARAM(on, column));
}

// ---- A view smaller than the monitor: scroll bars and the wheel ------------

void SetScrollBars(HWND window, MonitorWindowState& state) {
    const MonitorSize whole = WholeOf(state);
    state.scrollX = ClampScroll(state.scrollX, state.setup.view.width, whole.width);
    state.scrollY = ClampScroll(state.scrollY, state.setup.view.height, whole.height);
    const struct {
        int bar, position, page, whole;
    } bars[] = {{SB_HORZ, state.scrollX, state.setup.view.width, whole.width},
                {SB_VERT, state.scrollY, state.setup.view.height, whole.height}};
    for (const auto& bar : bars) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = bar.whole - 1;
        info.nPage = static_cast<UINT>(bar.page);  // the whole in view hides the bar
        info.nPos = bar.position;
        SetScrollInfo(window, bar.bar, &info, TRUE);
    }
}

void ScrollTo(HWND window, MonitorWindowState& state, int x, int y) {
    if (x == state.scrollX && y == state.scrollY) return;
    state.scrollX = x;
    state.scrollY = y;
    SetScrollBars(window, state);
    InvalidateRect(window, nullptr, FALSE);
}

void OnScrollBar(HWND window, MonitorWindowState& state, int bar, WPARAM wParam) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(window, bar, &info);
    const MonitorSize whole = WholeOf(state);
    const int request = LOWORD(wParam);
    if (bar == SB_VERT)
        ScrollTo(window, state, state.scrollX,
                 ScrollFor(state.scrollY, request, info.nTrackPos, state.setup.view.height, whole.height));
    else
        ScrollTo(window, state, ScrollFor(state.scrollX, request, info.nTrackPos, state.setup.view.width, whole.width),
                 state.scrollY);
}

void OnWheel(HWND window, MonitorWindowState& state, WPARAM wParam) {
    const MonitorSize whole = WholeOf(state);
    const int delta = static_cast<short>(HIWORD(wParam));
    ScrollTo(window, state, state.scrollX, ScrollForWheel(state.scrollY, delta, state.setup.view.height, whole.height));
}

// ---- Buttons -----------------------------------------------------------------

void OnButtonDown(HWND window, MonitorWindowState& state, int x, int y) {
    const MonitorHit hit = HitTestMonitor(x, y, CardCountOf(state), state.setup.gridColumns);
    if (hit.card == kNoHit) return;
    state.pressed = hit;
    state.pressedInside = true;
    SetCapture(window);
    InvalidateRect(window, nullptr, FALSE);
}

void OnMouseMove(HWND window, MonitorWindowState& state, int x, int y) {
    if (state.pressed.card == kNoHit) return;
    const MonitorHit hit = HitTestMonitor(x, y, CardCountOf(state), state.setup.gridColumns);
    const bool inside = hit.card == state.pressed.card && hit.button == state.pressed.button;
    if (inside != state.pressedInside) {
        state.pressedInside = inside;
        InvalidateRect(window, nullptr, FALSE);
    }
}

void OnButtonUp(HWND window, MonitorWindowState& state) {
    if (state.pressed.card == kNoHit) return;
    const MonitorHit pressed = state.pressed;
    const bool act = state.pressedInside;
    state.pressed = {kNoHit, -1};
    state.pressedInside = false;
    ReleaseCapture();
    if (act) Press(window, state, pressed.card, pressed.button);
    InvalidateRect(window, nullptr, FALSE);
}

// ---- Where it goes ------------------------------------------------------------

MonitorRect ToMonitorRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Beside the desk in the form it takes with its timecode rows shown, inside
// the work area of the desk's monitor.
MonitorPlacement PlaceForDesk(HWND desk, int cardCount) {
    const RECT deskRect = PanelWindowExtent(desk);
    const RECT workArea = WindowMonitor(desk).work;
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    return PlaceMonitor(cardCount, ToMonitorRect(deskRect), ToMonitorRect(workArea), frame.right - frame.left,
                        frame.bottom - frame.top, GetSystemMetrics(SM_CXVSCROLL));
}

void PlaceBesideTheDesk(HWND window, MonitorWindowState& state) {
    if (IsIconic(window)) return;
    const MonitorPlacement placement = PlaceForDesk(state.setup.desk, CardCountOf(state));
    state.setup.gridColumns = placement.gridColumns;
    state.setup.view = placement.view;
    SetScrollBars(window, state);
    SetWindowPos(window, nullptr, placement.window.left, placement.window.top, placement.window.Width(),
                 placement.window.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CardMonitorProc(HWND window, MonitorWindowState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        Poll(state);
        SetScrollBars(window, state);
        SetTimer(window, kPollTimer, kPollMs, nullptr);
        return 0;
    case WM_DESTROY:
        KillTimer(window, kPollTimer);
        KillTimer(window, kWakeTimer);
        KillTimer(window, kPlaceTimer);
        return 0;
    case WM_TIMER:
        if (wParam == kPollTimer && Poll(state)) InvalidateRect(window, nullptr, FALSE);
        if (wParam == kWakeTimer) WakeUp(window, state);
        if (wParam == kPlaceTimer) {
            KillTimer(window, kPlaceTimer);
            PlaceBesideTheDesk(window, state);
        }
        return 0;
    case WM_ERASEBKGND: return 1;  // the whole client area is painted from the back buffer
    case WM_PAINT:
        PaintThroughBackBuffer(window, [&](HDC dc, const RECT& area) {
            FillBox(dc, area, monitor_colours::kWindow);
            POINT saved;
            OffsetWindowOrgEx(dc, state.scrollX, state.scrollY, &saved);
            PaintMonitor(dc, state);
            SetWindowOrgEx(dc, saved.x, saved.y, nullptr);
        });
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: OnScrollBar(window, state, message == WM_VSCROLL ? SB_VERT : SB_HORZ, wParam); return 0;
    case WM_MOUSEWHEEL: OnWheel(window, state, wParam); return 0;
    case WM_DISPLAYCHANGE: SetTimer(window, kPlaceTimer, kPlaceDelayMs, nullptr); return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA || wParam == SPI_SETNONCLIENTMETRICS)
            SetTimer(window, kPlaceTimer, kPlaceDelayMs, nullptr);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(window, state, static_cast<short>(LOWORD(lParam)) + state.scrollX,
                     static_cast<short>(HIWORD(lParam)) + state.scrollY);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(window, state, static_cast<short>(LOWORD(lParam)) + state.scrollX,
                    static_cast<short>(HIWORD(lParam)) + state.scrollY);
        return 0;
    case WM_LBUTTONUP: OnButtonUp(window, state); return 0;
    case WM_CAPTURECHANGED:
        if (state.pressed.card != kNoHit && reinterpret_cast<HWND>(lParam) != window) {
            state.pressed = {kNoHit, -1};
            state.pressedInside = false;
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_CLOSE:
        // The desk has no way to end of its own; ending it here ends the
        // whole program, which then takes this window down.
        ShowWindow(window, SW_HIDE);
        PostMessageA(state.setup.desk, WM_CLOSE, 0, 0);
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

const TopLevelClass<MonitorWindowState> kMonitorClass = {kCardMonitorClassName, 0, nullptr, false, nullptr,
                                                         CardMonitorProc};

}  // namespace

HWND CreateCardMonitor(HINSTANCE instance, HWND desk, SimDriverLink* driver) {
    if (driver == nullptr || driver->CardCount() == 0) return nullptr;

    const MonitorPlacement placement = PlaceForDesk(desk, driver->CardCount());
    const MonitorSetup setup = {desk, driver, placement.gridColumns, placement.view};
    HWND monitor = CreateTopLevelWindow<kMonitorClass>(instance, kCardMonitorTitle, kWindowStyle, placement.window.left,
                                                       placement.window.top, placement.window.Width(),
                                                       placement.window.Height(), const_cast<MonitorSetup*>(&setup));
    if (monitor == nullptr) return nullptr;
    ShowWindow(monitor, SW_SHOWNOACTIVATE);
    UpdateWindow(monitor);
    return monitor;
}

void ShowMonitorNotice(HWND monitor, const char* text) {
    char name[sizeof kCardMonitorClassName + 1] = "";
    if (monitor == nullptr || !IsWindow(monitor) || GetClassNameA(monitor, name, sizeof name) == 0 ||
        std::strcmp(name, kCardMonitorClassName) != 0)
        return;
    auto* state = reinterpret_cast<MonitorWindowState*>(GetWindowLongPtrA(monitor, GWLP_USERDATA));
    if (state == nullptr) return;
    state->notice = text != nullptr ? text : "";
    InvalidateRect(monitor, nullptr, FALSE);
}

void DestroyCardMonitor(HINSTANCE instance, HWND monitor) {
    if (monitor != nullptr && IsWindow(monitor)) DestroyWindow(monitor);
    UnregisterClassA(kCardMonitorClassName, instance);
}
