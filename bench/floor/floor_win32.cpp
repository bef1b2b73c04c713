// floor.exe: the least a Win32 program with a window does, to measure the
// desk against. It registers one class, creates one hidden window, runs its
// message loop and ends when the window is closed (WM_CLOSE destroys it).
// Built with the same flags and the same static run-time as the desk, so
// what it costs to start and to keep in memory is the part of the desk's
// figures that no change to the desk could remove.
#include <windows.h>

namespace {

const char kFloorClassName[] = "DeskFloorWindow";

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = FloorWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFloorClassName;
    if (RegisterClassExA(&windowClass) == 0) {
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
