// Finds and dismisses message boxes that a thread shows while a test runs.
// MessageBoxA blocks its caller, so the watcher works from a thread of its
// own: it looks among the watched thread's windows for dialog boxes, notes
// each one's caption and text, and presses OK.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wintest {

struct SeenMessageBox {
    std::string caption;
    std::string text;
};

class MessageBoxWatcher {
public:
    // Watches the calling thread's boxes until destroyed.
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Boxes seen and dismissed so far, oldest first. A call that shows a box
    // returns only after the watcher has dismissed it, so once that call is
    // back its box is in this list.
    std::vector<SeenMessageBox> boxes() const;
    // The button pressed on every box from now on (IDOK unless told).
    void answerWith(int button) { answer_ = button; }
    void clear();

private:
    static DWORD WINAPI Run(void* self);
    static BOOL CALLBACK CheckWindow(HWND window, LPARAM self);

    DWORD watchedThread_;
    HANDLE stop_;
    HANDLE thread_;
    mutable CRITICAL_SECTION lock_;
    std::vector<SeenMessageBox> boxes_;
    std::vector<HWND> dismissed_;
    volatile int answer_ = IDOK;
};

}  // namespace wintest
