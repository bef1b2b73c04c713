#include "app/main_window_win32.h"

#include <cstdio>

#include "app/desk_messages.h"
#include "app/panel_arrangement_win32.h"
#include "app/registry_settings_key_win32.h"
#include "app/single_desk_win32.h"
#include "app/standby.h"
#include "app/tray_menu_win32.h"
#include "card/card_table.h"
#include "card/winmm_clock_win32.h"
#include "controls/control_drawing.h"
#include "controls/toolkit_frame.h"
#include "panel/card_panel_layout_win32.h"
#include "panel/panel_logic.h"
#include "panel/timecode.h"
#include "resource.h"
#include "settings/settings_store.h"
#include "version.h"
#include "win32/gdi_scope_win32.h"
#include "win32/top_level_window_win32.h"

namespace {

// The main window's state: one fixed program-wide table, as the program has
// one main window; the frame binds it to the window all the same.
struct MainWindowState {
    HINSTANCE instance = nullptr;
    char className[100] = "";
    HBITMAP mainBackground = nullptr;
    HBITMAP timecodeBackground = nullptr;
};
MainWindowState mainWindow;

void (*readyHook)(HWND) = nullptr;
void (*powerHook)(HWND, WPARAM) = nullptr;

// The panel logic's way to this window: the timecode row shown or not.
class MainDeskWindow : public DeskWindow {
public:
    HWND window = nullptr;

    // The window follows the state, not a step from its current size: a
    // right click re-runs the show/hide handler and must not move it again.
    void ShowTimecodeRow(bool shown) override { ShowPanelTimecodeRows(window, shown); }
};
MainDeskWindow mainDeskWindow;

void OnCreate(HWND window, MainWindowState& state) {
    mainDeskWindow.window = window;
    MarkClaimedDeskWindow(window);
    AddTrayIcon(window);
    BuildOptionsMenu();
    state.mainBackground = LoadSkinBitmap(state.instance, "mainbak");
    state.timecodeBackground = LoadSkinBitmap(state.instance, "smptebak");

    const SIZE column = BitmapSize(state.mainBackground);
    const int count = CardCount();
    for (int i = 0; i < count; ++i) {
        CreateCardPanel(state.instance, window, i * column.cx, 0, i);
        SetNotifyWindow(i, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)));
    }
    // Sized and placed for the screen once the columns exist, to be moved
    // into rows where the screen is too small for them side by side.
    StartPanelArrangement(window, {count, column.cx, column.cy, BitmapSize(state.timecodeBackground).cy});
}

// The background rows; also drawn into a control's context when the
// control shows the window through (WM_PRINTCLIENT).
void DrawBackground(HWND window, HDC target, const MainWindowState& state) {
    DrawPanelBackground(window, target, state.mainBackground, state.timecodeBackground);
}

void OnPaint(HWND window, const MainWindowState& state) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    if (target != nullptr) DrawBackground(window, target, state);
    EndPaint(window, &paint);
}

void ShowOptionsMenu(HWND window, LPARAM lParam) {
    POINT point = {LOWORD(lParam), HIWORD(lParam)};
    ClientToScreen(window, &point);
    TrackPopupMenu(OptionsMenu(), 0, point.x, point.y, 0, window, nullptr);
}

void OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const unsigned id = LOWORD(wParam);
    if (IsOptionsCommand(id))
        OnOptionsCommand(window, WM_COMMAND, wParam, lParam);
    else if (id == kCmdClosePanel)
        OnClosePanel(window);
    else if (id == kCmdAlwaysOnTop)
        OnAlwaysOnTop(window);
    else
        RoutePanelCommand(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
}

LRESULT MainWindowProc(HWND window, MainWindowState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT arranged = 0;
    if (OnPanelArrangementMessage(window, message, wParam, lParam, &arranged)) return arranged;
    switch (message) {
    case WM_CREATE: OnCreate(window, state); return 0;
    case WM_DESTROY:  // the frame has posted the quit message first
        RemoveTrayIcon();
        UnmarkClaimedDeskWindow(window);
        mainDeskWindow.window = nullptr;
        return 0;
    case WM_PAINT: OnPaint(window, state); return 0;
    case WM_ERASEBKGND: return 0;
    case WM_PRINTCLIENT:
        if (wParam != 0) DrawBackground(window, reinterpret_cast<HDC>(wParam), state);
        return 0;
    case WM_ENDSESSION: SaveAllSettings(); return 0;
    case WM_CLOSE:
        // Only another program sends this (the window's own close command
        // hides it): the documented way to end the desk, which the setup
        // and the uninstaller use. The records are stored once the loop ends.
        DestroyWindow(window);
        return 0;
    case WM_COMMAND: OnCommand(window, wParam, lParam); return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_CLOSE) {
            ShowWindow(window, SW_HIDE);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_MOUSEMOVE:
        if (GetForegroundWindow() == window) SetFocus(window);
        return 0;
    case WM_RBUTTONDOWN: ShowOptionsMenu(window, lParam); return 0;
    case kWmTrayNotify:
        if (LOWORD(lParam) == WM_LBUTTONDOWN || LOWORD(lParam) == WM_RBUTTONDOWN) {
            ShowWindow(window, SW_SHOWNORMAL);
            SetForegroundWindow(window);
        }
        return 0;
    case WM_POWERBROADCAST:
        OnPowerBroadcast(static_cast<uint32_t>(wParam));
        if (powerHook != nullptr) powerHook(window, wParam);
        return TRUE;
    case kWmRoutingNotify: return OnRoutingNotify(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
    case kWmTimecodeByte: OnTimecodeByte(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam)); return 0;
    default:
        if (IsTaskbarCreatedMessage(message)) {
            // The shell restarted and forgot our icon: put it back, so the
            // desk never becomes unreachable.
            AddTrayIcon(window);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

const TopLevelClass<MainWindowState> kMainWindowClass = {
    mainWindow.className, CS_HREDRAW | CS_VREDRAW, reinterpret_cast<HBRUSH>(COLOR_WINDOWFRAME + 1), true,
    &mainWindow,          MainWindowProc};

}  // namespace

void SetMainWindowReadyHook(void (*hook)(HWND window)) { readyHook = hook; }

void SetMainWindowPowerHook(void (*hook)(HWND window, WPARAM event)) { powerHook = hook; }

DeskWindow& MainWindowAsDesk() { return mainDeskWindow; }

HWND CreateMainWindow(HINSTANCE instance) {
    mainWindow.instance = instance;
    LoadStringA(instance, IDS_MAIN_CLASS_NAME, mainWindow.className, sizeof mainWindow.className);
    char title[100];
    std::snprintf(title, sizeof title, "Tara Dock 20 ver. %s", DESK_VERSION_TEXT " " DESK_VERSION_DATE);
    return CreateTopLevelWindow<kMainWindowClass>(instance, title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                                  CW_USEDEFAULT, 0, CW_USEDEFAULT, 0);
}

int RunMainWindow(HINSTANCE instance) {
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) return 0;
    ShowWindow(window, SW_HIDE);
    UpdateWindow(window);
    if (readyHook != nullptr) readyHook(window);
    return RunMessageLoop();
}

int RunDesk(HINSTANCE instance, DriverLink* driver) {
    static RegistrySettingsKey settingsKey;
    static WinmmClock clock;
    SetDriverLink(driver);
    SetSettingsKey(&settingsKey);
    SetMillisecondClock(&clock);
    SetDeskWindow(&mainDeskWindow);
    if (OpenCards() == 0) return 0;
    RegisterControlClasses(instance);
    const int result = RunMainWindow(instance);
    UnregisterControlClasses();
    SaveAllSettings();
    return result;
}
