// standby-bench.exe: how long the simulated desk takes at the end of a
// standby, from the resume message to the last card set, with two and with
// four cards.
//
//   standby-bench.exe [--cycles N] [--verbose]
//
// desk-sim.exe runs as its own process, started as a script starts it, with
// every card on the default record. Each cycle is a standby as Windows 98
// announces it to the desk's main window: the query, the suspend (the desk
// stores its records, the simulated cards lose power), then the automatic
// resume and the user's resume. The desk handles WM_POWERBROADCAST inside
// SendMessage, so the call with the first resume returns once every card has
// been set again: its time is the figure. The second resume finds the cards
// set and does nothing, and the query does nothing either: their times are
// what the window system charges for the trip between the two processes.
// Each size is measured with the desk hidden in the tray, as it mostly is,
// and with its panel open, whose toggles then redraw. Before the timed runs,
// one traced standby checks that the resume measured does set the cards: the
// trace must show every card's power loss and, after it, its control words.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "stored_records_win32.h"
#include "support/desk_process.h"

namespace {

constexpr int kDefaultCycles = 30;
constexpr UINT kSendTimeoutMs = 30000;

struct Samples {
    std::vector<double> query;
    std::vector<double> resume;
    std::vector<double> secondResume;
};

// SendMessage with a bound, so that a desk that hangs ends the run instead
// of the benchmark; the time of the call in milliseconds, or -1.
double TimedPowerEvent(HWND window, WPARAM event) {
    DWORD_PTR answer = 0;
    const int64_t start = Ticks();
    const LRESULT sent = SendMessageTimeoutA(window, WM_POWERBROADCAST, event, 0, SMTO_NORMAL, kSendTimeoutMs, &answer);
    const int64_t end = Ticks();
    return sent != 0 && answer == TRUE ? TicksToMs(end - start) : -1.0;
}

bool RunCycles(int cards, bool shown, int cycles, bool verbose, Samples* samples) {
    std::string arguments = "--cards " + std::to_string(cards) + " --no-monitor";
    if (shown) arguments += " --show";
    DeskProcess desk("desk-sim.exe", arguments);
    if (!desk.started()) {
        std::fprintf(stderr, "standby-bench: cannot start desk-sim.exe\n");
        return false;
    }
    const HWND window = desk.WaitForMainWindow();
    if (window == nullptr || (shown && !WaitUntil([&] { return IsWindowVisible(window) != FALSE; }))) {
        std::fprintf(stderr, "standby-bench: the desk's window did not come\n");
        return false;
    }
    // One untimed standby first: it fills the caches of both processes.
    for (int cycle = -1; cycle < cycles; ++cycle) {
        const double query = TimedPowerEvent(window, PBT_APMQUERYSUSPEND);
        const double suspend = TimedPowerEvent(window, PBT_APMSUSPEND);
        const double resume = TimedPowerEvent(window, PBT_APMRESUMEAUTOMATIC);
        const double secondResume = TimedPowerEvent(window, PBT_APMRESUMESUSPEND);
        if (query < 0 || suspend < 0 || resume < 0 || secondResume < 0) {
            std::fprintf(stderr, "standby-bench: the desk did not answer a power event\n");
            return false;
        }
        if (cycle < 0) continue;
        samples->query.push_back(query);
        samples->resume.push_back(resume);
        samples->secondResume.push_back(secondResume);
        if (verbose) {
            std::printf("  %d cards, %s: query %7.3f  suspend %7.3f  resume %7.3f  second resume %7.3f ms\n", cards,
                        shown ? "shown" : "hidden", query, suspend, resume, secondResume);
        }
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (desk.WaitForExit() != 0) {
        std::fprintf(stderr, "standby-bench: the desk did not end cleanly\n");
        return false;
    }
    return true;
}

std::string ReadFile(const std::string& path) {
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t read = 0;
        while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, read);
        std::fclose(file);
    }
    return text;
}

// One standby of a traced two-card desk: true when each card lost power and
// was sent its control words again after that.
bool ResumeSetsTheCards() {
    char folder[MAX_PATH];
    char path[MAX_PATH];
    if (GetTempPathA(sizeof folder, folder) == 0 || GetTempFileNameA(folder, "sby", 0, path) == 0) return false;
    bool set = true;
    {
        DeskProcess desk("desk-sim.exe", std::string("--cards 2 --no-monitor --trace \"") + path + "\"");
        const HWND window = desk.started() ? desk.WaitForMainWindow() : nullptr;
        for (WPARAM event : {PBT_APMQUERYSUSPEND, PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND})
            set = set && window != nullptr && TimedPowerEvent(window, event) >= 0;
        if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
        set = set && desk.WaitForExit() == 0;
    }
    const std::string trace = ReadFile(path);
    DeleteFileA(path);
    for (const char* card : {"0", "1"}) {
        const size_t lost = trace.find(std::string("\n") + card + " # power lost");
        set = set && lost != std::string::npos &&
              trace.find(std::string("\n") + card + " # word 0", lost) != std::string::npos;
    }
    return set;
}

}  // namespace

int main(int argc, char** argv) {
    int cycles = kDefaultCycles;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--cycles" && i + 1 < argc) {
            cycles = std::atoi(argv[++i]);
        } else if (option == "--verbose") {
            verbose = true;
        } else {
            std::fprintf(stderr, "usage: standby-bench.exe [--cycles N] [--verbose]\n");
            return 2;
        }
    }
    if (cycles < 1) cycles = 1;

    StoredRecords records;
    records.Remove();
    if (!ResumeSetsTheCards()) {
        std::fprintf(stderr, "standby-bench: a traced standby did not set the cards again\n");
        return 1;
    }
    std::printf(
        "standby and resume of desk-sim.exe: %d standbys per row, after one untimed; SendMessage from\n"
        "another process, medians in ms (a traced standby showed both cards set again after their power loss)\n\n",
        cycles);
    std::printf("%-6s %-7s %14s %8s %8s %14s %12s %14s\n", "cards", "panel", "resume to last", "min", "max",
                "second resume", "query", "resume - query");
    std::printf("%-6s %-7s %14s %8s %8s %14s %12s %14s\n", "", "", "card set", "", "", "(nothing to do)", "(floor)",
                "");
    for (int cards : {2, 4}) {
        for (bool shown : {false, true}) {
            records.Remove();  // every card on the default record
            Samples samples;
            if (!RunCycles(cards, shown, cycles, verbose, &samples)) return 1;
            std::printf("%-6d %-7s %14.3f %8.3f %8.3f %14.3f %12.3f %14.3f\n", cards, shown ? "open" : "hidden",
                        Median(samples.resume), Minimum(samples.resume), Maximum(samples.resume),
                        Median(samples.secondResume), Median(samples.query),
                        Median(samples.resume) - Median(samples.query));
            std::fflush(stdout);
        }
    }
    return 0;
}
