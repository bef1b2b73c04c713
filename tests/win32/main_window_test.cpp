// The real main window with its panels: what shows under a control that has
// no face, and what "&Close Panel" does.
#include <gtest/gtest.h>

#include <cstring>

#include "app/desk_messages.h"
#include "controls/control_input.h"
#include "controls/toolkit_frame.h"
#include "panel/card_panel.h"
#include "settings/settings_store.h"
#include "support/desk_in_process.h"
#include "support/memory_settings_key.h"
#include "support/message_box_watcher.h"
#include "support/message_pump.h"
#include "support/pixel_checks.h"

namespace wintest {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        desk_ = new InProcessDesk(0x3, &key_, &clock_);
        ASSERT_TRUE(desk_->Start());
    }
    static void TearDownTestSuite() {
        delete desk_;
        desk_ = nullptr;
    }
    void SetUp() override {
        ShowWindow(desk_->window(), SW_SHOWNORMAL);
        UpdateWindow(desk_->window());
        PumpMessages();
    }

    static HWND Window() { return desk_->window(); }
    static InProcessDesk& Desk() { return *desk_; }

    static inline MemorySettingsKey key_;
    static inline LeapingClock clock_;
    static inline InProcessDesk* desk_ = nullptr;
};

// The main window draws its background rows only in WM_PAINT and erases
// nothing, so a control without a face asks it for its picture.
TEST_F(MainWindowTest, AControlWithoutItsBitmapShowsTheBackgroundUnderIt) {
    HWND label = nullptr;
    for (const PanelControl& control : Desk().controls()) {
        const RECT rect = PlaceInClient(control.window, Window());
        if (control.kind == PanelControlKind::kStatic && control.column == 0 && rect.left == 215 && rect.top == 72) {
            label = control.window;
        }
    }
    ASSERT_NE(label, nullptr) << "column 0's out34 label";
    const PixelImage background = ReadBitmap(LoadSkinBitmap(GetModuleHandleA(nullptr), "mainbak"), 339, 254);
    ASSERT_TRUE(Crop(background, 215, 72, 72, 15) != CaptureClient(label)) << "the label shows its picture first";

    MessageBoxWatcher boxes;
    SendMessageA(label, WM_SETICON, 0, reinterpret_cast<LPARAM>("no_such_label"));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ("", FirstDifference(CaptureClient(label), Crop(background, 215, 72, 72, 15)));
    SendMessageA(label, WM_SETICON, 0, reinterpret_cast<LPARAM>("out34_off"));
}

TEST_F(MainWindowTest, APointerOverTheBackgroundTakesTheFocusOnlyWhileTheMouseIsInUse) {
    SetForegroundWindow(Window());
    HWND rate = Desk().Control(1, kBaseRate + 1);
    for (bool keys : {true, false}) {
        SetFocus(rate);
        SetFocusMarks(keys);
        SendMessageA(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(keys ? rate : Window(), GetFocus()) << (keys ? "with the keyboard in use" : "");
        EXPECT_EQ(keys, FocusMarksOn());
    }
}

TEST_F(MainWindowTest, ClosePanelHidesTheWindowAndSavesEveryCardsRecord) {
    LeftClick(Desk().Control(0, kBaseFs256));
    LeftClick(Desk().Control(1, kBaseClockSource + 2));
    key_.values.clear();
    SendMessageA(Window(), WM_COMMAND, kCmdClosePanel, 0);
    EXPECT_FALSE(IsWindowVisible(Window()));
    for (int column = 0; column < 2; ++column) {
        const char* name = column == 0 ? "Mixer20" : "Mixer21";
        ASSERT_EQ(key_.values.count(name), 1u) << name;
        const std::vector<uint8_t>& stored = key_.values[name].bytes;
        ASSERT_EQ(stored.size(), sizeof(MixerSettings)) << name;
        EXPECT_EQ(0, std::memcmp(stored.data(), &SettingsRecord(column), stored.size())) << name;
    }
    EXPECT_EQ(SettingsRecord(0).fsMode, 1);
    EXPECT_EQ(SettingsRecord(1).clockSource, 2);
}

}  // namespace
}  // namespace wintest
