#include "support/notification_recorder.h"

#include "support/message_pump.h"

namespace wintest {

namespace {

const char kRecorderClass[] = "WinTestNotificationRecorder";

void RegisterRecorderClass(WNDPROC procedure) {
    static bool registered = false;
    if (registered) {
        return;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // Owned by the class for the whole run.
    windowClass.hbrBackground = CreateSolidBrush(NotificationRecorder::kBackground);
    windowClass.lpszClassName = kRecorderClass;
    registered = RegisterClassA(&windowClass) != 0;
}

}  // namespace

NotificationRecorder::NotificationRecorder(int x, int y, int width, int height) {
    RegisterRecorderClass(Procedure);
    window_ = CreateWindowExA(0, kRecorderClass, "recorder", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                              nullptr, GetModuleHandleA(nullptr), this);
    UpdateWindow(window_);
}

NotificationRecorder::~NotificationRecorder() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK NotificationRecorder::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    NotificationRecorder* self = reinterpret_cast<NotificationRecorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr) {
        switch (message) {
        case WM_COMMAND:
        case WM_VSCROLL:
        case WM_HSCROLL: {
            const MSG* queued = MessageBeingDispatched();
            const bool posted = queued != nullptr && queued->hwnd == window && queued->message == message &&
                                queued->wParam == wParam && queued->lParam == lParam;
            const RecordedNotification note = {message, wParam, lParam, posted};
            if (self->hook_) {
                self->hook_(note);
            }
            self->notifications_.push_back(note);
            return 0;
        }
        case WM_NCDESTROY: self->window_ = nullptr; break;
        default: break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace wintest
