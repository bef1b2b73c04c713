// A visible top-level window that stands in for a control's parent and
// records what its children tell it: WM_COMMAND, WM_VSCROLL and WM_HSCROLL,
// each with whether it arrived posted (dispatched from the queue by
// PumpMessages) or not.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace wintest {

struct RecordedNotification {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool posted;  // came out of the queue through PumpMessages, not SendMessage
};

class NotificationRecorder {
public:
    // Background colour of the window's class brush, to recognise the parent
    // showing through a child.
    static constexpr COLORREF kBackground = RGB(0x20, 0x60, 0xA0);

    NotificationRecorder(int x = 10, int y = 10, int width = 700, int height = 500);
    ~NotificationRecorder();
    NotificationRecorder(const NotificationRecorder&) = delete;
    NotificationRecorder& operator=(const NotificationRecorder&) = delete;

    HWND window() const { return window_; }
    const std::vector<RecordedNotification>& notifications() const { return notifications_; }
    void clear() { notifications_.clear(); }

    // Called at the moment each notification arrives, before it is recorded
    // (for looking at a control's face at that very moment).
    void onNotification(std::function<void(const RecordedNotification&)> hook) { hook_ = std::move(hook); }

private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);

    HWND window_ = nullptr;
    std::vector<RecordedNotification> notifications_;
    std::function<void(const RecordedNotification&)> hook_;
};

}  // namespace wintest
