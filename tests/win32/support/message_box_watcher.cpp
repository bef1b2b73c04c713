#include "support/message_box_watcher.h"

#include <algorithm>

namespace wintest {

namespace {

std::string WindowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The message of a box is its first non-empty static control.
BOOL CALLBACK FindMessageText(HWND child, LPARAM result) {
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        std::string text = WindowText(child);
        if (!text.empty()) {
            *reinterpret_cast<std::string*>(result) = text;
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher()
    : watchedThread_(GetCurrentThreadId()), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), thread_(nullptr) {
    InitializeCriticalSection(&lock_);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

MessageBoxWatcher::~MessageBoxWatcher() {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(stop_);
    DeleteCriticalSection(&lock_);
}

std::vector<SeenMessageBox> MessageBoxWatcher::boxes() const {
    EnterCriticalSection(&lock_);
    std::vector<SeenMessageBox> copy = boxes_;
    LeaveCriticalSection(&lock_);
    return copy;
}

void MessageBoxWatcher::clear() {
    EnterCriticalSection(&lock_);
    boxes_.clear();
    LeaveCriticalSection(&lock_);
}

DWORD WINAPI MessageBoxWatcher::Run(void* self) {
    MessageBoxWatcher* watcher = static_cast<MessageBoxWatcher*>(self);
    while (WaitForSingleObject(watcher->stop_, 10) == WAIT_TIMEOUT) {
        // Forget boxes that are gone, so that a new one reusing a handle
        // value is still seen.
        std::vector<HWND>& dismissed = watcher->dismissed_;
        dismissed.erase(std::remove_if(dismissed.begin(), dismissed.end(), [](HWND box) { return !IsWindow(box); }),
                        dismissed.end());
        EnumThreadWindows(watcher->watchedThread_, CheckWindow, reinterpret_cast<LPARAM>(watcher));
    }
    return 0;
}

BOOL CALLBACK MessageBoxWatcher::CheckWindow(HWND window, LPARAM self) {
    MessageBoxWatcher* watcher = reinterpret_cast<MessageBoxWatcher*>(self);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)) {
        return TRUE;
    }
    if (std::find(watcher->dismissed_.begin(), watcher->dismissed_.end(), window) != watcher->dismissed_.end()) {
        return TRUE;  // already answered, still closing
    }
    SeenMessageBox seen;
    seen.caption = WindowText(window);
    EnumChildWindows(window, FindMessageText, reinterpret_cast<LPARAM>(&seen.text));
    EnterCriticalSection(&watcher->lock_);
    watcher->boxes_.push_back(seen);
    LeaveCriticalSection(&watcher->lock_);
    watcher->dismissed_.push_back(window);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(watcher->answer_, BN_CLICKED), 0);
    return TRUE;
}

}  // namespace wintest
