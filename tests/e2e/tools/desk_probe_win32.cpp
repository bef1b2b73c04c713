// desk-probe.exe: a small Windows helper for the end-to-end scripts. It looks
// at the running desk from outside, the way another program would, and
// prints what it finds on standard output.
//
//   desk-probe [--gallery] [--desk-key] [--desktop NAME] COMMAND ...
//                                    with --gallery the window commands
//                                    (wait-window to post) look at the control
//                                    gallery's window instead of the desk's;
//                                    the registry commands (record to option)
//                                    look at the simulated desk's key unless
//                                    --desk-key names the desk's own, which the
//                                    card's driver reads; with --desktop the
//                                    probe works on the Wine desktop NAME
//                                    (explorer /desktop=NAME,WxH)
//   desk-probe wait-window SECONDS   wait until the desk's window exists and idles
//   desk-probe origin                screen position of the client area: "x y"
//   desk-probe size                  window size: "w h"
//   desk-probe visible               "1" or "0"
//   desk-probe window                window rectangle: "x y w h"
//   desk-probe client                client area on the screen: "x y w h"
//   desk-probe screen                the screen and its work area: "w h left top right bottom"
//   desk-probe monitor               the simulated desk's card monitor: "x y w h"
//   desk-probe display W H           change the screen to W x H pixels (ChangeDisplaySettings)
//   desk-probe reach                 every visible control of the desk in turn: scroll
//                                    it into view with the desk's own scroll bars and
//                                    check that it lies whole in the client area and
//                                    on the screen, under no other window, and that
//                                    the desk's window did not move; prints a line per
//                                    control that fails and "N controls, M within reach"
//   desk-probe rect ID               a control's place on the screen: "x y w h"
//   desk-probe check ID              a toggle's check state
//   desk-probe pos ID                a digit field's value
//   desk-probe focus                 the id of the control with the keyboard
//                                    focus ("0": none of the window's)
//   desk-probe timecode COLUMN       the column's digit fields: "hh:mm:ss:ff"
//   desk-probe tip                   the text of the tip the desk shows under the
//                                    pointer, or "none"
//   desk-probe tip-size              the size of that tip's window: "w h", or "none"
//   desk-probe post MSG WPARAM LPARAM
//   desk-probe record COLUMN         the stored record's 17 slots, or "missing"
//   desk-probe write-record COLUMN S0 .. S16
//   desk-probe setup-record NAME COLUMN
//                                    the record a named setup holds for the
//                                    column, or "missing"
//   desk-probe delete-key            the key with everything in it
//   desk-probe key-exists            "1" or "0"
//   desk-probe option NAME           a 4-byte driver option, or "missing"
//   desk-probe hung-desk SECONDS     a window of the desk's class that answers
//                                    nothing for SECONDS (a hung desk)
//   desk-probe desk-windows          how many desk main windows exist
//   desk-probe windows-version       what the system reports: "windows 4.10" for
//                                    Windows 98, "nt 6.1" for Windows 7
//   desk-probe run-command SECONDS LINE
//                                    start LINE as the shell starts a Run value
//                                    (CreateProcess with the whole line) and print
//                                    its exit code, or "running" after SECONDS
//   desk-probe power EVENT ...       a standby as Windows announces it: each event in
//                                    turn (query-suspend, suspend, resume-automatic,
//                                    resume-suspend, resume-critical, standby,
//                                    resume-standby, or a number) as
//                                    WM_POWERBROADCAST, sent to every top-level window
//                                    of the desk's process; prints the desk window's
//                                    answers, one per event ("1": TRUE)
#include <windows.h>
#include <commctrl.h>

#include <shlwapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Written out here rather than taken from the program, so that a misspelt
// key in the program shows.
const HKEY kDeskKeyRoot = HKEY_LOCAL_MACHINE;
const char kDeskKeyPath[] = "System\\CurrentControlSet\\Control\\MediaResources\\TaraDock24";
const HKEY kSimulatedKeyRoot = HKEY_CURRENT_USER;
const char kSimulatedKeyPath[] = "Software\\TaraDock-20 Control Desk\\Simulated Cards";

HKEY keyRoot = kSimulatedKeyRoot;
const char* keyPath = kSimulatedKeyPath;

const char* windowClass = "TA20PAN";  // or the gallery's "KivGallery"

HWND DeskWindow() { return FindWindowA(windowClass, nullptr); }

BOOL CALLBACK CountDeskWindow(HWND window, LPARAM count) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "TA20PAN") == 0) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

unsigned long Number(const char* text) { return std::strtoul(text, nullptr, 0); }

int Usage() {
    std::fprintf(stderr, "desk-probe: see the comment at the top of desk_probe_win32.cpp\n");
    return 2;
}

int WaitWindow(int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        HWND window = DeskWindow();
        if (window != nullptr) {
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
            if (process != nullptr) {
                WaitForInputIdle(process, 10000);
                CloseHandle(process);
            }
            return 0;
        }
        Sleep(100);
    }
    return 1;
}

int Record(int column, const char* below = nullptr) {
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, below != nullptr ? "%s\\%s" : "%s", keyPath, below);
    HKEY key = nullptr;
    if (RegOpenKeyA(keyRoot, path, &key) != ERROR_SUCCESS) {
        std::printf("missing\n");
        return 0;
    }
    char name[16];
    std::snprintf(name, sizeof name, "Mixer2%d", column);
    int32_t slots[17] = {};
    DWORD size = sizeof slots;
    DWORD type = 0;
    const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(slots), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_BINARY || size != sizeof slots) {
        std::printf("missing\n");
        return 0;
    }
    for (int i = 0; i < 17; ++i) std::printf(i ? " %d" : "%d", static_cast<int>(slots[i]));
    std::printf("\n");
    return 0;
}

int WriteRecord(int column, char** values) {
    int32_t slots[17];
    for (int i = 0; i < 17; ++i) slots[i] = static_cast<int32_t>(std::strtol(values[i], nullptr, 0));
    HKEY key = nullptr;
    if (RegCreateKeyA(keyRoot, keyPath, &key) != ERROR_SUCCESS) return 1;
    char name[16];
    std::snprintf(name, sizeof name, "Mixer2%d", column);
    RegSetValueExA(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(slots), sizeof slots);
    RegCloseKey(key);
    return 0;
}

int Option(const char* name) {
    HKEY key = nullptr;
    int32_t value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    LONG result = RegOpenKeyA(keyRoot, keyPath, &key);
    if (result == ERROR_SUCCESS) {
        result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
    }
    if (result != ERROR_SUCCESS || type != REG_BINARY || size != sizeof value)
        std::printf("missing\n");
    else
        std::printf("%ld\n", static_cast<long>(value));
    return 0;
}

// A window of the desk's class whose thread answers nothing: what a hung
// desk looks like to the setup.
int HungDesk(int seconds) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TA20PAN";
    RegisterClassA(&windowClass);
    if (CreateWindowExA(0, "TA20PAN", "hung desk", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance,
                        nullptr) == nullptr)
        return 1;
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 0;
}

int RunCommand(int seconds, const char* line) {
    char commandLine[MAX_PATH * 2];
    lstrcpynA(commandLine, line, sizeof commandLine);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start\n");
        return 1;
    }
    CloseHandle(process.hThread);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(seconds) * 1000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
        std::printf("%lu\n", code);
    } else {
        std::printf("running\n");
    }
    CloseHandle(process.hProcess);
    return 0;
}

// --- power: WM_POWERBROADCAST to the desk's process ---------------------------

struct ProcessWindows {
    DWORD processId;
    HWND windows[64];
    int count;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM parameter) {
    ProcessWindows* found = reinterpret_cast<ProcessWindows*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found->processId && found->count < 64) found->windows[found->count++] = window;
    return TRUE;
}

long PowerEvent(const char* name) {
    static const struct {
        const char* name;
        long event;
    } kEvents[] = {{"query-suspend", PBT_APMQUERYSUSPEND},       {"suspend", PBT_APMSUSPEND},
                   {"resume-automatic", PBT_APMRESUMEAUTOMATIC}, {"resume-suspend", PBT_APMRESUMESUSPEND},
                   {"resume-critical", PBT_APMRESUMECRITICAL},   {"standby", PBT_APMSTANDBY},
                   {"resume-standby", PBT_APMRESUMESTANDBY}};
    for (const auto& known : kEvents) {
        if (std::strcmp(name, known.name) == 0) return known.event;
    }
    char* end = nullptr;
    const long event = std::strtol(name, &end, 0);
    return end != name && *end == '\0' ? event : -1;
}

int Power(HWND desk, int count, char** names) {
    for (int i = 0; i < count; ++i) {
        if (PowerEvent(names[i]) < 0) return Usage();
    }
    ProcessWindows found = {};
    GetWindowThreadProcessId(desk, &found.processId);
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&found));
    for (int i = 0; i < count; ++i) {
        const long event = PowerEvent(names[i]);
        LRESULT answer = 0;
        for (int w = 0; w < found.count; ++w) {
            const LRESULT result = SendMessageA(found.windows[w], WM_POWERBROADCAST, static_cast<WPARAM>(event), 0);
            if (found.windows[w] == desk) answer = result;
        }
        std::printf(i ? " %ld" : "%ld", static_cast<long>(answer));
    }
    std::printf("\n");
    return 0;
}

// --- reach: every control brought on-screen without moving the window ----------

bool UseDesktop(const char* name) {
    HDESK desktop = OpenDesktopA(name, 0, FALSE, GENERIC_ALL);
    return desktop != nullptr && SetThreadDesktop(desktop);
}

RECT ScreenRectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientOnScreen(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Within(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Clicks on the desk's scroll bar arrows, as a person would, until `control`
// lies whole in the client area along `bar`, or it moves no more.
void ScrollIntoView(HWND desk, HWND control, int bar) {
    for (int step = 0; step < 200; ++step) {
        const RECT rect = ScreenRectOf(control);
        const RECT client = ClientOnScreen(desk);
        const LONG before = bar == SB_VERT ? rect.top : rect.left;
        const bool back = bar == SB_VERT ? rect.top < client.top : rect.left < client.left;
        const bool on = bar == SB_VERT ? rect.bottom > client.bottom : rect.right > client.right;
        if (!back && !on) return;
        SendMessageA(desk, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, back ? SB_LINEUP : SB_LINEDOWN, 0);
        const RECT moved = ScreenRectOf(control);
        if ((bar == SB_VERT ? moved.top : moved.left) == before) return;
    }
}

// A tip the desk shows under the resting pointer: it goes at the next click
// or move, and covers nothing for good.
bool IsTipOf(HWND window, HWND desk) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == desk;
}

// The control is what the pointer finds at its middle and inside each corner.
bool OnTop(HWND desk, HWND control, const RECT& rect) {
    const POINT points[] = {{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2},
                            {rect.left, rect.top},
                            {rect.right - 1, rect.top},
                            {rect.left, rect.bottom - 1},
                            {rect.right - 1, rect.bottom - 1}};
    for (const POINT& point : points) {
        HWND found = WindowFromPoint(point);
        if (found != control && !IsTipOf(found, desk)) return false;
    }
    return true;
}

int Reach(HWND desk) {
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT window = ScreenRectOf(desk);
    int checked = 0;
    int reached = 0;
    HWND child = GetWindow(desk, GW_CHILD);
    while (child != nullptr) {
        HWND next = GetWindow(child, GW_HWNDNEXT);
        if (IsWindowVisible(child)) {
            ScrollIntoView(desk, child, SB_VERT);
            ScrollIntoView(desk, child, SB_HORZ);
            const RECT rect = ScreenRectOf(child);
            const bool inside = Within(rect, ClientOnScreen(desk)) && Within(rect, screen);
            const bool onTop = OnTop(desk, child, rect);
            const bool still = SameRect(ScreenRectOf(desk), window);
            ++checked;
            if (inside && onTop && still) {
                ++reached;
            } else {
                std::printf("control %d at %ld %ld %ld %ld:%s%s%s\n", GetDlgCtrlID(child), rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, inside ? "" : " not whole on the screen",
                            onTop ? "" : " covered", still ? "" : " the window moved");
            }
        }
        child = next;
    }
    std::printf("%d controls, %d within reach\n", checked, reached);
    return 0;
}

// ------------------------------------------------------------------------------

// The tip a window of the desk's process shows now: its tooltip control
// copies the text into memory of the desk's own, which is read back.
BOOL CALLBACK FindShownTip(HWND window, LPARAM found) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND ShownTip(HWND desk) {
    HWND tooltip = nullptr;
    EnumThreadWindows(GetWindowThreadProcessId(desk, nullptr), FindShownTip, reinterpret_cast<LPARAM>(&tooltip));
    return tooltip;
}

int TipSize(HWND desk) {
    RECT rect = {};
    HWND tooltip = ShownTip(desk);
    if (tooltip == nullptr || !GetWindowRect(tooltip, &rect)) {
        std::printf("none\n");
        return 0;
    }
    std::printf("%ld %ld\n", rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

int Tip(HWND desk) {
    DWORD processId = 0;
    GetWindowThreadProcessId(desk, &processId);
    HWND tooltip = ShownTip(desk);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    char* remote = process != nullptr
                       ? static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE))
                       : nullptr;
    char text[1024] = "none";
    if (tooltip != nullptr && remote != nullptr) {
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.lpszText = remote + 1024;
        WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
        if (SendMessageA(tooltip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(remote)) != 0)
            ReadProcessMemory(process, remote + 1024, text, sizeof text - 1, nullptr);
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (process != nullptr) CloseHandle(process);
    std::printf("%s\n", text);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (;;) {
        if (argc >= 2 && std::strcmp(argv[1], "--gallery") == 0) {
            windowClass = "KivGallery";
        } else if (argc >= 2 && std::strcmp(argv[1], "--desk-key") == 0) {
            keyRoot = kDeskKeyRoot;
            keyPath = kDeskKeyPath;
        } else {
            break;
        }
        --argc;
        ++argv;
    }
    if (argc >= 3 && std::strcmp(argv[1], "--desktop") == 0) {
        if (!UseDesktop(argv[2])) {
            std::fprintf(stderr, "desk-probe: no desktop %s\n", argv[2]);
            return 1;
        }
        argc -= 2;
        argv += 2;
    }
    if (argc < 2) return Usage();
    const char* command = argv[1];
    if (std::strcmp(command, "wait-window") == 0 && argc == 3) return WaitWindow(std::atoi(argv[2]));
    if (std::strcmp(command, "record") == 0 && argc == 3) return Record(std::atoi(argv[2]));
    if (std::strcmp(command, "setup-record") == 0 && argc == 4) {
        const std::string below = std::string("Setups\\") + argv[2];
        return Record(std::atoi(argv[3]), below.c_str());
    }
    if (std::strcmp(command, "write-record") == 0 && argc == 20) return WriteRecord(std::atoi(argv[2]), argv + 3);
    if (std::strcmp(command, "desk-windows") == 0) {
        int count = 0;
        EnumWindows(CountDeskWindow, reinterpret_cast<LPARAM>(&count));
        std::printf("%d\n", count);
        return 0;
    }
    if (std::strcmp(command, "windows-version") == 0) {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        if (!GetVersionExA(&version)) return 1;
        const bool nt = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
        std::printf("%s %lu.%lu\n", nt ? "nt" : "windows", version.dwMajorVersion, version.dwMinorVersion);
        return 0;
    }
    if (std::strcmp(command, "run-command") == 0 && argc == 4) return RunCommand(std::atoi(argv[2]), argv[3]);
    if (std::strcmp(command, "screen") == 0) {
        RECT work = {};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        std::printf("%d %d %ld %ld %ld %ld\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), work.left,
                    work.top, work.right, work.bottom);
        return 0;
    }
    if (std::strcmp(command, "monitor") == 0) {
        HWND monitor = FindWindowA("TaraDock20SimCardMonitor", nullptr);
        if (monitor == nullptr) return 1;
        const RECT rect = ScreenRectOf(monitor);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        return 0;
    }
    if (std::strcmp(command, "display") == 0 && argc == 4) {
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = Number(argv[2]);
        mode.dmPelsHeight = Number(argv[3]);
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        return ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
    }
    if (std::strcmp(command, "delete-key") == 0) {
        SHDeleteKeyA(keyRoot, keyPath);
        return 0;
    }
    if (std::strcmp(command, "key-exists") == 0) {
        HKEY key = nullptr;
        const bool exists = RegOpenKeyA(keyRoot, keyPath, &key) == ERROR_SUCCESS;
        if (exists) RegCloseKey(key);
        std::printf("%d\n", exists ? 1 : 0);
        return 0;
    }
    if (std::strcmp(command, "option") == 0 && argc == 3) return Option(argv[2]);
    if (std::strcmp(command, "hung-desk") == 0 && argc == 3) return HungDesk(std::atoi(argv[2]));

    HWND window = DeskWindow();
    if (window == nullptr) {
        std::fprintf(stderr, "desk-probe: no %s window\n", windowClass);
        return 1;
    }
    if (std::strcmp(command, "power") == 0 && argc >= 3) return Power(window, argc - 2, argv + 2);
    if (std::strcmp(command, "tip") == 0) return Tip(window);
    if (std::strcmp(command, "tip-size") == 0) return TipSize(window);
    if (std::strcmp(command, "origin") == 0) {
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        std::printf("%ld %ld\n", origin.x, origin.y);
    } else if (std::strcmp(command, "size") == 0) {
        RECT rect;
        GetWindowRect(window, &rect);
        std::printf("%ld %ld\n", rect.right - rect.left, rect.bottom - rect.top);
    } else if (std::strcmp(command, "window") == 0 || std::strcmp(command, "client") == 0) {
        const RECT rect = command[0] == 'w' ? ScreenRectOf(window) : ClientOnScreen(window);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    } else if (std::strcmp(command, "reach") == 0) {
        return Reach(window);
    } else if (std::strcmp(command, "visible") == 0) {
        std::printf("%d\n", IsWindowVisible(window) ? 1 : 0);
    } else if (std::strcmp(command, "rect") == 0 && argc == 3) {
        RECT rect = {};
        if (!GetWindowRect(GetDlgItem(window, Number(argv[2])), &rect)) return 1;
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    } else if (std::strcmp(command, "check") == 0 && argc == 3) {
        std::printf("%d\n", static_cast<int>(SendMessageA(GetDlgItem(window, Number(argv[2])), BM_GETCHECK, 0, 0)));
    } else if (std::strcmp(command, "pos") == 0 && argc == 3) {
        std::printf("%d\n", static_cast<int>(SendMessageA(GetDlgItem(window, Number(argv[2])), SBM_GETPOS, 0, 0)));
    } else if (std::strcmp(command, "focus") == 0) {
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof thread;
        const bool own = GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) &&
                         thread.hwndFocus != nullptr && IsChild(window, thread.hwndFocus);
        std::printf("%d\n", own ? GetDlgCtrlID(thread.hwndFocus) : 0);
    } else if (std::strcmp(command, "timecode") == 0 && argc == 3) {
        // The four fields are read one message at a time, and a running
        // generator's timecode may move them in between (seconds read before
        // a new second, frames after it): read until two readings agree.
        const int column = std::atoi(argv[2]);
        int values[4] = {-1, -1, -1, -1};
        for (int reading = 0; reading < 20; ++reading) {
            int now[4];
            for (int i = 0; i < 4; ++i)
                now[i] =
                    static_cast<int>(SendMessageA(GetDlgItem(window, (column << 12) + 2176 + i), SBM_GETPOS, 0, 0));
            const bool same = std::memcmp(now, values, sizeof now) == 0;
            std::memcpy(values, now, sizeof now);
            if (same) break;
        }
        std::printf("%02d:%02d:%02d:%02d\n", values[0], values[1], values[2], values[3]);
    } else if (std::strcmp(command, "post") == 0 && argc == 5) {
        PostMessageA(window, Number(argv[2]), Number(argv[3]), Number(argv[4]));
    } else {
        return Usage();
    }
    return 0;
}
