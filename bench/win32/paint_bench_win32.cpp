// paint-bench.exe: the time to repaint the whole desk with four simulated
// cards and the timecode row open, everything invalid (the main window's two
// background rows and every control of the four columns), frame by frame.
//
//   paint-bench.exe [--frames N]
//
// Each frame is RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN
// | RDW_ERASE) followed by GdiFlush, so the time covers every WM_PAINT of the
// window and its controls and the drawing they queued.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "in_process_desk_win32.h"
#include "sim/sim_driver_link.h"

namespace {

constexpr int kDefaultFrames = 1000;
constexpr int kWarmUpFrames = 20;
constexpr int kCountedFrames = 10;
constexpr unsigned kAllFourCards = 0xF;

constexpr UINT kFullRepaint = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE;
constexpr UINT kMainWindowOnly = RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN | RDW_ERASE;

double RepaintMs(HWND window, UINT flags) {
    const int64_t start = Ticks();
    RedrawWindow(window, nullptr, nullptr, flags);
    GdiFlush();
    return TicksToMs(Ticks() - start);
}

std::vector<double> TimeFrames(HWND window, UINT flags, int frames) {
    for (int i = 0; i < kWarmUpFrames; ++i) RepaintMs(window, flags);
    std::vector<double> samples;
    samples.reserve(frames);
    for (int i = 0; i < frames; ++i) {
        samples.push_back(RepaintMs(window, flags));
        // Whatever the display sent meanwhile is handled between frames.
        PumpMessages();
    }
    return samples;
}

// Counts the WM_PAINT messages the frames deliver, as a check that a frame
// really repaints the window and every control.
int paintMessages = 0;
LRESULT CALLBACK CountPaints(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_PAINT) ++paintMessages;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

double PaintsPerFrame(HWND window, UINT flags) {
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountPaints, nullptr, GetCurrentThreadId());
    if (hook == nullptr) return -1.0;
    paintMessages = 0;
    for (int i = 0; i < kCountedFrames; ++i) RedrawWindow(window, nullptr, nullptr, flags);
    UnhookWindowsHookEx(hook);
    return static_cast<double>(paintMessages) / kCountedFrames;
}

// The controls' places on the desk, for the floor to copy.
std::vector<RECT> controlRects;
BOOL CALLBACK KeepVisibleChild(HWND child, LPARAM parent) {
    if (!IsWindowVisible(child)) return TRUE;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect), 2);
    controlRects.push_back(rect);
    return TRUE;
}

// The floor of a repaint: the same window frame with plain child windows at
// the places of the desk's controls, where every window paints nothing
// (BeginPaint and EndPaint alone). What the window system costs per window
// painted shows here; the desk's drawing is the difference.
const char kFloorWindowClass[] = "PaintFloorWindow";
const char kFloorChildClass[] = "PaintFloorChild";

HWND BuildPaintFloor(HINSTANCE instance, HWND desk) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PaintNothing;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFloorWindowClass;
    RegisterClassExA(&windowClass);
    windowClass.lpszClassName = kFloorChildClass;
    RegisterClassExA(&windowClass);

    RECT frame;
    GetWindowRect(desk, &frame);
    const LONG style = GetWindowLongA(desk, GWL_STYLE) & ~WS_VISIBLE;
    HWND floor =
        CreateWindowExA(0, kFloorWindowClass, "paint floor", static_cast<DWORD>(style), frame.left, frame.top,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (floor == nullptr) return nullptr;
    for (const RECT& rect : controlRects) {
        CreateWindowExA(0, kFloorChildClass, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, floor, nullptr, instance, nullptr);
    }
    return floor;
}

void PrintRow(const char* label, const std::vector<double>& samples, double paints) {
    std::printf("%-34s %10.3f %10.3f %10.3f %10.3f %10.1f\n", label, Median(samples), Mean(samples), Minimum(samples),
                Maximum(samples), paints);
}

}  // namespace

int main(int argc, char** argv) {
    int frames = kDefaultFrames;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--frames" && i + 1 < argc) {
            frames = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: paint-bench.exe [--frames N]\n");
            return 2;
        }
    }
    if (frames < 1) frames = 1;

    static SimDriverLink driver(kAllFourCards);
    double buildMs = 0.0;
    HWND window = BuildInProcessDesk(GetModuleHandleA(nullptr), &driver, &buildMs);
    if (window == nullptr) {
        std::fprintf(stderr, "paint-bench: the desk could not be built\n");
        return 1;
    }
    const SIZE client = ClientSize(window);
    EnumChildWindows(window, KeepVisibleChild, reinterpret_cast<LPARAM>(window));

    const std::vector<double> full = TimeFrames(window, kFullRepaint, frames);
    const std::vector<double> mainOnly = TimeFrames(window, kMainWindowOnly, frames);
    const double fullPaints = PaintsPerFrame(window, kFullRepaint);
    const double mainPaints = PaintsPerFrame(window, kMainWindowOnly);

    // The floor takes the desk's place on the screen while it is timed.
    ShowWindow(window, SW_HIDE);
    std::vector<double> floorFull;
    double floorPaints = -1.0;
    HWND floor = BuildPaintFloor(GetModuleHandleA(nullptr), window);
    if (floor != nullptr) {
        ShowWindow(floor, SW_SHOWNORMAL);
        UpdateWindow(floor);
        PumpMessages();
        floorFull = TimeFrames(floor, kFullRepaint, frames);
        floorPaints = PaintsPerFrame(floor, kFullRepaint);
        DestroyWindow(floor);
    }

    std::printf(
        "repaint of the desk, 4 cards, timecode row open: client area %ld x %ld, %d visible controls, "
        "%d frames\n\n",
        static_cast<long>(client.cx), static_cast<long>(client.cy), static_cast<int>(controlRects.size()), frames);
    std::printf("%-34s %10s %10s %10s %10s %10s\n", "frame", "median ms", "mean ms", "min ms", "max ms", "WM_PAINTs");
    PrintRow("whole window and every control", full, fullPaints);
    PrintRow("main window only (backgrounds)", mainOnly, mainPaints);
    if (!floorFull.empty()) PrintRow("floor: same windows painting nothing", floorFull, floorPaints);
    std::printf("\nfull repaint: median %.3f ms, mean %.3f ms\n", Median(full), Mean(full));
    if (!floorFull.empty() && Median(floorFull) > 0) {
        std::printf("full repaint / floor, medians: %.2f x; per window painted: desk %.3f ms, floor %.3f ms\n",
                    Median(full) / Median(floorFull), Median(full) / fullPaints, Median(floorFull) / floorPaints);
    }

    std::printf(
        "\nbuilding the desk in process (cards found, classes registered, window created with its\n"
        "four panels built and restored, no trace): %.1f ms, once\n",
        buildMs);

    CloseInProcessDesk(window);
    return 0;
}
