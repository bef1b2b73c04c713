// startup-bench.exe: how long the simulated desk with four cards takes to be
// ready, and how much memory it holds, next to floor.exe (the least a
// Windows program with a window costs), in alternating runs of the two so
// that both see the same machine. Also the sizes of the programs.
//
//   startup-bench.exe [--runs N] [--verbose] [--hold MS]
//
// --verbose prints every run; --hold keeps each process MS milliseconds
// after its memory was read (with its process id printed), so that the
// figures can be compared with what the host system says about it.
//
// Start-up is the time from CreateProcess until the program is ready:
// - floor.exe: its window exists;
// - desk-sim.exe --cards 4 --no-monitor --trace FILE: its main window
//   (class "TA20PAN") exists and the last card's panel has been restored,
//   which the simulated card's trace shows (see RestoreWatcher).
// Every run also times when WaitForInputIdle returns after that (the
// program's message loop waits for input), and a third program, the desk
// without the trace, is timed by that alone: the trace writes and flushes
// a line per register access, which the desk without it does not pay.
// A fourth, floor.exe --children with as many windows as the desk has
// controls, is the desk's window tree with nothing in it, also timed until
// input idle: what the window system charges for the windows themselves.
// The peak working set is read with GetProcessMemoryInfo once the program
// is ready and idle, just before it is closed with WM_CLOSE. (Wine answers
// with the VmHWM of the program's host process, which was checked against
// /proc/<pid>/status with --hold.)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/registry_settings_key_win32.h"
#include "bench_stats.h"
#include "panel/card_panel_layout.h"

namespace {

constexpr int kDefaultRuns = 15;
constexpr DWORD kReadyTimeoutMs = 30000;
constexpr DWORD kIdleTimeoutMs = 5000;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr int kDeskCards = 4;
constexpr double kMiB = 1024.0 * 1024.0;

// Targets the figures are held against.
constexpr double kStartupRatioTarget = 1.5;
constexpr double kExtraMemoryTargetMiB = 4.0;
constexpr double kDeskSizeTargetMiB = 1.0;

const char kFloorClass[] = "DeskFloorWindow";
const char kDeskClass[] = "TA20PAN";

std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash != nullptr) slash[1] = '\0';
    return path;
}

// Watches the simulated cards' trace for the end of the last card's
// restore. Cards are restored one after the other, column 0 first, and each
// restore ends with the sample rate: control word 0 takes the rate bits, the
// external unit gets its rate byte ("unit rate 0xC1".."0xC3"), then word 0
// takes the receiver's range bits. (The frame-rate step comes last but
// sends nothing while the generator is stopped.) So the last card is
// restored once column 3's trace shows a word-0 latch after its unit rate
// byte; only its closing idle write to the serial lines follows. That holds
// as long as the record asks for a fixed rate, which the default record
// does: the bench removes the stored records before every run.
class RestoreWatcher {
public:
    explicit RestoreWatcher(std::string path) : path_(std::move(path)) {}
    ~RestoreWatcher() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    RestoreWatcher(const RestoreWatcher&) = delete;
    RestoreWatcher& operator=(const RestoreWatcher&) = delete;

    // Reads what the trace gained since the last call; true once the last
    // card's restore has been seen.
    bool Poll() {
        if (done_) return true;
        if (file_ == INVALID_HANDLE_VALUE) {
            file_ = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file_ == INVALID_HANDLE_VALUE) return false;
        }
        char buffer[16384];
        DWORD got = 0;
        while (!done_ && ReadFile(file_, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            for (DWORD i = 0; i < got && !done_; ++i) {
                if (buffer[i] == '\n') {
                    Line(partial_);
                    partial_.clear();
                } else if (buffer[i] != '\r') {
                    partial_ += buffer[i];
                }
            }
        }
        return done_;
    }

private:
    static bool StartsWith(const std::string& text, const char* prefix) {
        return text.compare(0, std::strlen(prefix), prefix) == 0;
    }
    void Line(const std::string& line) {
        if (StartsWith(line, "3 # unit rate ")) {
            sawLastRateByte_ = true;
        } else if (sawLastRateByte_ && StartsWith(line, "3 # word 0 = ")) {
            done_ = true;
        }
    }

    std::string path_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string partial_;
    bool sawLastRateByte_ = false;
    bool done_ = false;
};

struct Program {
    const char* label;
    std::string path;
    std::string arguments;
    const char* windowClass;
    enum class ReadyWhen { WindowExists, LastCardRestored, InputIdle } readyWhen;
    std::string tracePath;  // for LastCardRestored
};

struct RunResult {
    bool ok = false;
    std::string error;
    double startupMs = 0;
    double idleMs = 0;
    double closeMs = 0;
    SIZE_T peakWorkingSet = 0;
    SIZE_T workingSet = 0;
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

// The stored card records, taken away for the runs and put back after, so
// that every run restores the default record and the desk's own settings
// survive the bench.
class StoredRecords {
public:
    StoredRecords() {
        for (int i = 0; i < kDeskCards; ++i) {
            Saved& saved = saved_[i];
            std::snprintf(saved.name, sizeof saved.name, "Mixer2%d", i);
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
                continue;
            }
            DWORD size = sizeof saved.data;
            saved.present =
                RegQueryValueExA(key, saved.name, nullptr, &saved.type, saved.data, &size) == ERROR_SUCCESS;
            saved.size = size;
            RegCloseKey(key);
        }
    }
    ~StoredRecords() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        for (const Saved& saved : saved_) {
            if (saved.present) {
                RegSetValueExA(key, saved.name, 0, saved.type, saved.data, saved.size);
            } else {
                RegDeleteValueA(key, saved.name);
            }
        }
        RegCloseKey(key);
    }
    StoredRecords(const StoredRecords&) = delete;
    StoredRecords& operator=(const StoredRecords&) = delete;

    void Remove() const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        for (const Saved& saved : saved_) RegDeleteValueA(key, saved.name);
        RegCloseKey(key);
    }

private:
    struct Saved {
        char name[16] = {};
        bool present = false;
        DWORD type = 0;
        BYTE data[256] = {};
        DWORD size = 0;
    };
    Saved saved_[kDeskCards];
};

void EndProcess(PROCESS_INFORMATION& process) {
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, kExitTimeoutMs);
    }
    CloseHandle(process.hProcess);
}

RunResult RunOnce(const Program& program, DWORD holdMs, bool verbose) {
    RunResult result;
    if (!program.tracePath.empty()) DeleteFileA(program.tracePath.c_str());
    RestoreWatcher watcher(program.tracePath);

    std::string commandLine = "\"" + program.path + "\" " + program.arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const int64_t started = Ticks();
    if (!CreateProcessA(program.path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        result.error = "cannot start " + program.path;
        return result;
    }
    CloseHandle(process.hThread);

    // Poll every millisecond; the wait on the process doubles as the pause
    // and notices a program that ends instead of getting ready.
    HWND window = nullptr;
    bool ready = false;
    int64_t readyAt = 0;
    if (program.readyWhen == Program::ReadyWhen::InputIdle &&
        WaitForInputIdle(process.hProcess, kReadyTimeoutMs) == 0) {
        readyAt = Ticks();
    }
    const DWORD deadline = GetTickCount() + kReadyTimeoutMs;
    while (!ready) {
        if (window == nullptr) window = FindProcessWindow(process.dwProcessId, program.windowClass);
        bool done = window != nullptr;
        if (program.readyWhen == Program::ReadyWhen::LastCardRestored) {
            done = done && watcher.Poll();
        } else if (program.readyWhen == Program::ReadyWhen::InputIdle) {
            done = done && readyAt != 0;
        }
        if (done) {
            if (readyAt == 0) readyAt = Ticks();
            ready = true;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            result.error = std::string(program.label) + " ended before it was ready";
            break;
        }
        if (static_cast<LONG>(GetTickCount() - deadline) > 0) {
            result.error = std::string(program.label) + " was not ready within the time allowed";
            break;
        }
    }
    if (!ready) {
        EndProcess(process);
        return result;
    }
    result.startupMs = TicksToMs(readyAt - started);
    WaitForInputIdle(process.hProcess, kIdleTimeoutMs);
    result.idleMs = TicksToMs(Ticks() - started);
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) {
        result.peakWorkingSet = counters.PeakWorkingSetSize;
        result.workingSet = counters.WorkingSetSize;
    }
    if (holdMs > 0) {
        std::printf("  %s: process id %lu, peak working set %lu bytes; holding %lu ms\n", program.label,
                    static_cast<unsigned long>(process.dwProcessId),
                    static_cast<unsigned long>(result.peakWorkingSet), static_cast<unsigned long>(holdMs));
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

const char* Verdict(bool met) { return met ? "met" : "NOT MET"; }

void PrintRow(const char* label, const char* readyWhen, const Samples& samples) {
    std::printf("%-24s %-18s %9.1f %7.1f %7.1f %9.1f %10.2f %8.2f %9.1f\n", label, readyWhen,
                Median(samples.startupMs), Minimum(samples.startupMs), Maximum(samples.startupMs),
                Median(samples.idleMs), Median(samples.peakMiB), Maximum(samples.peakMiB), Median(samples.closeMs));
}

double Ratio(double a, double b) { return b > 0 ? a / b : 0.0; }

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
    char tempFolder[MAX_PATH];
    GetTempPathA(MAX_PATH, tempFolder);
    const std::string tracePath = std::string(tempFolder) + "desk-startup-bench-trace.txt";

    using ReadyWhen = Program::ReadyWhen;
    const Program floor = {"floor.exe", folder + "floor.exe", "", kFloorClass, ReadyWhen::WindowExists, ""};
    const Program desk = {"desk-sim.exe", folder + "desk-sim.exe",
                          "--cards 4 --no-monitor --trace \"" + tracePath + "\"", kDeskClass,
                          ReadyWhen::LastCardRestored, tracePath};
    const Program untracedDesk = {"desk-sim.exe (no trace)", folder + "desk-sim.exe", "--cards 4 --no-monitor",
                                  kDeskClass, ReadyWhen::InputIdle, ""};
    const int deskControls = kDeskCards * static_cast<int>(PanelLayoutRowCount());
    const Program treeFloor = {"floor.exe --children", folder + "floor.exe",
                               "--children " + std::to_string(deskControls), kFloorClass, ReadyWhen::InputIdle, ""};

    StoredRecords records;
    Samples floorSamples;
    Samples deskSamples;
    Samples untracedSamples;
    Samples treeSamples;
    std::printf("start-up and memory: %d alternating runs of each program, after one untimed run of each\n",
                runs);
    std::fflush(stdout);
    // The first runs fill the caches of the host and of Wine; they are not
    // counted.
    for (int i = -1; i < runs; ++i) {
        const RunResult floorRun = RunOnce(floor, holdMs, verbose && i >= 0);
        records.Remove();
        const RunResult deskRun = RunOnce(desk, holdMs, verbose && i >= 0);
        records.Remove();
        const RunResult untracedRun = RunOnce(untracedDesk, holdMs, verbose && i >= 0);
        const RunResult treeRun = RunOnce(treeFloor, holdMs, verbose && i >= 0);
        for (const RunResult* run : {&floorRun, &deskRun, &untracedRun, &treeRun}) {
            if (!run->ok) {
                std::fprintf(stderr, "startup-bench: %s\n", run->error.c_str());
                DeleteFileA(tracePath.c_str());
                return 1;
            }
        }
        if (i >= 0) {
            floorSamples.Add(floorRun);
            deskSamples.Add(deskRun);
            untracedSamples.Add(untracedRun);
            treeSamples.Add(treeRun);
        }
    }
    DeleteFileA(tracePath.c_str());

    std::printf("\n%-24s %-18s %9s %7s %7s %9s %10s %8s %9s\n", "program", "ready when", "start-up", "min", "max",
                "idle", "peak WS", "peak WS", "close");
    std::printf("%-24s %-18s %9s %7s %7s %9s %10s %8s %9s\n", "", "", "median ms", "ms", "ms", "median ms",
                "median MiB", "max MiB", "median ms");
    PrintRow("floor.exe", "window exists", floorSamples);
    PrintRow("desk-sim.exe, 4 cards", "last card restored", deskSamples);
    PrintRow("desk-sim.exe, no trace", "input idle", untracedSamples);
    char treeLabel[32];
    std::snprintf(treeLabel, sizeof treeLabel, "floor.exe, %d windows", deskControls);
    PrintRow(treeLabel, "input idle", treeSamples);

    const double startupRatio = Ratio(Median(deskSamples.startupMs), Median(floorSamples.startupMs));
    std::printf("\nstart-up, desk / floor:        %6.2f x   (target at most %.1f x: %s)\n", startupRatio,
                kStartupRatioTarget, Verdict(startupRatio <= kStartupRatioTarget));
    std::printf("until idle, desk / floor:      %6.2f x   with the trace; %.2f x without it\n",
                Ratio(Median(deskSamples.idleMs), Median(floorSamples.idleMs)),
                Ratio(Median(untracedSamples.idleMs), Median(floorSamples.idleMs)));
    const double treeIdle = Median(treeSamples.idleMs);
    std::printf("the window tree alone:         %6.2f x   the floor with the desk's %d windows, empty;\n"
                "                                          the desk without the trace is %.2f x that\n",
                Ratio(treeIdle, Median(floorSamples.idleMs)), deskControls,
                Ratio(Median(untracedSamples.idleMs), treeIdle));
    const double floorPeak = Median(floorSamples.peakMiB);
    const double deskPeak = Median(deskSamples.peakMiB);
    if (floorPeak <= 0.0 || deskPeak <= 0.0) {
        std::printf("peak working set:              not reported for the child processes\n");
    } else {
        const double extra = deskPeak - floorPeak;
        std::printf("peak working set, desk / floor: %5.2f x   desk - floor = %+.2f MiB (target at most +%.0f MiB: %s);\n"
                    "                               without the trace %+.2f MiB\n",
                    deskPeak / floorPeak, extra, kExtraMemoryTargetMiB, Verdict(extra <= kExtraMemoryTargetMiB),
                    Median(untracedSamples.peakMiB) - floorPeak);
    }

    std::printf("\n%-22s %12s %9s\n", "file", "size MiB", "/ floor");
    const double floorSize = FileMiB(floor.path);
    for (const char* name : {"desk.exe", "desk-sim.exe", "floor.exe"}) {
        const double size = FileMiB(folder + name);
        if (size < 0) {
            std::printf("%-22s %12s\n", name, "missing");
            continue;
        }
        std::printf("%-22s %12.3f %9.2f", name, size, floorSize > 0 ? size / floorSize : 0.0);
        if (std::strcmp(name, "desk.exe") == 0) {
            std::printf("   (target under %.0f MiB: %s)", kDeskSizeTargetMiB, Verdict(size < kDeskSizeTargetMiB));
        }
        std::printf("\n");
    }
    return 0;
}
