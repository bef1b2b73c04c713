#include "in_process_desk_win32.h"

#include "app/main_window_win32.h"
#include "bench_stats.h"
#include "card/card_table.h"
#include "card/winmm_clock_win32.h"
#include "controls/toolkit_frame.h"
#include "nothing_below_settings_key.h"
#include "panel/card_panel.h"
#include "settings/settings_store.h"

namespace {

// Nothing stored, nothing kept: the benchmarks must not depend on, or
// change, the settings of the desk on this machine.
class EmptySettingsKey : public NothingBelowSettingsKey {
public:
    bool Query(const char*, void*, uint32_t*, uint32_t*) override { return false; }
    bool SetBinary(const char*, const void*, uint32_t) override { return true; }
};

EmptySettingsKey settingsKey;
WinmmClock winmmClock;

// A press and release of the toggle as the pointer makes them; the toggle
// posts its command, which the pump hands to the main window.
void ClickToggle(HWND toggle) {
    SendMessageA(toggle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(toggle, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    PumpMessages();
}

}  // namespace

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

SIZE ClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

HWND BuildInProcessDesk(HINSTANCE instance, DriverLink* driver, double* buildMs) {
    SetDriverLink(driver);
    SetSettingsKey(&settingsKey);
    SetMillisecondClock(&winmmClock);
    SetDeskWindow(&MainWindowAsDesk());
    const int64_t start = Ticks();
    if (OpenCards() == 0) return nullptr;
    RegisterControlClasses(instance);
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) {
        UnregisterControlClasses();
        return nullptr;
    }
    if (buildMs != nullptr) *buildMs = TicksToMs(Ticks() - start);
    // As a click on the tray icon opens it.
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    UpdateWindow(window);
    PumpMessages();
    ClickToggle(static_cast<HWND>(PanelAt(0)->showHide));
    UpdateWindow(window);
    PumpMessages();
    return window;
}

void CloseInProcessDesk(HWND window) {
    DestroyWindow(window);
    PumpMessages();
    UnregisterControlClasses();
}
