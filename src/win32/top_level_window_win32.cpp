#include "win32/top_level_window_win32.h"

#include "resource.h"

bool RegisterTopLevelClass(HINSTANCE instance, const char* name, UINT classStyle, HBRUSH background,
                           WNDPROC procedure) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DESK_LARGE));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DESK_SMALL));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

int RunMessageLoop(const MessageFilter& filter) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (filter && filter(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
