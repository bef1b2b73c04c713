// setup-bench.exe: how long `desk-sim.exe --setup NAME` takes, from its
// start to the last card set, with two and with four cards.
//
//   setup-bench.exe [--runs N] [--verbose]
//
// Two setups are stored for the simulated desk, each setting every card
// away from the other ("Bench A": word clock, 48000 Hz, set B on the last
// pair; "Bench B": the digital input's clock, 44100 Hz, routing on set A's
// first pair), so that every recall changes every card.
//
// With a desk running (hidden in the tray, as it mostly is): the second
// start hands the request to it with WM_COPYDATA and ends once the running
// desk has set every card; the time from CreateProcess to the second
// start's exit is the figure. A second start with --save-setup, which the
// running desk carries out without touching a card (it stores the records),
// gives the cost of the trip itself: the process under Wine, the handing
// over and the registry, the floor under that figure.
//
// With no desk running: `desk-sim.exe --setup NAME --ready-event E` starts,
// gives the cards their stored settings, recalls the setup and only then
// sets E; the time from CreateProcess to E is the figure.
//
// Before the timed runs, one recall of each kind is checked: the stored
// records of every card must then be the setup's.
#include <windows.h>

#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/registry_settings_key_win32.h"
#include "bench_stats.h"
#include "stored_records_win32.h"
#include "support/desk_process.h"

namespace {

constexpr int kDefaultRuns = 20;
constexpr int kRecordSlots = 17;
constexpr DWORD kWaitMs = 60000;

using Record = int32_t[kRecordSlots];
// Slots: inputs, fs mode, clock, show, routing off, set A rows, set B rows,
// auto rate, manual rate, frame rate.
const Record kBenchA = {1, 0, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 1};
const Record kBenchB = {0, 1, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 3};
const char* const kSetupNames[2] = {"Bench A", "Bench B"};

std::string SetupsPath() { return std::string(kSimulatedCardsSettingsKey.path) + "\\Setups"; }

void StoreSetup(const char* name, const Record& record, int cards) {
    HKEY key = nullptr;
    if (RegCreateKeyA(kSimulatedCardsSettingsKey.root, (SetupsPath() + "\\" + name).c_str(), &key) != ERROR_SUCCESS)
        return;
    for (int c = 0; c < cards; ++c) {
        char value[16];
        std::snprintf(value, sizeof value, "Mixer2%d", c);
        RegSetValueExA(key, value, 0, REG_BINARY, reinterpret_cast<const BYTE*>(record), sizeof(Record));
    }
    RegCloseKey(key);
}

void RemoveSetups() { SHDeleteKeyA(kSimulatedCardsSettingsKey.root, SetupsPath().c_str()); }

// Whether every card's stored record is `record`, as a recall leaves it.
bool RecordsAre(const Record& record, int cards) {
    HKEY key = nullptr;
    if (RegOpenKeyA(kSimulatedCardsSettingsKey.root, kSimulatedCardsSettingsKey.path, &key) != ERROR_SUCCESS)
        return false;
    bool same = true;
    for (int c = 0; c < cards; ++c) {
        char value[16];
        std::snprintf(value, sizeof value, "Mixer2%d", c);
        Record stored = {};
        DWORD size = sizeof stored;
        same =
            same &&
            RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size) == ERROR_SUCCESS &&
            size == sizeof stored && std::memcmp(stored, record, sizeof stored) == 0;
    }
    RegCloseKey(key);
    return same;
}

// A second start of desk-sim.exe with `arguments`: its time from start to
// exit in milliseconds, or -1 when it did not end with exit code 0.
double TimedSecondStart(const std::string& arguments) {
    const int64_t start = Ticks();
    DeskProcess second("desk-sim.exe", arguments);
    const DWORD code = second.started() ? second.WaitForExit(kWaitMs) : STILL_ACTIVE;
    const int64_t end = Ticks();
    return code == 0 ? TicksToMs(end - start) : -1.0;
}

struct Samples {
    std::vector<double> running;   // --setup handed to a running desk
    std::vector<double> floor;     // --save-setup handed to a running desk: no card set
    std::vector<double> starting;  // --setup with no desk running
};

bool MeasureWithDeskRunning(int cards, int runs, bool verbose, Samples* samples) {
    DeskProcess desk("desk-sim.exe", "--cards " + std::to_string(cards) + " --no-monitor");
    const HWND window = desk.started() ? desk.WaitForMainWindow() : nullptr;
    if (window == nullptr) {
        std::fprintf(stderr, "setup-bench: the running desk did not come\n");
        return false;
    }
    // One of each, untimed: they fill the caches, and the first shows that a
    // recall does set the cards.
    const double first = TimedSecondStart("--setup \"Bench A\"");
    if (first < 0 || !RecordsAre(kBenchA, cards) || TimedSecondStart("--save-setup \"Bench Floor\"") < 0) {
        std::fprintf(stderr, "setup-bench: a recall by the running desk did not set the cards\n");
        return false;
    }
    for (int run = 0; run < runs; ++run) {
        const double recall = TimedSecondStart(std::string("--setup \"") + kSetupNames[(run + 1) % 2] + "\"");
        const double floor = TimedSecondStart("--save-setup \"Bench Floor\"");
        if (recall < 0 || floor < 0) {
            std::fprintf(stderr, "setup-bench: a second start failed\n");
            return false;
        }
        samples->running.push_back(recall);
        samples->floor.push_back(floor);
        if (verbose) std::printf("  %d cards, desk running: --setup %8.3f ms, floor %8.3f ms\n", cards, recall, floor);
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    return desk.WaitForExit() == 0;
}

// One start with --setup and no desk running: the time to its ready event,
// which it sets once the setup is recalled, or -1.
double TimedStartingRecall(int cards, const char* setup) {
    char eventName[64];
    std::snprintf(eventName, sizeof eventName, "TaraDock20.SetupBench.%lu", GetCurrentProcessId());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName);
    const int64_t start = Ticks();
    DeskProcess desk("desk-sim.exe", "--cards " + std::to_string(cards) + " --no-monitor --setup \"" + setup +
                                         "\" --ready-event " + eventName);
    const bool came = desk.started() && WaitForSingleObject(ready, kWaitMs) == WAIT_OBJECT_0;
    const int64_t end = Ticks();
    CloseHandle(ready);
    const HWND window = came ? desk.WaitForMainWindow() : nullptr;
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
    return came && desk.WaitForExit() == 0 ? TicksToMs(end - start) : -1.0;
}

bool MeasureWithNoDeskRunning(int cards, int runs, bool verbose, Samples* samples) {
    if (TimedStartingRecall(cards, "Bench B") < 0 || !RecordsAre(kBenchB, cards)) {
        std::fprintf(stderr, "setup-bench: a starting desk did not recall the setup\n");
        return false;
    }
    for (int run = 0; run < runs; ++run) {
        const double time = TimedStartingRecall(cards, kSetupNames[run % 2]);
        if (time < 0) {
            std::fprintf(stderr, "setup-bench: a starting desk did not recall the setup\n");
            return false;
        }
        samples->starting.push_back(time);
        if (verbose) std::printf("  %d cards, none running: %8.3f ms\n", cards, time);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = kDefaultRuns;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (option == "--verbose") {
            verbose = true;
        } else {
            std::fprintf(stderr, "usage: setup-bench.exe [--runs N] [--verbose]\n");
            return 2;
        }
    }
    if (runs < 1) runs = 1;

    StoredRecords records;
    std::printf(
        "desk-sim.exe --setup NAME, from its start to the last card set: %d recalls per row, after one untimed\n"
        "that showed every card's stored record to be the setup's; medians in ms, min and max\n\n",
        runs);
    std::printf("%-6s %-22s %10s %9s %9s %22s\n", "cards", "desk", "--setup", "min", "max", "--save-setup, no card");
    std::printf("%-6s %-22s %10s %9s %9s %22s\n", "", "", "", "", "", "set (floor)");
    int status = 0;
    for (int cards : {2, 4}) {
        records.Remove();
        RemoveSetups();
        StoreSetup("Bench A", kBenchA, cards);
        StoreSetup("Bench B", kBenchB, cards);
        Samples samples;
        if (!MeasureWithDeskRunning(cards, runs, verbose, &samples) ||
            !MeasureWithNoDeskRunning(cards, runs, verbose, &samples)) {
            status = 1;
            break;
        }
        std::printf("%-6d %-22s %10.3f %9.3f %9.3f %22.3f\n", cards, "running, in the tray", Median(samples.running),
                    Minimum(samples.running), Maximum(samples.running), Median(samples.floor));
        std::printf("%-6d %-22s %10.3f %9.3f %9.3f %22s\n", cards, "none: starts, recalls", Median(samples.starting),
                    Minimum(samples.starting), Maximum(samples.starting), "");
        std::fflush(stdout);
    }
    RemoveSetups();
    return status;
}
