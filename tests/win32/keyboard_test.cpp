// Working the toolkit's controls from the keyboard, on the control gallery,
// which holds one control of each class: the keys go through the loop step
// as the gallery's own loop hands them on, and what the controls tell the
// gallery is read from its event lines.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/control_input.h"
#include "controls/toggle_button.h"
#include "controls/toolkit_dialog.h"
#include "controls/toolkit_frame.h"
#include "gallery/gallery_window_win32.h"
#include "support/gallery_in_process.h"
#include "support/message_pump.h"
#include "support/pixel_checks.h"
#include "support/wine_window_manager.h"

namespace wintest {
namespace {

std::vector<std::string> events;
void KeepEvent(const std::string& line) { events.push_back(line); }

LRESULT Ask(HWND control, UINT message) { return SendMessageA(control, message, 0, 0); }

// The face `image` with the focus mark drawn over `face`.
PixelImage WithMark(const PixelImage& image, RECT face) {
    return Render(image.width, image.height, [&](HDC dc) {
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) SetPixel(dc, x, y, image.at(x, y));
        RECT inside = {face.left + 1, face.top + 1, face.right - 1, face.bottom - 1};
        DrawFocusRect(dc, &inside);
    });
}

class KeyboardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        gallery_ = OpenGalleryInProcess();
        ShowWindow(gallery_, SW_SHOWNORMAL);
        UpdateWindow(gallery_);
        SetGalleryEventSink(KeepEvent);
    }
    static void TearDownTestSuite() {
        SetGalleryEventSink(nullptr);
        CloseGalleryInProcess(gallery_);
    }
    void SetUp() override {
        ASSERT_NE(nullptr, gallery_);
        SetForegroundWindow(gallery_);
        PumpMessages();
        events.clear();
    }
    void TearDown() override { SetFocusMarks(false); }

    static HWND Control(int id) { return GetDlgItem(gallery_, id); }
    static int FocusId() { return GetDlgCtrlID(GetFocus()); }
    // A key pressed while the gallery is in front, as its loop hands it on.
    static void Press(WPARAM key, bool shift = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message = {GetFocus(), WM_KEYDOWN, key, static_cast<LPARAM>(1 | MapVirtualKeyA(key, 0) << 16), 0, {}};
        ToolkitDialogMessage(gallery_, &message);
        PumpMessages();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }

    static inline HWND gallery_ = nullptr;
};

// Tab goes from control to control; at each, the focus mark comes with the
// keys, goes with the mouse and with the focus, each time drawn at once.
TEST_F(KeyboardTest, TabVisitsTheControlsInReadingOrderEachShowingItsFocusMark) {
    SetFocus(Control(1601));
    for (int id : {201, 401, 601, 701, 801, 1001, 901, 1401, 1501, 1601}) {
        SCOPED_TRACE(id);
        HWND control = Control(id);
        const PixelImage unfocused = CaptureClient(control);
        Press(VK_TAB);
        EXPECT_EQ(id, FocusId());
        const PixelImage marked = CaptureClient(control);
        MSG click = {gallery_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 560), 0, {}};
        ToolkitDialogMessage(gallery_, &click);
        EXPECT_FALSE(FocusMarksOn()) << "a mouse press turns them off";
        const PixelImage plain = CaptureClient(control);
        const RECT face = {id == 701 ? 20 : 0, 0, plain.width, plain.height};  // the selector's face starts at 20
        EXPECT_EQ("", FirstDifference(marked, WithMark(plain, face)));
        SetFocusMarks(true);
        EXPECT_EQ("", FirstDifference(CaptureClient(control), marked));
        SetFocus(gallery_);
        EXPECT_EQ("", FirstDifference(CaptureClient(control), unfocused));
        SetFocus(control);
        EXPECT_EQ("", FirstDifference(CaptureClient(control), marked));
    }
    Press(VK_TAB, true);
    EXPECT_EQ(1501, FocusId()) << "Shift+Tab goes back";
    // The gallery gives the focus back to the control that had it.
    SendMessageA(gallery_, WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(gallery_);
    SendMessageA(gallery_, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(1501, FocusId());
}

// A key and the mouse gesture it stands for: a click (press and release in
// the middle) of the left or right button, or a wheel notch.
struct KeyGesture {
    int id;
    int start;  // the state both begin from
    WPARAM key;
    bool shift;
    UINT mouse;  // WM_LBUTTONDOWN, WM_RBUTTONDOWN or WM_MOUSEWHEEL
    short wheel;
};

constexpr UINT L = WM_LBUTTONDOWN, R = WM_RBUTTONDOWN, W = WM_MOUSEWHEEL;

// clang-format off
const KeyGesture kGestures[] = {
    {201, 0, VK_SPACE, false, L, 0}, {201, 1, VK_RETURN, false, L, 0}, {201, 0, VK_SPACE, true, R, 0},
    {401, 30, VK_SPACE, false, L, 0}, {401, 59, VK_RETURN, false, L, 0}, {401, 30, VK_SPACE, true, R, 0},
    {401, 30, VK_DELETE, false, R, 0}, {401, 59, VK_UP, false, W, 120}, {401, 0, VK_DOWN, false, W, -120},
    {601, 0, VK_SPACE, false, L, 0}, {601, 0, VK_RETURN, false, L, 0}, {601, 0, VK_SPACE, true, R, 0},
    {701, 3, VK_DOWN, false, L, 0}, {701, 1, VK_RIGHT, false, L, 0}, {701, 1, VK_SPACE, true, R, 0},
    {801, 2, VK_SPACE, false, L, 0}, {801, 0, VK_RETURN, false, L, 0},
    {1001, 2, VK_SPACE, false, L, 0}, {1001, 2, VK_SPACE, true, R, 0}, {1001, 3, VK_DOWN, false, L, 0},
    {1001, 2, VK_RIGHT, false, L, 0}, {1001, 0, VK_UP, false, R, 0}, {1001, 2, VK_LEFT, false, R, 0},
    {1501, 60, VK_RIGHT, false, W, 120}, {1501, 60, VK_LEFT, false, W, -120},
    {1601, 0, VK_SPACE, false, L, 0}, {1601, 1, VK_RETURN, false, L, 0},
};
// clang-format on

TEST_F(KeyboardTest, EachKeyDoesWhatItsMouseGestureDoesWithoutTheCapture) {
    for (const KeyGesture& g : kGestures) {
        SCOPED_TRACE(testing::Message() << g.id << " key " << g.key << (g.shift ? " with Shift" : ""));
        HWND control = Control(g.id);
        auto begin = [&] {
            SetFocusMarks(false);
            SendMessageA(control, BM_SETCHECK, g.start, 0);
            SendMessageA(control, SBM_SETPOS, g.start, 0);
            PumpMessages();
            events.clear();
        };
        begin();
        const LPARAM middle = MAKELPARAM(4, 4);
        if (g.mouse == W) {
            SendMessageA(control, W, MAKEWPARAM(0, static_cast<WORD>(g.wheel)), middle);
        } else {
            SendMessageA(control, g.mouse, g.mouse == L ? MK_LBUTTON : MK_RBUTTON, middle);
            SendMessageA(control, g.mouse + 1, 0, middle);  // the button's release
        }
        PumpMessages();
        const std::vector<std::string> byMouse = events;
        const LRESULT checkByMouse = Ask(control, BM_GETCHECK), positionByMouse = Ask(control, SBM_GETPOS);
        ASSERT_FALSE(byMouse.empty());

        begin();
        SetFocus(control);
        SetCapture(gallery_);
        Press(g.key, g.shift);
        EXPECT_EQ(gallery_, GetCapture()) << "the capture stays where it was";
        ReleaseCapture();
        EXPECT_EQ(byMouse, events);
        EXPECT_EQ(checkByMouse, Ask(control, BM_GETCHECK));
        EXPECT_EQ(positionByMouse, Ask(control, SBM_GETPOS));
    }
}

TEST_F(KeyboardTest, EveryControlIsNamedKeepsTabForTheDialogAndIgnoresOtherKeys) {
    const MSG tab = {nullptr, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    const MSG space = {nullptr, WM_KEYDOWN, VK_SPACE, 0, 0, {}};
    SetFocusMarks(true);
    for (size_t i = 0; i < GalleryCellCount(); ++i) {
        const GalleryCell& cell = GalleryCells()[i];
        SCOPED_TRACE(cell.id);
        HWND control = Control(cell.id);
        char text[64] = "";
        GetWindowTextA(control, text, sizeof text);
        if (cell.kind != GalleryKind::SmallText) EXPECT_STREQ(cell.what, text);
        const LRESULT plain = SendMessageA(control, WM_GETDLGCODE, 0, 0);
        EXPECT_EQ(0, SendMessageA(control, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTMESSAGE);
        EXPECT_EQ(plain, SendMessageA(control, WM_GETDLGCODE, VK_SPACE, reinterpret_cast<LPARAM>(&space)));
        if (cell.kind == GalleryKind::VerticalSlider || cell.kind == GalleryKind::Knob) continue;  // every key reports

        SetFocus(control);
        const LRESULT check = Ask(control, BM_GETCHECK), position = Ask(control, SBM_GETPOS);
        CoverClient(control, RGB(0, 0, 0));
        const PixelImage covered = CaptureClient(control);
        // Space and Enter come as the auto-repeats of a held key.
        for (WPARAM key :
             {WPARAM{'A'}, WPARAM{VK_F5}, WPARAM{VK_HOME}, WPARAM{VK_ESCAPE}, WPARAM{VK_SPACE}, WPARAM{VK_RETURN}}) {
            const LPARAM data = key == VK_SPACE || key == VK_RETURN ? 1 | 1 << 30 : 1;
            SendMessageA(control, WM_KEYDOWN, key, data);
            SendMessageA(control, WM_CHAR, key, data);
            SendMessageA(control, WM_KEYUP, key, data);
        }
        // A label set later is never drawn either.
        const bool showsItsText = cell.kind == GalleryKind::SmallText || cell.kind == GalleryKind::BitmapText;
        if (!showsItsText) SetWindowTextA(control, "Another name");
        PumpMessages();
        EXPECT_EQ(covered, CaptureClient(control)) << "nothing drawn";
        EXPECT_EQ(check, Ask(control, BM_GETCHECK));
        EXPECT_EQ(position, Ask(control, SBM_GETPOS));
        if (!showsItsText) SetWindowTextA(control, cell.what);
        InvalidateRect(control, nullptr, FALSE);
    }
    EXPECT_TRUE(events.empty());
}

// The controls that follow the pointer with the focus, for the wheel, leave
// it where the keys put it while the keyboard is in use.
TEST_F(KeyboardTest, APointerTakesTheFocusOnlyWhileTheMouseIsInUse) {
    for (int id : {401, 1001, 901, 1401, 1501}) {
        for (bool keys : {true, false}) {
            SetFocus(Control(201));
            SetFocusMarks(keys);
            SendMessageA(Control(id), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
            EXPECT_EQ(keys ? 201 : id, FocusId()) << id << (keys ? " with the keyboard in use" : "");
            EXPECT_EQ(keys, FocusMarksOn());
        }
    }
}

TEST_F(KeyboardTest, TheArrowsOfAToggleMoveWithinItsGroupAndClickAnOffToggle) {
    HWND toggles[4];
    for (int i = 0; i < 4; ++i)
        toggles[i] = CreateToggle(GetModuleHandleA(nullptr), gallery_, 91 + i, 40 * i, 560, "start_on", "start_off");
    StartControlGroup(toggles[0]);
    StartControlGroup(toggles[3]);  // alone in its group, as the gallery's own toggle
    SendMessageA(toggles[0], BM_SETCHECK, 1, 0);
    const struct {
        int from;
        WPARAM key;
        int focus;
        LRESULT checks[3];
    } steps[] = {{91, VK_DOWN, 92, {1, 1, 0}}, {92, VK_RIGHT, 93, {1, 1, 1}}, {93, VK_DOWN, 91, {1, 1, 1}},
                 {92, VK_UP, 91, {1, 1, 1}},   {94, VK_DOWN, 94, {1, 1, 1}},  {201, VK_LEFT, 201, {1, 1, 1}},
                 {92, VK_LEFT, 91, {1, 1, 1}}};
    for (const auto& step : steps) {
        SetFocus(Control(step.from));
        Press(step.key);
        EXPECT_EQ(step.focus, FocusId()) << step.from;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(step.checks[i], Ask(toggles[i], BM_GETCHECK)) << step.from;
    }
    EXPECT_EQ(0, Ask(toggles[3], BM_GETCHECK));
    EXPECT_EQ(0, Ask(Control(201), BM_GETCHECK));
    for (HWND toggle : toggles) DestroyWindow(toggle);
}

}  // namespace
}  // namespace wintest
