#include "app/main_window_win32.h"

#include <cstdio>

#include "app/desk_messages.h"
#include "app/panel_arrangement_win32.h"
#include "app/registry_settings_key_win32.h"
#include "app/setup_handover_win32.h"
#include "app/setup_request.h"
#include "app/setups_menu_win32.h"
#include "app/single_desk_win32.h"
#include "app/standby.h"
#include "app/tray_menu_win32.h"
#include "card/card_table.h"
#include "card/winmm_clock_win32.h"
#include "controls/control_drawing.h"
#include "controls/control_input.h"
#include "controls/control_tips.h"
#include "controls/toolkit_dialog.h"
#include "controls/toolkit_frame.h"
#include "panel/card_panel_access_win32.h"
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
    SkinImage mainBackground = {};
    SkinImage timecodeBackground = {};
    HWND focus = nullptr;   // the control that had the keyboard focus when the window last went inactive
    bool tipsMade = false;  // the controls' tips are made when the panel is first shown
};
MainWindowState mainWindow;

void (*readyHook)(HWND) = nullptr;
void (*powerHook)(HWND, WPARAM) = nullptr;
bool showAtStart = false;  // the panel opens once the window exists

// What the command line asked of a desk that was not running yet: done
// once the window exists and every card has had its stored settings.
struct StartRequest {
    const char* program = "";
    SetupAction action = SetupAction::None;
    std::string name;
    bool failed = false;  // not done: the desk ends with exit code 2
};
StartRequest startRequest;

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
    AppendSetupsMenu(OptionsMenu());
    state.mainBackground = LoadSkinBitmap(state.instance, "mainbak");
    state.timecodeBackground = LoadSkinBitmap(state.instance, "smptebak");

    const SIZE column = state.mainBackground.size;
    const int count = CardCount();
    for (int i = 0; i < count; ++i) {
        CreateCardPanel(state.instance, window, i * column.cx, 0, i);
        SetNotifyWindow(i, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)));
    }
    // Sized and placed for the screen once the columns exist, to be moved
    // into rows where the screen is too small for them side by side.
    StartPanelArrangement(window, {count, column.cx, column.cy, state.timecodeBackground.size.cy});
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

void ShowOptionsMenuAt(HWND window, POINT screen) {
    RefreshSetupsMenu();
    TrackPopupMenu(OptionsMenu(), 0, screen.x, screen.y, 0, window, nullptr);
}

void ShowOptionsMenu(HWND window, LPARAM lParam) {
    POINT point = {LOWORD(lParam), HIWORD(lParam)};
    ClientToScreen(window, &point);
    ShowOptionsMenuAt(window, point);
}

// Shift+F10 or the menu key: the menu opens at the control that has the
// focus, below its top-left corner, or at the panel's corner.
void ShowOptionsMenuFromKeyboard(HWND window) {
    POINT point = {8, 8};
    ClientToScreen(window, &point);
    HWND focus = GetFocus();
    RECT control;
    if (focus != nullptr && IsChild(window, focus) && GetWindowRect(focus, &control)) {
        point.x = control.left + (control.right - control.left) / 2;
        point.y = control.bottom;
    }
    ShowOptionsMenuAt(window, point);
}

bool IsMenuKey(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    return message.wParam == VK_APPS || (message.wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000) != 0);
}

// The loop's first look at each message: the menu's keys and the accelerator
// table (Escape hides the panel) for the window and its controls, then the
// toolkit's keys (Tab, the arrows, Space and Enter, the focus marks).
bool DeskKeys(HWND window, HACCEL accelerators, MSG* message) {
    const bool ours = message->hwnd == window || IsChild(window, message->hwnd);
    if (ours && IsMenuKey(*message)) {
        ShowOptionsMenuFromKeyboard(window);
        return true;
    }
    if (ours && TranslateAcceleratorA(window, accelerators, message) != 0) return true;
    if (!ToolkitDialogMessage(window, message)) return false;
    // Where the panel scrolls, the control a key moved the focus to is
    // brought into view.
    if (message->message == WM_KEYDOWN) ScrollIntoView(window, GetFocus());
    return true;
}

void OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const unsigned id = LOWORD(wParam);
    if (IsOptionsCommand(id))
        OnOptionsCommand(window, WM_COMMAND, wParam, lParam);
    else if (id == kCmdClosePanel)
        OnClosePanel(window);
    else if (id == kCmdAlwaysOnTop)
        OnAlwaysOnTop(window);
    else if (IsSetupsCommand(id))
        OnSetupsCommand(window, id);
    else
        RoutePanelCommand(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
}

LRESULT MainWindowProc(HWND window, MainWindowState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT arranged = 0;
    if (OnPanelArrangementMessage(window, message, wParam, lParam, &arranged)) return arranged;
    LRESULT read = 0;
    if (AnswerPanelReader(window, message, wParam, lParam, &read)) return read;
    switch (message) {
    case WM_CREATE: OnCreate(window, state); return 0;
    case WM_DESTROY:  // the frame has posted the quit message first
        RemoveTrayIcon();
        UnmarkClaimedDeskWindow(window);
        mainDeskWindow.window = nullptr;
        return 0;
    case WM_PAINT: OnPaint(window, state); return 0;
    case WM_SHOWWINDOW:
        // Not at the start: the desk resident in the tray, never opened,
        // loads nothing for them.
        if (wParam != 0 && !state.tipsMade) {
            state.tipsMade = true;
            ShowControlTips(window);
        }
        return DefWindowProcA(window, message, wParam, lParam);
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
    case WM_COPYDATA: return OnSetupCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_SYSCOMMAND:
        if (wParam == SC_CLOSE) {
            ShowWindow(window, SW_HIDE);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_MOUSEMOVE:
        // While the keyboard is in use (focus marks on), a pointer that
        // strays over the background leaves the focus where the keys put it.
        if (GetForegroundWindow() == window && !FocusMarksOn()) SetFocus(window);
        return 0;
    case WM_CONTEXTMENU:
        // The keyboard's menu key, as DefWindowProc reports it (lParam -1);
        // the mouse's right button on the background has its own handling
        // above, and on the caption the default shows the window's menu.
        if (lParam != -1) return DefWindowProcA(window, message, wParam, lParam);
        ShowOptionsMenuFromKeyboard(window);
        return 0;
    case WM_ACTIVATE:
        if (KeepFocusOnActivation(window, wParam, &state.focus)) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_RBUTTONDOWN: ShowOptionsMenu(window, lParam); return 0;
    case kWmTrayNotify:
        if (LOWORD(lParam) == WM_LBUTTONDOWN || LOWORD(lParam) == WM_RBUTTONDOWN) {
            PlacePanelForShow(window);
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
    if (startRequest.action != SetupAction::None) {
        const SetupResult result = CarryOutSetupRequest(startRequest.action, startRequest.name);
        if (result.outcome != SetupOutcome::Done) {
            ReportSetupResult(startRequest.program, startRequest.action, startRequest.name, result);
            startRequest.failed = true;
            DestroyWindow(window);
            return 0;
        }
    }
    if (readyHook != nullptr) readyHook(window);
    // As a click on the tray icon shows it.
    if (showAtStart) PostMessageA(window, kWmTrayNotify, 0, WM_LBUTTONDOWN);
    HACCEL accelerators = LoadAcceleratorsA(mainWindow.instance, MAKEINTRESOURCEA(IDR_MAIN_ACCELERATORS));
    return RunMessageLoop([window, accelerators](MSG* message) { return DeskKeys(window, accelerators, message); });
}

int RunDesk(HINSTANCE instance, const DeskStart& start) {
    static RegistrySettingsKey settingsKey(start.settingsKey);
    static WinmmClock clock;
    SetDriverLink(start.driver);
    SetSettingsKey(&settingsKey);
    SetRebootAction(start.reboot);
    SetMillisecondClock(&clock);
    SetDeskWindow(&mainDeskWindow);
    if (OpenCards() == 0) {
        // Silent at logon, where no one watches; a person who asked to see
        // the desk is told why nothing opens.
        if (start.options.show)
            MessageBoxA(nullptr, start.noCardMessage, "TaraDock-20 Control Desk", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    // Checked before any card is touched: a setup that cannot be recalled
    // changes nothing, not even through the start's restore.
    const SetupResult check = CheckSetupRequest(start.options.setupAction, start.options.setupName);
    if (check.outcome != SetupOutcome::Done) {
        ReportSetupResult(start.program, start.options.setupAction, start.options.setupName, check);
        return 2;
    }
    showAtStart = start.options.show;
    startRequest = {start.program, start.options.setupAction, start.options.setupName, false};
    RegisterControlClasses(instance);
    const int result = RunMainWindow(instance);
    UnregisterControlClasses();
    SaveAllSettings();
    return startRequest.failed ? 2 : result;
}
