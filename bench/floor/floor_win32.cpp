// floor.exe: the least a Win32 program with a window does, to measure the
// desk against. It registers one class, creates one hidden window, runs its
// message loop and ends when the window is closed (WM_CLOSE destroys it).
// Built with the same flags and the same static run-time as the desk, so
// what it costs to start and to keep in memory is the part of the desk's
// figures that no change to the desk could remove.
//
//   floor.exe [--children N] [--tray] [--ready-event NAME]
//
// --children N also gives the window N empty child windows while it is being
// created, each created and then shown the way the desk creates its
// controls: the window tree of the desk without anything in it, to tell what
// the window system charges for the desk's windows from what the desk does
// with them. --tray also puts an icon in the notification area while the
// window exists, as the desk does: what every tray program pays for the
// shell's side of it, so that the desk is measured against a tray program
// and not against a bare window. --ready-event sets the named event once the
// window exists, as desk-sim.exe does once its window exists with its panels
// restored.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>

namespace {

const char kFloorClassName[] = "DeskFloorWindow";
const char kChildClassName[] = "DeskFloorChild";

// The desk's columns: 339 pixels wide, its controls in rows within them.
constexpr int kColumns = 4;
constexpr int kColumnWidth = 339;
constexpr int kChildSize = 20;

int childCount = 0;
bool withTrayIcon = false;

void CreateChildren(HWND window) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    const int perColumn = (childCount + kColumns - 1) / kColumns;
    for (int i = 0; i < childCount; ++i) {
        const int column = i / perColumn;
        const int row = i % perColumn;
        const int x = column * kColumnWidth + (row % 12) * (kChildSize + 4);
        const int y = (row / 12) * (kChildSize + 4);
        HWND child = CreateWindowExA(0, kChildClassName, nullptr, WS_CHILD, x, y, kChildSize, kChildSize, window,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + i)), instance, nullptr);
        if (child != nullptr) ShowWindow(child, SW_SHOWNORMAL);
    }
}

// The icon as the desk's: the Windows 95 size of the record, a callback
// message, an icon and a tip.
void TrayIcon(HWND window, DWORD action) {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = WM_USER;
    icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynA(icon.szTip, "floor", sizeof icon.szTip);
    Shell_NotifyIconA(action, &icon);
}

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateChildren(window);
        if (withTrayIcon) TrayIcon(window, NIM_ADD);
        return 0;
    case WM_DESTROY:
        if (withTrayIcon) TrayIcon(window, NIM_DELETE);
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The word after `option` on the command line into `value` (names hold no
// spaces here); empty when the option is not there. No C++ library: the
// floor stays as small as a program can be.
void OptionValue(const char* commandLine, const char* option, char* value, size_t size) {
    value[0] = '\0';
    const char* found = std::strstr(commandLine, option);
    if (found == nullptr) return;
    const char* start = found + std::strlen(option);
    while (*start == ' ') ++start;
    size_t length = 0;
    while (start[length] != '\0' && start[length] != ' ' && length + 1 < size) ++length;
    std::memcpy(value, start, length);
    value[length] = '\0';
}

void SignalReady(const char* eventName) {
    if (eventName[0] == '\0') return;
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName);
    if (event == nullptr) return;
    SetEvent(event);
    CloseHandle(event);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    char value[128];
    OptionValue(commandLine, "--children", value, sizeof value);
    const int children = std::atoi(value);
    childCount = children > 0 && children <= 1000 ? children : 0;
    withTrayIcon = std::strstr(commandLine, "--tray") != nullptr;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = FloorWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFloorClassName;
    if (RegisterClassExA(&windowClass) == 0) return 1;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = kChildClassName;
    if (childCount > 0 && RegisterClassExA(&windowClass) == 0) return 1;
    HWND window = CreateWindowExA(0, kFloorClassName, "floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    OptionValue(commandLine, "--ready-event", value, sizeof value);
    SignalReady(value);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
