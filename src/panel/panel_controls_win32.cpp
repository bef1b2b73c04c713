#include "panel/panel_controls_win32.h"

#include <windows.h>

#include "panel/panel_controls.h"

namespace {

HWND Window(ControlHandle handle) { return static_cast<HWND>(handle); }

class Win32PanelControls : public PanelControls {
public:
    int32_t GetCheck(ControlHandle toggle) override {
        return static_cast<int32_t>(SendMessageA(Window(toggle), BM_GETCHECK, 0, 0));
    }
    void SetCheck(ControlHandle toggle, int32_t state) override {
        SendMessageA(Window(toggle), BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
    int32_t GetPosition(ControlHandle field) override {
        return static_cast<int32_t>(SendMessageA(Window(field), SBM_GETPOS, 0, 0));
    }
    void SetPosition(ControlHandle field, int32_t value) override {
        SendMessageA(Window(field), SBM_SETPOS, static_cast<WPARAM>(value), 0);
    }
};

Win32PanelControls win32Controls;

}  // namespace

void InstallWin32PanelControls() { SetPanelControls(&win32Controls); }
