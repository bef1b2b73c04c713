// desk-sim.exe: the same desk, on a simulated driver and simulated cards.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/desk_messages.h"
#include "app/main_window_win32.h"
#include "app/registry_settings_key_win32.h"
#include "card/card_table.h"
#include "card/driver_link.h"
#include "card/winmm_clock_win32.h"
#include "sim/sim_driver_link.h"
#include "sim/sim_options.h"

namespace {

SimOptions options;

void OnDeskReady(HWND window) {
    if (options.showPanel) {
        PostMessageA(window, kWmTrayNotify, 0, WM_LBUTTONDOWN);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    std::string error;
    if (!ParseSimOptions(SplitCommandLine(GetCommandLineA(), true), &options, &error)) {
        MessageBoxA(nullptr, (error + "\n\n" + kSimUsage).c_str(), "desk-sim", MB_OK | MB_ICONERROR);
        return 2;
    }
    if (options.help) {
        MessageBoxA(nullptr, kSimUsage, "desk-sim", MB_OK | MB_ICONINFORMATION);
        return 0;
    }

    static SimDriverLink driver(options.answering);
    static RegistrySettingsKey settingsKey;
    static WinmmClock clock;
    std::FILE* trace = nullptr;
    if (!options.traceFile.empty()) {
        trace = std::fopen(options.traceFile.c_str(), "w");
        driver.SetTrace(trace);
    }
    driver.SetUnitPresent(!options.unitAbsent);
    driver.SetBridgeStuck(options.bridgeStuck);

    SetDriverLink(&driver);
    SetSettingsKey(&settingsKey);
    SetMillisecondClock(&clock);
    SetMainWindowReadyHook(OnDeskReady);

    const int result = RunDesk(instance);

    driver.SetTrace(static_cast<std::FILE*>(nullptr));
    if (trace != nullptr) std::fclose(trace);
    return result;
}
