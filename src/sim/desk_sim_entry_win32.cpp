// desk-sim.exe: the same desk, on a simulated driver and simulated cards,
// with a monitor window that shows what the cards receive.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/main_window_win32.h"
#include "app/registry_settings_key_win32.h"
#include "app/setup_handover_win32.h"
#include "app/setups_transfer_win32.h"
#include "app/single_desk_win32.h"
#include "app/standby.h"
#include "card/card_table.h"
#include "sim/card_monitor_win32.h"
#include "sim/mtc_poster_win32.h"
#include "sim/sim_driver_link.h"
#include "sim/sim_options.h"
#include "sim/state_file_win32.h"
#include "win32/console_report_win32.h"

namespace {

SimOptions options;
HINSTANCE programInstance = nullptr;
SimDriverLink* simDriver = nullptr;
HWND monitorWindow = nullptr;
std::FILE* trace = nullptr;

// The simulated driver forwards each running generator's MIDI Time Code to
// the window named in its card's block, as the real driver does.
void StartTimecodeForwarding() {
    SimCard* cards[kMaxCards] = {};
    SharedCardBlock* blocks[kMaxCards] = {};
    const int count = simDriver->CardCount();
    for (int column = 0; column < count; ++column) {
        cards[column] = &simDriver->CardInColumn(column);
        blocks[column] = &simDriver->BlockInColumn(column);
    }
    StartMtcPoster(cards, blocks, count);
}

// The window exists and every panel has been restored.
void OnDeskReady(HWND window) {
    SignalReadyEvent(options.readyEvent);
    StartTimecodeForwarding();
    if (options.monitor) monitorWindow = CreateCardMonitor(programInstance, window, simDriver);
}

// At the suspend the machine goes to sleep: the simulated cards and their
// units lose power, as real ones do in a standby, once the desk has stored
// its records. Their blocks, the driver's memory, keep what they hold.
const char kNoCardMessage[] =
    "The simulated desk was told to simulate no card (--cards 0).\n\n"
    "Start it without --cards for two simulated cards, or with --cards 1 to --cards 4.";

void OnPowerEvent(HWND, WPARAM event) {
    if (IsSleepEvent(static_cast<uint32_t>(event))) simDriver->LosePower();
}

// OK on the reboot question. The real desk restarts Windows here, so that
// the card's driver takes the new DirectSound option; the simulated driver
// takes it at once, and trying an option never restarts the machine.
void OnRebootAsked(HWND, int32_t directSound) {
    char notice[160];
    std::snprintf(notice, sizeof notice,
                  "DirectSound %d: the real desk would restart Windows now; the simulated driver takes the option.",
                  static_cast<int>(directSound));
    if (trace != nullptr) {
        // fputs, not fprintf: MinGW's fprintf brings in a C runtime lock
        // that Windows 98's msvcrt.dll does not export.
        std::fputs("- # ", trace);
        std::fputs(notice, trace);
        std::fputc('\n', trace);
        std::fflush(trace);
    }
    ShowMonitorNotice(monitorWindow, notice);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const int end = TakeProgramOptions(SimProgramHelp(), ParseSimOptions, &options);
    if (end >= 0) return end;
    // Done at once, beside a running desk or none, touching no card.
    const int fileEnd = RunSetupsFileOption("desk-sim.exe", kSimulatedCardsSettingsKey, options);
    if (fileEnd >= 0) return fileEnd;
    // A second start hands its options to the running simulated desk (it
    // shows the panel, recalls or saves a setup) and ends here, before it
    // opens a trace or state file of its own.
    HWND running = nullptr;
    if (!ClaimDesk(instance, "simulated", &running)) return HandOverToRunningDesk(running, "desk-sim.exe", options);
    programInstance = instance;

    static SimDriverLink driver(options.answering);
    simDriver = &driver;
    if (!options.traceFile.empty()) {
        trace = std::fopen(options.traceFile.c_str(), "w");
        driver.SetTrace(trace);
    }
    driver.SetUnitPresent(!options.unitAbsent);
    driver.SetBridgeStuck(options.bridgeStuck);
    if (!options.stateFile.empty()) StartStateFile(options.stateFile, &driver);

    SetMainWindowReadyHook(OnDeskReady);
    SetMainWindowPowerHook(OnPowerEvent);

    const int result = RunDesk(
        instance, {"desk-sim.exe", &driver, kSimulatedCardsSettingsKey, OnRebootAsked, options, kNoCardMessage});

    StopMtcPoster();
    DestroyCardMonitor(instance, monitorWindow);
    monitorWindow = nullptr;
    FinishStateFile();
    driver.SetTrace(static_cast<std::FILE*>(nullptr));
    if (trace != nullptr) std::fclose(trace);
    trace = nullptr;
    return result;
}
