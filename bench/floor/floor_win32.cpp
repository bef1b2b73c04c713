// floor.exe: the least a Win32 program with a window does, to measure the
// desk against. It registers one class, creates one hidden window, runs its
// message loop and ends when the window is closed (WM_CLOSE destroys it).
// Built with the same flags and the same static run-time as the desk, so
// what it costs to start and to keep in memory is the part of the desk's
// figures that no change to the desk could remove.
//
//   floor.exe [--children N]
//
// --children N also gives the window N empty child windows while it is being
// created, each created and then shown the way the desk creates its
// controls: the window tree of the desk without anything in it, to tell what
// the window system charges for the desk's windows from what the desk does
// with them.
#include <windows.h>

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

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateChildren(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int ChildrenAsked(const char* commandLine) {
    const char* option = std::strstr(commandLine, "--children ");
    if (option == nullptr) return 0;
    const int count = std::atoi(option + std::strlen("--children "));
    return count > 0 && count <= 1000 ? count : 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    childCount = ChildrenAsked(commandLine);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = FloorWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFloorClassName;
    if (RegisterClassExA(&windowClass) == 0) {
        return 1;
    }
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = kChildClassName;
    if (childCount > 0 && RegisterClassExA(&windowClass) == 0) {
        return 1;
    }
    HWND window = CreateWindowExA(0, kFloorClassName, "floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                  CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
