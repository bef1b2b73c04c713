// Common ground of the control toolkit's Windows tests: the classes
// registered for each test suite, one recording parent window per suite
// (emptied of its children after every test), a watcher for "NotFound"
// boxes, and an empty bitmap cache at the start of every test.
//
// The parent lives for the whole suite because Wine, with no window manager
// on the display, spends two seconds destroying each top-level window.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "controls/toolkit_frame.h"
#include "support/message_box_watcher.h"
#include "support/message_pump.h"
#include "support/notification_recorder.h"

namespace wintest {

class ToolkitTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterControlClasses(GetModuleHandleA(nullptr));
        parent_ = new NotificationRecorder();
    }
    static void TearDownTestSuite() {
        delete parent_;
        parent_ = nullptr;
        PumpMessages();
        UnregisterControlClasses();
    }

    void SetUp() override {
        FreeSkinBitmaps();
        SetForegroundWindow(parent());
        PumpMessages();
        recorder().clear();
    }

    void TearDown() override {
        DestroyChildren(parent());
        PumpMessages();
        recorder().onNotification(nullptr);
        recorder().clear();
        FreeSkinBitmaps();
    }

    static HINSTANCE instance() { return GetModuleHandleA(nullptr); }
    static HWND parent() { return parent_->window(); }
    static NotificationRecorder& recorder() { return *parent_; }
    MessageBoxWatcher& boxes() { return watcher_; }

    static void DestroyChildren(HWND window) {
        while (HWND child = GetWindow(window, GW_CHILD)) {
            DestroyWindow(child);
        }
    }

private:
    static inline NotificationRecorder* parent_ = nullptr;
    MessageBoxWatcher watcher_;
};

// Low 16 bits of a window handle, as controls put them in lParam.
inline LPARAM HandleLowWord(HWND window) { return static_cast<LPARAM>(reinterpret_cast<UINT_PTR>(window) & 0xFFFF); }

}  // namespace wintest
