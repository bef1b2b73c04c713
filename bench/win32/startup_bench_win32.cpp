// startup-bench.exe: how long the simulated desk with four cards takes to be
// ready, and how much memory it holds, next to floor.exe --tray (the least a
// Windows program with a window and an icon in the notification area costs)
// and next to it with the desk's window tree, in runs that take turns so that
// all see the same machine. Also the sizes of the programs.
//
//   startup-bench.exe [--runs N] [--verbose] [--hold MS]
//
// --verbose prints every run; --hold keeps each process MS milliseconds
// after its memory was read (with its process id printed), so that the
// figures can be compared with what the host system says about it.
//
// Start-up is the time from CreateProcess until the program says it is
// ready by setting an event the bench made for the run (--ready-event):
// - floor.exe --tray: its window and its tray icon exist;
// - desk-sim.exe --cards 4 --no-monitor: its main window (class "TA20PAN")
//   exists and every card's panel has been restored and its settings sent
//   to the card;
// - floor.exe --children N, N the number of the desk's controls: its window
//   exists with N empty child windows, created and shown as the desk's
//   controls are. What the window system charges for the windows themselves.
// Waiting on the event costs the programs nothing; polling for windows or
// files would load the machine (and Wine's server) while they start. Every
// run also times when WaitForInputIdle returns after that (the program's
// message loop waits for input). The peak working set is read with
// GetProcessMemoryInfo once the program is ready and idle, just before it is
// closed with WM_CLOSE. (Wine answers with the VmHWM of the program's host
// process, which was checked against /proc/<pid>/status with --hold.)
//
// Where the test build made them (build/win32/standin), desk.exe itself is
// measured too, on four stand-in cards: a byte-for-byte copy of the shipped
// desk.exe beside the card driver's stand-in ta24vxd.vxd, which Wine loads
// for a program it tells runs on Windows 98 (the bench says so for desk.exe
// alone while it runs, as the end-to-end scripts do). desk.exe has no ready
// event: it counts as ready once its window exists. Its figure includes the
// stand-in, a DLL with the simulated driver and cards and a C++ run-time of
// its own, so it is an upper bound of what the desk holds by a card's real
// driver.
//
// The bench keeps a tray icon of its own for the whole run. Every program
// measured has one, and the notification area that the last icon leaves is
// taken away: under Wine on a display without a window manager that took
// two seconds of every close, which is the system's and not the program's.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "panel/card_panel_layout.h"
#include "stored_records_win32.h"
#include "support/desk_process.h"

namespace {

constexpr int kDefaultRuns = 15;
constexpr DWORD kReadyTimeoutMs = 30000;
constexpr DWORD kIdleTimeoutMs = 5000;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr int kDeskCards = 4;
constexpr double kMiB = 1024.0 * 1024.0;

const char kFloorClass[] = "DeskFloorWindow";
const char kDeskClass[] = "TA20PAN";

struct Program {
    const char* label;
    std::string path;
    std::string arguments;
    const char* windowClass;
};

struct RunResult {
    bool ok = false;
    std::string error;
    double startupMs = 0;
    double idleMs = 0;
    double closeMs = 0;
    SIZE_T peakWorkingSet = 0;
};

HWND FindProcessWindow(DWORD processId, const char* windowClass) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, windowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

void EndProcess(PROCESS_INFORMATION& process) {
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, kExitTimeoutMs);
    }
    CloseHandle(process.hProcess);
}

// An event no other run shares, made before the program starts.
class ReadyEvent {
public:
    ReadyEvent() {
        static int runs = 0;
        name_ = "desk-startup-bench-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
        handle_ = CreateEventA(nullptr, TRUE, FALSE, name_.c_str());
    }
    ~ReadyEvent() {
        if (handle_ != nullptr) CloseHandle(handle_);
    }
    ReadyEvent(const ReadyEvent&) = delete;
    ReadyEvent& operator=(const ReadyEvent&) = delete;

    HANDLE handle() const { return handle_; }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    HANDLE handle_ = nullptr;
};

RunResult RunOnce(const Program& program, DWORD holdMs, bool verbose) {
    RunResult result;
    ReadyEvent readyEvent;
    if (readyEvent.handle() == nullptr) {
        result.error = "cannot make an event";
        return result;
    }
    std::string commandLine = "\"" + program.path + "\" " + program.arguments + " --ready-event " + readyEvent.name();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const int64_t started = Ticks();
    if (!CreateProcessA(program.path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        result.error = "cannot start " + program.path;
        return result;
    }
    CloseHandle(process.hThread);

    // The wait on the process as well notices a program that ends instead of
    // getting ready.
    const HANDLE waitFor[] = {readyEvent.handle(), process.hProcess};
    const DWORD woke = WaitForMultipleObjects(2, waitFor, FALSE, kReadyTimeoutMs);
    const int64_t readyAt = Ticks();
    if (woke != WAIT_OBJECT_0) {
        result.error =
            std::string(program.label) +
            (woke == WAIT_OBJECT_0 + 1 ? " ended before it was ready" : " was not ready within the time allowed");
        EndProcess(process);
        return result;
    }
    const HWND window = FindProcessWindow(process.dwProcessId, program.windowClass);
    if (window == nullptr) {
        result.error = std::string(program.label) + " said it was ready but has no window";
        EndProcess(process);
        return result;
    }
    result.startupMs = TicksToMs(readyAt - started);
    WaitForInputIdle(process.hProcess, kIdleTimeoutMs);
    result.idleMs = TicksToMs(Ticks() - started);
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters))
        result.peakWorkingSet = counters.PeakWorkingSetSize;
    if (holdMs > 0) {
        std::printf("  %s: process id %lu, peak working set %lu bytes; holding %lu ms\n", program.label,
                    static_cast<unsigned long>(process.dwProcessId), static_cast<unsigned long>(result.peakWorkingSet),
                    static_cast<unsigned long>(holdMs));
        std::fflush(stdout);
        Sleep(holdMs);
    }

    const int64_t closing = Ticks();
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        result.error = std::string(program.label) + " did not end after WM_CLOSE";
        EndProcess(process);
        return result;
    }
    result.closeMs = TicksToMs(Ticks() - closing);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    if (exitCode != 0) {
        result.error = std::string(program.label) + " ended with exit code " + std::to_string(exitCode);
        return result;
    }
    result.ok = true;
    if (verbose) {
        std::printf("  %-24s start-up %8.2f ms  idle %8.2f ms  peak working set %7.2f MiB  close %7.2f ms\n",
                    program.label, result.startupMs, result.idleMs, static_cast<double>(result.peakWorkingSet) / kMiB,
                    result.closeMs);
        std::fflush(stdout);
    }
    return result;
}

struct Samples {
    std::vector<double> startupMs;
    std::vector<double> idleMs;
    std::vector<double> peakMiB;
    std::vector<double> closeMs;
    void Add(const RunResult& run) {
        startupMs.push_back(run.startupMs);
        idleMs.push_back(run.idleMs);
        peakMiB.push_back(static_cast<double>(run.peakWorkingSet) / kMiB);
        closeMs.push_back(run.closeMs);
    }
};

double FileMiB(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1.0;
    return (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / kMiB;
}

void PrintRow(const char* label, const char* readyWhen, const Samples& samples) {
    std::printf("%-24s %-26s %9.1f %7.1f %7.1f %9.1f %10.2f %8.2f %9.1f\n", label, readyWhen, Median(samples.startupMs),
                Minimum(samples.startupMs), Maximum(samples.startupMs), Median(samples.idleMs), Median(samples.peakMiB),
                Maximum(samples.peakMiB), Median(samples.closeMs));
}

double Ratio(double a, double b) { return b > 0 ? a / b : 0.0; }

// Wine's Windows version for desk.exe alone, Windows 98 while it lives; the
// value it found is put back.
class Windows98ForDesk {
public:
    Windows98ForDesk() {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr) !=
            ERROR_SUCCESS)
            return;
        DWORD size = sizeof old_;
        had_ =
            RegQueryValueExA(key_, "Version", nullptr, nullptr, reinterpret_cast<BYTE*>(old_), &size) == ERROR_SUCCESS;
        RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
    }
    ~Windows98ForDesk() {
        if (key_ == nullptr) return;
        if (had_)
            RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_),
                           static_cast<DWORD>(std::strlen(old_) + 1));
        else
            RegDeleteValueA(key_, "Version");
        RegCloseKey(key_);
    }
    Windows98ForDesk(const Windows98ForDesk&) = delete;
    Windows98ForDesk& operator=(const Windows98ForDesk&) = delete;

private:
    static constexpr const char* kPath = "Software\\Wine\\AppDefaults\\desk.exe";
    HKEY key_ = nullptr;
    char old_[32] = "";
    bool had_ = false;
};

// desk.exe on `cards` stand-in cards: its peak working set once idle, or 0.
SIZE_T RealDeskPeak(const std::string& path, int cards) {
    SetEnvironmentVariableA("TA24VXD_STANDIN", ("--cards " + std::to_string(cards)).c_str());
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const bool started = CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process) != FALSE;
    SetEnvironmentVariableA("TA24VXD_STANDIN", nullptr);
    if (!started) return 0;
    CloseHandle(process.hThread);
    HWND window = nullptr;
    for (int waited = 0; window == nullptr && waited < static_cast<int>(kReadyTimeoutMs); waited += 20) {
        if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) break;
        window = FindProcessWindow(process.dwProcessId, kDeskClass);
    }
    SIZE_T peak = 0;
    if (window != nullptr) {
        WaitForInputIdle(process.hProcess, kIdleTimeoutMs);
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) peak = counters.PeakWorkingSetSize;
        PostMessageA(window, WM_CLOSE, 0, 0);
        WaitForSingleObject(process.hProcess, kExitTimeoutMs);
    }
    EndProcess(process);
    return peak;
}

// The real desk's key holds what the stand-in's desk stored: taken away again
// when the bench made it.
void MeasureRealDesk(const std::string& folder, int runs, double floorPeak) {
    const std::string standIn = folder + "..\\standin\\";
    if (GetFileAttributesA((standIn + "ta24vxd.vxd").c_str()) == INVALID_FILE_ATTRIBUTES) return;
    HKEY existing = nullptr;
    const bool keyExisted =
        RegOpenKeyExA(kDeskSettingsKey.root, kDeskSettingsKey.path, 0, KEY_READ, &existing) == ERROR_SUCCESS;
    if (existing != nullptr) RegCloseKey(existing);
    std::vector<double> peaks;
    {
        const Windows98ForDesk windows98;
        for (int i = -1; i < runs; ++i) {
            const SIZE_T peak = RealDeskPeak(standIn + "desk.exe", kDeskCards);
            if (peak == 0) {
                std::printf("\ndesk.exe on stand-in cards: did not start\n");
                return;
            }
            if (i >= 0) peaks.push_back(static_cast<double>(peak) / kMiB);
        }
    }
    if (!keyExisted) SHDeleteKeyA(kDeskSettingsKey.root, kDeskSettingsKey.path);
    std::printf(
        "\ndesk.exe on %d stand-in cards, %d runs: peak working set median %.2f MiB, max %.2f MiB\n"
        "  (desk.exe - floor = %+.2f MiB, the stand-in ta24vxd.vxd of %.2f MiB on disk included)\n",
        kDeskCards, runs, Median(peaks), Maximum(peaks), Median(peaks) - floorPeak, FileMiB(standIn + "ta24vxd.vxd"));
}

// The bench's own icon in the notification area, for the whole run.
class BenchTrayIcon {
public:
    BenchTrayIcon() {
        window_ = CreateWindowExA(0, "STATIC", "startup-bench", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        if (window_ != nullptr) Notify(NIM_ADD);
    }
    ~BenchTrayIcon() {
        if (window_ == nullptr) return;
        Notify(NIM_DELETE);
        DestroyWindow(window_);
    }
    BenchTrayIcon(const BenchTrayIcon&) = delete;
    BenchTrayIcon& operator=(const BenchTrayIcon&) = delete;

private:
    void Notify(DWORD action) {
        NOTIFYICONDATAA icon = {};
        icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon.hWnd = window_;
        icon.uID = 1;
        icon.uFlags = NIF_ICON | NIF_TIP;
        icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        lstrcpynA(icon.szTip, "startup-bench", sizeof icon.szTip);
        Shell_NotifyIconA(action, &icon);
        // Let the shell's side of it settle before anything is timed.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    HWND window_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    int runs = kDefaultRuns;
    bool verbose = false;
    DWORD holdMs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (option == "--verbose") {
            verbose = true;
        } else if (option == "--hold" && i + 1 < argc) {
            holdMs = static_cast<DWORD>(std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: startup-bench.exe [--runs N] [--verbose] [--hold MS]\n");
            return 2;
        }
    }
    if (runs < 1) runs = 1;

    const std::string folder = ProgramFolder();
    const int deskControls = kDeskCards * static_cast<int>(PanelLayoutRowCount());
    const Program floor = {"floor.exe --tray", folder + "floor.exe", "--tray", kFloorClass};
    const Program desk = {"desk-sim.exe", folder + "desk-sim.exe", "--cards 4 --no-monitor", kDeskClass};
    const Program treeFloor = {"floor.exe --tray --children", folder + "floor.exe",
                               "--tray --children " + std::to_string(deskControls), kFloorClass};

    const BenchTrayIcon trayIcon;
    StoredRecords records;
    Samples floorSamples;
    Samples deskSamples;
    Samples treeSamples;
    std::printf("start-up and memory: %d runs of each program, taking turns, after one untimed run of each\n", runs);
    std::fflush(stdout);
    // The first round fills the caches of the host and of Wine; it is not
    // counted. The order turns by one program every round, so that no
    // program always starts right after the same other one (a start after
    // the desk finds more of what the desk loaded still warm).
    const Program* const programs[] = {&floor, &desk, &treeFloor};
    Samples* const samples[] = {&floorSamples, &deskSamples, &treeSamples};
    constexpr int kPrograms = 3;
    for (int i = -1; i < runs; ++i) {
        for (int k = 0; k < kPrograms; ++k) {
            const int which = (k + (i < 0 ? 0 : i)) % kPrograms;
            records.Remove();  // every desk restores the default records
            const RunResult run = RunOnce(*programs[which], holdMs, verbose && i >= 0);
            if (!run.ok) {
                std::fprintf(stderr, "startup-bench: %s\n", run.error.c_str());
                return 1;
            }
            if (i >= 0) samples[which]->Add(run);
        }
    }

    std::printf("\n%-24s %-26s %9s %7s %7s %9s %10s %8s %9s\n", "program", "ready when", "start-up", "min", "max",
                "idle", "peak WS", "peak WS", "close");
    std::printf("%-24s %-26s %9s %7s %7s %9s %10s %8s %9s\n", "", "", "median ms", "ms", "ms", "median ms",
                "median MiB", "max MiB", "median ms");
    PrintRow("floor.exe --tray", "window and icon exist", floorSamples);
    PrintRow("desk-sim.exe, 4 cards", "every panel restored", deskSamples);
    char treeLabel[32];
    std::snprintf(treeLabel, sizeof treeLabel, "floor.exe --tray, %d windows", deskControls);
    PrintRow(treeLabel, "window and children exist", treeSamples);

    const double floorStartup = Median(floorSamples.startupMs);
    const double treeStartup = Median(treeSamples.startupMs);
    const double startupRatio = Ratio(Median(deskSamples.startupMs), floorStartup);
    std::printf("\nstart-up, desk / floor:         %5.2f x\n", startupRatio);
    std::printf("the window tree alone / floor:  %5.2f x   the floor with the desk's %d windows, empty\n",
                Ratio(treeStartup, floorStartup), deskControls);
    std::printf("start-up, desk / window tree:   %5.2f x   what the desk does beyond having its windows\n",
                Ratio(Median(deskSamples.startupMs), treeStartup));
    std::printf("until idle, desk / floor:       %5.2f x\n",
                Ratio(Median(deskSamples.idleMs), Median(floorSamples.idleMs)));
    const double floorPeak = Median(floorSamples.peakMiB);
    const double deskPeak = Median(deskSamples.peakMiB);
    if (floorPeak <= 0.0 || deskPeak <= 0.0) {
        std::printf("peak working set:               not reported for the child processes\n");
    } else {
        const double extra = deskPeak - floorPeak;
        std::printf(
            "peak working set, desk / floor: %5.2f x   desk - floor = %+.2f MiB;\n"
            "                                          the window tree alone %+.2f MiB\n",
            deskPeak / floorPeak, extra, Median(treeSamples.peakMiB) - floorPeak);
    }

    MeasureRealDesk(folder, runs, floorPeak);

    std::printf("\n%-22s %12s %9s\n", "file", "size MiB", "/ floor");
    const double floorSize = FileMiB(floor.path);
    for (const char* name : {"desk.exe", "desk-sim.exe", "floor.exe"}) {
        const double size = FileMiB(folder + name);
        if (size < 0) {
            std::printf("%-22s %12s\n", name, "missing");
            continue;
        }
        std::printf("%-22s %12.3f %9.2f\n", name, size, floorSize > 0 ? size / floorSize : 0.0);
    }
    return 0;
}
