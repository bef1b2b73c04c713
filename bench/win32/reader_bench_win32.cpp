// reader-bench.exe: what a screen reader waits for when it asks the desk, and
// what answering costs the desk when no reader asks.
//
//   reader-bench.exe [--runs N]
//
// Each run starts desk-sim.exe with two cards as its own process, opens its
// panel and asks as a reader does from outside: the first question (the
// control's object from its window, then its name) makes the desk load the
// system's accessibility libraries; the later ones, every control's object
// and its name, role, state and value, find them loaded. A held object's
// state alone is the cheapest question. Every desk is a fresh process, so
// that every run has a first question.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/desk_messages.h"
#include "bench_stats.h"
#include "stored_records_win32.h"
#include "support/desk_process.h"

namespace {

constexpr int kDefaultRuns = 10;

IAccessible* ObjectOf(HWND window) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void**>(&object));
    return object;
}

VARIANT Self() {
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

// The object and everything a reader says of it; false when it has none.
bool AskEverything(HWND control) {
    IAccessible* object = ObjectOf(control);
    if (object == nullptr) return false;
    BSTR text = nullptr;
    if (object->get_accName(Self(), &text) == S_OK) SysFreeString(text);
    if (object->get_accValue(Self(), &text) == S_OK) SysFreeString(text);
    VARIANT answer = {};
    object->get_accRole(Self(), &answer);
    object->get_accState(Self(), &answer);
    object->Release();
    return true;
}

struct Samples {
    std::vector<double> first, later, state;
};

bool Run(Samples* samples) {
    DeskProcess desk("desk-sim.exe", "--cards 2 --no-monitor");
    HWND window = desk.WaitForMainWindow();
    if (window == nullptr) return false;
    PostMessageA(window, kWmTrayNotify, 0x507, WM_LBUTTONDOWN);
    if (!WaitUntil([&] { return IsWindowVisible(window) != FALSE; })) return false;
    std::vector<HWND> controls;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) controls.push_back(c);
    if (controls.empty()) return false;

    int64_t start = Ticks();
    IAccessible* first = ObjectOf(controls[0]);
    BSTR name = nullptr;
    if (first == nullptr || first->get_accName(Self(), &name) != S_OK) return false;
    samples->first.push_back(TicksToMs(Ticks() - start));
    SysFreeString(name);

    for (HWND control : controls) {
        start = Ticks();
        if (!AskEverything(control)) return false;
        samples->later.push_back(TicksToMs(Ticks() - start));
    }
    for (int i = 0; i < 50; ++i) {
        VARIANT state = {};
        start = Ticks();
        first->get_accState(Self(), &state);
        samples->state.push_back(TicksToMs(Ticks() - start));
    }
    first->Release();
    PostMessageA(window, WM_CLOSE, 0, 0);
    return desk.WaitForExit() == 0;
}

void PrintRow(const char* what, const std::vector<double>& samples) {
    std::printf("%-52s %9.3f %9.3f %9.3f %7zu\n", what, Median(samples), Minimum(samples), Maximum(samples),
                samples.size());
}

}  // namespace

int main(int argc, char** argv) {
    int runs = kDefaultRuns;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: reader-bench.exe [--runs N]\n");
            return 2;
        }
    }
    CoInitialize(nullptr);
    StoredRecords records;
    Samples samples;
    for (int run = 0; run < (runs > 0 ? runs : 1); ++run) {
        records.Remove();
        if (!Run(&samples)) {
            std::fprintf(stderr, "reader-bench: run %d failed\n", run + 1);
            CoUninitialize();
            return 1;
        }
    }
    std::printf("a screen reader asking desk-sim.exe (2 cards, panel open) from another process, %d runs\n\n", runs);
    std::printf("%-52s %9s %9s %9s %7s\n", "question", "median ms", "min ms", "max ms", "samples");
    PrintRow("first: a control's object and its name", samples.first);
    PrintRow("later: each control's object, name, value, role, state", samples.later);
    PrintRow("a held object's state", samples.state);
    CoUninitialize();
    return 0;
}
