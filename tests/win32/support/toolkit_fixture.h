// Common ground of the control toolkit's Windows tests: the classes
// registered once for the test program, a fresh recording parent window per
// test, a watcher for "NotFound" boxes, and an empty bitmap cache.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "controls/toolkit_frame.h"
#include "support/message_box_watcher.h"
#include "support/message_pump.h"
#include "support/notification_recorder.h"

namespace wintest {

class ToolkitTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterControlClasses(GetModuleHandleA(NULL)); }
    static void TearDownTestSuite() { UnregisterControlClasses(); }

    void SetUp() override {
        FreeSkinBitmaps();
        parent_.reset(new NotificationRecorder());
        SetForegroundWindow(parent_->window());
        PumpMessages();
    }

    void TearDown() override {
        parent_.reset();
        PumpMessages();
        FreeSkinBitmaps();
    }

    HINSTANCE instance() const { return GetModuleHandleA(NULL); }
    HWND parent() const { return parent_->window(); }
    NotificationRecorder& recorder() { return *parent_; }
    const NotificationRecorder& recorder() const { return *parent_; }
    MessageBoxWatcher& boxes() { return watcher_; }

private:
    MessageBoxWatcher watcher_;
    std::unique_ptr<NotificationRecorder> parent_;
};

// Low 16 bits of a window handle, as controls put them in lParam.
inline LPARAM HandleLowWord(HWND window) {
    return static_cast<LPARAM>(reinterpret_cast<UINT_PTR>(window) & 0xFFFF);
}

}  // namespace wintest
