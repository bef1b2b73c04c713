#include "app/main_window_win32.h"

#include <cstdio>

#include "app/desk_messages.h"
#include "app/settings_store.h"
#include "app/tray_menu_win32.h"
#include "card/card_table.h"
#include "controls/toolkit_frame.h"
#include "panel/card_panel_layout_win32.h"
#include "panel/panel_logic.h"
#include "panel/timecode.h"


namespace {

constexpr int kClassNameResource = 109;
constexpr int kLargeIconResource = 107;
constexpr int kSmallIconResource = 108;
// Frame and caption around the client area.
constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 25;

HINSTANCE programInstance = nullptr;
char className[100];
HBITMAP mainBackground = nullptr;
HBITMAP timecodeBackground = nullptr;
void (*readyHook)(HWND) = nullptr;

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) {
        return SIZE{0, 0};
    }
    return SIZE{info.bmWidth, info.bmHeight};
}

void OnCreate(HWND window) {
    AddTrayIcon(window);
    BuildOptionsMenu();
    mainBackground = LoadSkinBitmap(programInstance, "mainbak");
    timecodeBackground = LoadSkinBitmap(programInstance, "smptebak");

    const SIZE column = BitmapSize(mainBackground);
    const int count = CardCount();
    const int x = (GetSystemMetrics(SM_CXSCREEN) - count * column.cx) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - column.cy) / 2;
    MoveWindow(window, x, y, count * column.cx + kFrameWidth, column.cy + kFrameHeight, FALSE);

    for (int i = 0; i < count; ++i) {
        CreateCardPanel(programInstance, window, i * column.cx, 0, i);
        SetNotifyWindow(i, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)));
    }
}

void BlitRow(HDC target, HDC memory, HBITMAP bitmap, int y) {
    const SIZE size = BitmapSize(bitmap);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    for (int i = 0; i < CardCount(); ++i) {
        BitBlt(target, i * size.cx, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    }
    SelectObject(memory, previous);
}

void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    HDC memory = CreateCompatibleDC(target);
    if (memory != nullptr) {
        BlitRow(target, memory, mainBackground, 0);
        BlitRow(target, memory, timecodeBackground, BitmapSize(mainBackground).cy);
        DeleteDC(memory);
    }
    EndPaint(window, &paint);
}

void ShowOptionsMenu(HWND window, LPARAM lParam) {
    POINT point = {LOWORD(lParam), HIWORD(lParam)};
    ClientToScreen(window, &point);
    TrackPopupMenu(OptionsMenu(), 0, point.x, point.y, 0, window, nullptr);
}

bool IsOptionsCommand(unsigned id) {
    return (id >= 910 && id <= 914) || id == 920 || id == 921 || (id >= 930 && id <= 933) ||
           (id >= 940 && id <= 943);
}

void OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const unsigned id = LOWORD(wParam);
    if (IsOptionsCommand(id)) {
        OnOptionsCommand(window, WM_COMMAND, wParam, lParam);
    } else if (id == kCmdClosePanel) {
        OnClosePanel(window);
    } else if (id == kCmdAlwaysOnTop) {
        OnAlwaysOnTop(window);
    } else {
        RoutePanelCommand(window, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
    }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        RemoveTrayIcon();
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 0;
    case WM_ENDSESSION:
        SaveAllSettings();
        return 0;
    case WM_COMMAND:
        OnCommand(window, wParam, lParam);
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_CLOSE) {
            ShowWindow(window, SW_HIDE);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_MOUSEMOVE:
        if (GetForegroundWindow() == window) {
            SetFocus(window);
        }
        return 0;
    case WM_RBUTTONDOWN:
        ShowOptionsMenu(window, lParam);
        return 0;
    case kWmTrayNotify:
        if (LOWORD(lParam) == WM_LBUTTONDOWN || LOWORD(lParam) == WM_RBUTTONDOWN) {
            ShowWindow(window, SW_SHOWNORMAL);
            SetForegroundWindow(window);
        }
        return 0;
    case kWmRoutingNotify:
        return OnRoutingNotify(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
    case kWmTimecodeByte:
        OnTimecodeByte(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
        return 0;
    default:
        if (IsTaskbarCreatedMessage(message)) {
            // The shell restarted and forgot our icon: put it back, so the
            // desk never becomes unreachable.
            AddTrayIcon(window);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void SetMainWindowReadyHook(void (*hook)(HWND window)) { readyHook = hook; }

HWND CreateMainWindow(HINSTANCE instance) {
    programInstance = instance;
    LoadStringA(instance, kClassNameResource, className, sizeof className);

    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kLargeIconResource));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(kSmallIconResource));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOWFRAME + 1);
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);

    char title[100];
    std::snprintf(title, sizeof title, "Tara Dock 20 ver. %s", "1.9 07/06/2000");

    return CreateWindowExA(0, className, title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                           CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
}

int RunMainWindow(HINSTANCE instance) {
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) {
        return 0;
    }
    ShowWindow(window, SW_HIDE);
    UpdateWindow(window);
    if (readyHook != nullptr) readyHook(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int RunDesk(HINSTANCE instance) {
    if (OpenCards() == 0) {
        return 0;
    }
    RegisterControlClasses(instance);
    const int result = RunMainWindow(instance);
    UnregisterControlClasses();
    SaveAllSettings();
    return result;
}
