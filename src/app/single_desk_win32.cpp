#include "app/single_desk_win32.h"

#include <cstdio>

#include "app/desk_messages.h"
#include "resource.h"

namespace {

constexpr DWORD kWaitForWindowMs = 5000;
constexpr DWORD kLookEveryMs = 50;
constexpr WPARAM kTrayIconId = 0x507;

// The property that marks a main window as a desk of one kind, and the
// mutex that a running desk of that kind holds.
char claimedProperty[64] = "";

void NamesOf(const char* kind, char (&mutex)[64], char (&property)[64]) {
    std::snprintf(mutex, sizeof mutex, "TaraDock20 Control Desk (%s)", kind);
    std::snprintf(property, sizeof property, "TaraDock20.Desk.%s", kind);
}

struct Search {
    const char* className;
    const char* property;
    HWND found;
};

BOOL CALLBACK MatchDeskWindow(HWND window, LPARAM parameter) {
    Search* search = reinterpret_cast<Search*>(parameter);
    char name[100] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, search->className) == 0 && GetPropA(window, search->property) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDeskWindow(HINSTANCE instance, const char* property) {
    char className[100] = "";
    LoadStringA(instance, IDS_MAIN_CLASS_NAME, className, sizeof className);
    Search search = {className, property, nullptr};
    const DWORD start = GetTickCount();
    for (;;) {
        EnumWindows(MatchDeskWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr || GetTickCount() - start >= kWaitForWindowMs) return search.found;
        Sleep(kLookEveryMs);
    }
}

}  // namespace

bool ClaimDesk(HINSTANCE instance, const char* kind, HWND* running) {
    char mutexName[64];
    char property[64];
    NamesOf(kind, mutexName, property);
    *running = nullptr;
    // Held until the process ends; the system closes it then.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, mutexName);
    if (mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS) {
        lstrcpynA(claimedProperty, property, sizeof claimedProperty);
        return true;
    }
    CloseHandle(mutex);
    *running = FindDeskWindow(instance, property);
    return false;
}

void ShowRunningDesk(HWND running) {
    if (running != nullptr) PostMessageA(running, kWmTrayNotify, kTrayIconId, WM_LBUTTONDOWN);
}

void MarkClaimedDeskWindow(HWND window) {
    if (claimedProperty[0] != '\0') SetPropA(window, claimedProperty, reinterpret_cast<HANDLE>(1));
}

void UnmarkClaimedDeskWindow(HWND window) {
    if (claimedProperty[0] != '\0') RemovePropA(window, claimedProperty);
}
