#include "support/desk_in_process.h"
#include "desk_test_hooks.h"

#include <cstring>

#include "app/main_window_win32.h"
#include "card/card_table.h"
#include "card/winmm_clock_win32.h"
#include "controls/toolkit_frame.h"
#include "panel/card_panel_layout.h"
#include "panel/panel_controls.h"
#include "panel/timecode.h"
#include "support/message_pump.h"

namespace wintest {

namespace {

WinmmClock multimediaTimer;

int DigitMaximum(uint16_t baseId) {
    const PanelControlRow* rows = PanelLayoutRows();
    for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
        if (rows[i].kind == ControlKind::DigitField && rows[i].baseId == baseId) return rows[i].maximum;
    }
    return 0;
}

BOOL CALLBACK CollectControl(HWND child, LPARAM parameter) {
    std::vector<PanelControl>* controls = reinterpret_cast<std::vector<PanelControl>*>(parameter);
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    const uint16_t id = static_cast<uint16_t>(GetDlgCtrlID(child));
    if (std::strcmp(name, "Kiv_TogleClass") == 0) {
        controls->push_back({child, ControlIdColumn(id), ControlIdBase(id), PanelControlKind::kToggle, 0});
    } else if (std::strcmp(name, "Kiv_DigitExClass") == 0) {
        controls->push_back({child, ControlIdColumn(id), ControlIdBase(id), PanelControlKind::kDigitField,
                             DigitMaximum(ControlIdBase(id))});
    } else if (std::strcmp(name, "Kiv_StaticClass") == 0) {
        controls->push_back({child, (id - 4096) >> 14, 0, PanelControlKind::kStatic, 0});
    }
    return TRUE;
}

}  // namespace

InProcessDesk::InProcessDesk(unsigned answering, SettingsKey* key, MillisecondClock* clock)
    : driver_(new SimDriverLink(answering)), key_(key), clock_(clock) {}

InProcessDesk::~InProcessDesk() { Stop(); }

bool InProcessDesk::Start() {
    SetDriverLink(driver_.get());
    SetSettingsKey(key_);
    SetMillisecondClock(clock_ != nullptr ? clock_ : &multimediaTimer);
    SetDeskWindow(&MainWindowAsDesk());
    started_ = true;
    if (OpenCards() == 0) return false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterControlClasses(instance);
    window_ = CreateMainWindow(instance);
    if (window_ == nullptr) return false;
    ShowWindow(window_, SW_HIDE);
    UpdateWindow(window_);
    PumpMessages();
    controls_.clear();
    EnumChildWindows(window_, CollectControl, reinterpret_cast<LPARAM>(&controls_));
    return true;
}

void InProcessDesk::Stop() {
    if (!started_) return;
    started_ = false;
    if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
    controls_.clear();
    // The window's end posts the quit message the desk's loop would stop on.
    MSG quit;
    PumpMessages();
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    UnregisterControlClasses();
    SaveAllSettings();
    ResetCardTableForTest();
    ResetCardPanelsForTest();
    ResetTimecodeForTest();
    ResetSettingsRecordsForTest();
    SetPanelControls(nullptr);
    SetDriverLink(nullptr);
    SetSettingsKey(nullptr);
    SetMillisecondClock(nullptr);
}

int InProcessDesk::cardCount() const { return CardCount(); }

HWND InProcessDesk::Control(int column, uint16_t baseId) const {
    for (const PanelControl& control : controls_) {
        if (control.column == column && control.baseId == baseId && control.kind != PanelControlKind::kStatic) {
            return control.window;
        }
    }
    return nullptr;
}

int PumpPostedMessages() {
    int count = 0;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ++count;
    }
    return count;
}

void LeftClick(HWND control) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    PumpMessages();
}

void RightClick(HWND control) {
    PostMessageA(control, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    PumpMessages();
}

}  // namespace wintest
