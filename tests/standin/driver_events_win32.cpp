#include "driver_events_win32.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/desk_messages.h"
#include "app/standby.h"
#include "sim/mtc_poster_win32.h"
#include "sim/sim_driver_link.h"
#include "sim/state_file_win32.h"

namespace {

constexpr DWORD kRequestPollMs = 20;

SimDriverLink* cards = nullptr;
std::string requestFile;
void (*failRun)(const char* what) = nullptr;

bool IsDeskWindow(HWND window) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, "TA20PAN") == 0;
}

// After the window procedure: the machine sleeps only once the desk has
// stored its records at the suspend.
LRESULT CALLBACK AfterWindowProcedure(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_POWERBROADCAST && IsSleepEvent(static_cast<uint32_t>(call->wParam)) &&
        IsDeskWindow(call->hwnd))
        cards->LosePower();
    if (code == HC_ACTION && call->message == WM_NCDESTROY && IsDeskWindow(call->hwnd)) {
        StopMtcPoster();
        FinishStateFile();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The window field belongs to the desk; read it as the driver does, with one
// plain 32-bit load from outside.
HWND NotifyWindowOf(int column) {
    const volatile uint32_t* field = &cards->BlockInColumn(column).notifyWindow;
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(*field));
}

void PostRequests(std::FILE* file) {
    char line[128];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        int column = -1, set = -1, row = -1, on = -1;
        if (std::sscanf(line, "routing %d %d %d %d", &column, &set, &row, &on) != 4 || column < 0 ||
            column >= cards->CardCount())
            failRun(("a routing request it cannot post: " + std::string(line)).c_str());
        const HWND window = NotifyWindowOf(column);
        if (window != nullptr) PostMessageA(window, kWmRoutingNotify, MAKEWPARAM(row, set), MAKELPARAM(on, column));
    }
}

DWORD WINAPI WatchRequests(void*) {
    for (;;) {
        Sleep(kRequestPollMs);
        std::FILE* file = std::fopen(requestFile.c_str(), "r");
        if (file == nullptr) continue;
        PostRequests(file);
        std::fclose(file);
        DeleteFileA(requestFile.c_str());
    }
}

}  // namespace

void WatchDeskWindow(SimDriverLink* driver) {
    cards = driver;
    SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProcedure, nullptr, GetCurrentThreadId());
}

void StartRoutingRequests(const std::string& requests, SimDriverLink* driver, void (*fail)(const char* what)) {
    cards = driver;
    requestFile = requests;
    failRun = fail;
    CloseHandle(CreateThread(nullptr, 0, WatchRequests, nullptr, 0, nullptr));
}
