#include "panel/panel_controls_win32.h"

#include "controls/toolkit_frame.h"
#include "panel/panel_controls.h"

namespace {

// Caption and frame around the client area, and the timecode row below the
// "mainbak" row.
constexpr int kFrameHeight = 25;
constexpr int kTimecodeRowHeight = 100;

HWND Window(ControlHandle handle) { return static_cast<HWND>(handle); }

class Win32PanelControls : public PanelControls {
public:
    HINSTANCE instance = nullptr;

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
    // The window is always one of two sizes, taken from the state, so
    // repeating a request never changes it again.
    void SetTimecodeRowShown(void* mainWindow, bool shown) override {
        HWND window = static_cast<HWND>(mainWindow);
        RECT frame;
        if (!GetWindowRect(window, &frame)) {
            return;
        }
        // The bitmap belongs to the skin cache; it is only measured here.
        BITMAP info = {};
        HBITMAP background = LoadSkinBitmap(instance, "mainbak");
        if (background == nullptr || GetObjectA(background, sizeof info, &info) == 0) {
            info.bmHeight = 0;
        }
        const int height = info.bmHeight + kFrameHeight + (shown ? kTimecodeRowHeight : 0);
        MoveWindow(window, frame.left, frame.top, frame.right - frame.left, height, TRUE);
    }
};

Win32PanelControls win32Controls;

}  // namespace

void InstallWin32PanelControls(HINSTANCE instance) {
    win32Controls.instance = instance;
    SetPanelControls(&win32Controls);
}
