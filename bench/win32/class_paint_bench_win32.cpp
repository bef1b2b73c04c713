// class-bench.exe: the toolkit's classes in the control gallery, in process.
//
// Paint: for each of the fifteen classes, the time of one full repaint of the
// gallery's control of that class (RedrawWindow, which sends WM_PAINT at
// once; without the children, so the selector's opener is not counted
// twice), next to an empty child window of the same size
// whose WM_PAINT only begins and ends painting, taken in turns in the same
// run; the ratio of the medians is the class's cost over the window system's
// own.
//
// Drag: 200 pointer moves with the left button held over the vertical slider
// and over the knob (posted as the mouse would post them), counting the
// notifications that reach the gallery: every move inside must post one, the
// buddy (the digit display) must end at the slider's value, and the rate is
// the notifications per second the gallery receives.
//
//   class-bench.exe [--rounds N]
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "controls/control_drawing.h"
#include "controls/toolkit_frame.h"
#include "gallery/gallery_layout.h"
#include "gallery/gallery_window_win32.h"

namespace {

constexpr int kPaintsPerSample = 20;
const char kEmptyClass[] = "ClassBenchEmpty";
const char kStageClass[] = "ClassBenchStage";
// The twins stand in a grid on a stage beside the gallery, each whole on the
// screen as its control is (a twin off the screen would paint nothing).
constexpr int kTwinColumns = 3;
constexpr int kTwinCellWidth = 210;
constexpr int kTwinCellHeight = 130;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HWND MakeStage(HINSTANCE instance) {
    WNDCLASSA stage = {};
    stage.lpfnWndProc = DefWindowProcA;
    stage.hInstance = instance;
    stage.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    stage.lpszClassName = kStageClass;
    RegisterClassA(&stage);
    WNDCLASSA empty = {};
    empty.lpfnWndProc = PaintNothing;
    empty.hInstance = instance;
    empty.lpszClassName = kEmptyClass;
    RegisterClassA(&empty);
    HWND window =
        CreateWindowExA(0, kStageClass, "empty twins", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 860, 0,
                        kTwinColumns * kTwinCellWidth, 5 * kTwinCellHeight, nullptr, nullptr, instance, nullptr);
    return window;
}

// One sample: the time of kPaintsPerSample full repaints of `window`.
double PaintSample(HWND window) {
    const int64_t start = Ticks();
    for (int i = 0; i < kPaintsPerSample; ++i) {
        // The control alone: the selector's opener is a push button, timed
        // in its own row.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
    }
    return TicksToMs(Ticks() - start) / kPaintsPerSample;
}

// What the window system charges for the steps that composing classes take
// in every paint: an off-screen bitmap compatible with the window made and
// deleted, and a skin bitmap selected into a memory context and back.
struct StepCosts {
    double bitmap;
    double select;
};

StepCosts MeasureSteps(HWND window, HBITMAP skin) {
    constexpr int kTimes = 200;
    StepCosts costs = {0, 0};
    HDC dc = GetDC(window);
    if (dc == nullptr) return costs;
    int64_t start = Ticks();
    for (int i = 0; i < kTimes; ++i) DeleteObject(CreateCompatibleBitmap(dc, 20, 120));
    costs.bitmap = TicksToMs(Ticks() - start) / kTimes;
    // The atlas is selected into one context at a time: the toolkit's
    // context of the copies lets go of it for the while.
    ReleaseSkinSource();
    HDC memory = CreateCompatibleDC(dc);
    start = Ticks();
    for (int i = 0; i < kTimes; ++i) SelectObject(memory, SelectObject(memory, skin));
    costs.select = TicksToMs(Ticks() - start) / kTimes;
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return costs;
}

// ---- The drag -------------------------------------------------------------

struct DragCount {
    std::string prefix;  // "901 VSCROLL 5 " for the moves
    int moves = 0;
    int releases = 0;
    std::string lastRelease;
};
DragCount dragCount;
std::string lastDigitDraw;

void CountEvent(const std::string& line) {
    if (line.compare(0, dragCount.prefix.size(), dragCount.prefix) == 0) ++dragCount.moves;
    const std::string release = dragCount.prefix.substr(0, dragCount.prefix.size() - 2) + "4 ";
    if (line.compare(0, release.size(), release) == 0) {
        ++dragCount.releases;
        dragCount.lastRelease = line;
    }
}

void KeepDigitDraws(const char* text) {
    if (std::strncmp(text, "Kiv_DrawDigit ", 14) == 0) lastDigitDraw = text;
}

struct DragResult {
    int moves;
    int notified;
    double ms;
    std::string release;
};

// 200 moves with the button held over control `id`, from the points `pointAt`
// gives; the notifications counted as they reach the gallery.
template <typename PointAt>
DragResult Drag(HWND gallery, int id, const char* prefix, PointAt pointAt) {
    HWND control = GetDlgItem(gallery, id);
    dragCount = DragCount{};
    dragCount.prefix = prefix;
    const POINT first = pointAt(0);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.x, first.y));
    const int64_t start = Ticks();
    constexpr int kMoves = 200;
    for (int i = 1; i <= kMoves; ++i) {
        const POINT p = pointAt(i);
        PostMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        Pump();
    }
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(first.x, first.y));
    Pump();
    return DragResult{kMoves, dragCount.moves, TicksToMs(Ticks() - start), dragCount.lastRelease};
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 15;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::max(1, std::atoi(argv[i + 1]));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterControlClasses(instance);
    SetGalleryEventSink(CountEvent);
    HWND gallery = CreateGalleryWindow(instance);
    if (gallery == nullptr) {
        std::printf("the gallery could not be made\n");
        return 1;
    }
    SetWindowPos(gallery, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(gallery, SW_SHOWNORMAL);
    UpdateWindow(gallery);
    HWND stage = MakeStage(instance);
    Pump();

    struct Row {
        const GalleryCell* cell;
        HWND control;
        HWND twin;
        std::vector<double> own, empty;
    };
    std::vector<Row> rows;
    for (size_t i = 0; i < GalleryCellCount(); ++i) {
        const GalleryCell& cell = GalleryCells()[i];
        HWND control = GetDlgItem(gallery, cell.id);
        RECT client = {};
        GetClientRect(control, &client);
        const int column = static_cast<int>(i) % kTwinColumns;
        const int row = static_cast<int>(i) / kTwinColumns;
        HWND twin =
            CreateWindowExA(0, kEmptyClass, "", WS_CHILD | WS_VISIBLE, column * kTwinCellWidth, row * kTwinCellHeight,
                            client.right, client.bottom, stage, nullptr, instance, nullptr);
        rows.push_back(Row{&cell, control, twin, {}, {}});
    }
    Pump();

    // Warm up, then the classes and their twins in turns, round after round.
    for (Row& row : rows) {
        PaintSample(row.control);
        PaintSample(row.twin);
    }
    for (int round = 0; round < rounds; ++round) {
        for (Row& row : rows) {
            row.own.push_back(PaintSample(row.control));
            row.empty.push_back(PaintSample(row.twin));
        }
    }

    std::printf(
        "paint of one control of each class in the gallery, against an empty child window of\n"
        "the same size that only begins and ends painting; %d rounds of %d paints each\n\n",
        rounds, kPaintsPerSample);
    std::printf("%-20s %-19s %9s %11s %11s %7s\n", "class", "control", "size", "paint ms", "empty ms", "ratio");
    double worst = 0;
    for (const Row& row : rows) {
        RECT client = {};
        GetClientRect(row.control, &client);
        const double own = Median(row.own);
        const double empty = Median(row.empty);
        const double ratio = empty > 0 ? own / empty : 0;
        worst = std::max(worst, ratio);
        char size[16];
        std::snprintf(size, sizeof size, "%ldx%ld", client.right, client.bottom);
        std::printf("%-20s %-19s %9s %11.4f %11.4f %6.2fx\n", row.cell->className, row.cell->what, size, own, empty,
                    ratio);
    }
    std::printf("\nlargest ratio %.2fx\n", worst);
    const StepCosts steps = MeasureSteps(gallery, LoadSkinBitmap(instance, "vs_rail").bitmap);
    std::printf(
        "in this run: a compatible 20x120 bitmap made and deleted %.4f ms, a skin bitmap\n"
        "selected into a memory context and back %.4f ms; no control makes such a bitmap as it\n"
        "paints, and only the knob selects one (its captured background): the others paint into\n"
        "one kept buffer, from the skin atlas held selected in one kept context\n",
        steps.bitmap, steps.select);

    // The drags: the slider from near its bottom over its whole rail and
    // back, the knob round its sweep.
    SetToolkitTraceSink(KeepDigitDraws);
    const DragResult slider = Drag(gallery, 901, "901 VSCROLL 5 ", [](int i) {
        const int y = 100 - (i % 100 < 50 ? i % 50 : 50 - i % 50) * 2;
        return POINT{10, y};
    });
    const long sliderValue = static_cast<long>(SendMessageA(GetDlgItem(gallery, 901), SBM_GETPOS, 0, 0));
    const DragResult knob = Drag(gallery, 1401, "1401 HSCROLL 5 ", [](int i) {
        const double angle = 3.9 - 4.6 * (i % 100) / 100.0;
        return POINT{20 + static_cast<LONG>(18 * std::cos(angle)), 20 - static_cast<LONG>(18 * std::sin(angle))};
    });
    SetToolkitTraceSink(nullptr);

    std::printf("\ndrags of 200 pointer moves with the left button held, posted as the mouse posts them\n\n");
    std::printf("%-18s %6s %13s %10s %16s\n", "control", "moves", "notified", "ms", "notifications/s");
    for (const auto& drag : {std::make_pair("vertical slider", slider), std::make_pair("knob", knob)}) {
        const DragResult& r = drag.second;
        std::printf("%-18s %6d %13d %10.1f %16.0f\n", drag.first, r.moves, r.notified, r.ms,
                    r.ms > 0 ? 1000.0 * r.notified / r.ms : 0.0);
    }
    char expected[32];
    std::snprintf(expected, sizeof expected, "%03ld=%ld", sliderValue, sliderValue);
    const bool buddyFollows = lastDigitDraw.find(expected) != std::string::npos;
    std::printf("\nevery move posted its notification: %s; the buddy ends at the slider's value %ld: %s\n",
                slider.notified == slider.moves && knob.notified == knob.moves ? "yes" : "NO", sliderValue,
                buddyFollows ? "yes" : ("NO, it drew " + lastDigitDraw).c_str());
    std::printf("releases: %s / %s\n", slider.release.c_str(), knob.release.c_str());

    DestroyWindow(gallery);
    DestroyWindow(stage);
    Pump();
    UnregisterGalleryClass(instance);
    UnregisterControlClasses();
    return 0;
}
