// The push button, the popup-menu selector, the small text and the bitmap
// text as their parent sees them: faces and texts on screen, notifications
// in the parent's queue, and the selector's menu opened by its opener.
#include <climits>
#include <string>
#include <vector>

#include "controls/bitmap_text.h"
#include "controls/popup_menu_selector.h"
#include "controls/push_button.h"
#include "controls/small_text.h"
#include "support/pixel_checks.h"
#include "support/toolkit_fixture.h"

namespace wintest {
namespace {

constexpr int kId = 0x2101;
constexpr int kButtonWidth = 30, kButtonHeight = 20;
constexpr COLORREF kPressedColour = RGB(200, 30, 40), kReleasedColour = RGB(30, 190, 60);
constexpr int kFaceWidth = 120, kFaceHeight = 22;
constexpr COLORREF kFaceColour = RGB(240, 230, 140), kOpenerColour = RGB(20, 20, 120);
const char* const kItems[] = {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"};
constexpr int kItemCount = 5;
constexpr POINT kMenuCorner = {900, 600};  // right of and below the parent window
constexpr COLORREF kInk = RGB(255, 255, 0), kPaper = RGB(0, 0, 128);
constexpr int kStripCells = 39;

LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

COLORREF CellColour(int cell) { return RGB(10 + cell * 6, 250 - cell * 5, (cell * 53) % 256); }

// A line of text in the shared font over a solid background, drawn here
// independently of the controls.
PixelImage ExpectedText(int width, int height, COLORREF back, COLORREF ink, UINT align, int x, int y,
                        const std::string& text) {
    return Render(width, height, [&](HDC dc) {
        HBRUSH brush = CreateSolidBrush(back);
        RECT box = {0, 0, width, height};
        FillRect(dc, &box, brush);
        DeleteObject(brush);
        HGDIOBJ previous = SelectObject(dc, toolkitFont);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ink);
        SetTextAlign(dc, align);
        TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
        SelectObject(dc, previous);
    });
}

// The selector's face: black text 4 pixels in and down from the face's corner.
PixelImage SelectorFace(const std::string& text) {
    return ExpectedText(kFaceWidth, kFaceHeight, kFaceColour, 0, TA_LEFT | TA_TOP, 4, 4, text);
}

// The small text: its ink centred on `centre` at the top, over its paper.
PixelImage Label(int width, int height, const std::string& text, int centre) {
    return ExpectedText(width, height, kPaper, kInk, TA_CENTER | TA_TOP, centre, 0, text);
}

PixelImage ExpectedCells(const std::vector<int>& cells) {
    return Render(static_cast<int>(cells.size()) * 6, 7, [&](HDC dc) {
        for (size_t i = 0; i < cells.size(); ++i) {
            HBRUSH brush = CreateSolidBrush(CellColour(cells[i]));
            RECT cell = {static_cast<LONG>(i) * 6, 0, static_cast<LONG>(i) * 6 + 6, 7};
            FillRect(dc, &cell, brush);
            DeleteObject(brush);
        }
    });
}

const char* ItemText(int selection, int count) { return selection >= 0 && selection < count ? kItems[selection] : ""; }

// What the menu looked like while open, seen from a message filter hook on
// this thread; the hook then closes it, choosing an item with the keys or
// the right mouse button, or none.
struct MenuVisit {
    int chosen = -1;           // position to choose, or -1 to close without a choice
    bool rightButton = false;  // choose with a right click on the item instead of the keys
    HMENU menu = nullptr;
    RECT where = {};
    std::vector<bool> checked;  // each item's check mark while open
    int calls = 0;
    bool keysSent = false;
    bool timedOut = false;
    DWORD deadline = 0;
};

MenuVisit* visit = nullptr;

LRESULT CALLBACK WatchMenu(int code, WPARAM wParam, LPARAM lParam) {
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (code == MSGF_MENU && visit != nullptr && menuWindow != nullptr) {
        if (visit->calls++ == 0) {
            visit->menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
            GetWindowRect(menuWindow, &visit->where);
            for (int i = 0; i < GetMenuItemCount(visit->menu); ++i) {
                visit->checked.push_back((GetMenuState(visit->menu, i, MF_BYPOSITION) & MF_CHECKED) != 0);
            }
        }
        if (visit->chosen < 0 || GetTickCount() > visit->deadline) {
            visit->timedOut = visit->chosen >= 0;
            EndMenu();
        } else if (!visit->keysSent && visit->rightButton) {
            // Mouse messages reach the menu in screen coordinates.
            RECT item;
            GetMenuItemRect(nullptr, visit->menu, visit->chosen, &item);
            const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
            PostMessageA(menuWindow, WM_RBUTTONDOWN, MK_RBUTTON, at);
            PostMessageA(menuWindow, WM_RBUTTONUP, 0, at);
            visit->keysSent = true;
        } else if (!visit->keysSent) {
            // Down once to the first item and once more per position, then Enter.
            for (int i = 0; i <= visit->chosen; ++i) PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
            visit->keysSent = true;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// While it lives, every menu that opens on this thread is shown to the hook
// for `seen` and closed by it, at the latest at the deadline: a click that
// opens a menu by mistake fails a check instead of leaving the test waiting
// in the menu's loop.
class MenuWatch {
public:
    explicit MenuWatch(MenuVisit* seen) {
        seen->deadline = GetTickCount() + 5000;
        visit = seen;
        hook_ = SetWindowsHookExA(WH_MSGFILTER, WatchMenu, nullptr, GetCurrentThreadId());
        // A thread timer keeps messages going through the menu's loop, so the
        // hook is called even when nothing else happens.
        timer_ = SetTimer(nullptr, 0, 20, nullptr);
    }
    ~MenuWatch() {
        KillTimer(nullptr, timer_);
        UnhookWindowsHookEx(hook_);
        visit = nullptr;
    }
    MenuWatch(const MenuWatch&) = delete;
    MenuWatch& operator=(const MenuWatch&) = delete;

private:
    HHOOK hook_;
    UINT_PTR timer_;
};

class ClassesTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        pressed_ = Keep(SolidBitmap(kButtonWidth, kButtonHeight, kPressedColour));
        released_ = Keep(SolidBitmap(kButtonWidth, kButtonHeight, kReleasedColour));
        face_ = Keep(SolidBitmap(kFaceWidth, kFaceHeight, kFaceColour));
        opener_ = Keep(SolidBitmap(20, kFaceHeight, kOpenerColour));
        COLORREF colours[kStripCells];
        for (int i = 0; i < kStripCells; ++i) colours[i] = CellColour(i);
        strip_ = Keep(StripBitmap(kStripCells, 6, 7, colours));
    }
    void TearDown() override {
        ToolkitTest::TearDown();
        for (HBITMAP bitmap : owned_) DeleteObject(bitmap);
    }

    HBITMAP Keep(HBITMAP bitmap) {
        owned_.push_back(bitmap);
        return bitmap;
    }
    // A control made, painted, and with its parent's record emptied.
    static HWND Ready(HWND control) {
        EXPECT_NE(nullptr, control);
        if (control != nullptr) UpdateWindow(control);
        PumpMessages();
        recorder().clear();
        return control;
    }
    HWND Button(int x = 20) { return Ready(CreatePushButton(instance(), parent(), kId, x, 30, released_, pressed_)); }
    HWND Selector(int count, int selection, bool opener = true) {
        const PopupMenuSelectorArgs args = {
            face_, kItems, count, selection, opener ? opener_ : nullptr, opener ? pressed_ : nullptr};
        return Ready(CreatePopupMenuSelector(instance(), parent(), kId, 40, 60, args));
    }
    HWND SmallText(int width, int height, const char* text) {
        return Ready(CreateSmallText(instance(), parent(), kId, 30, 200, width, height, text, kInk, kPaper));
    }
    HWND Cells(int cells, const char* text, const char* title = "title") {
        return Ready(CreateBitmapText(instance(), parent(), kId, 30, 300, strip_, cells, title, text));
    }

    // 'P' pressed face, 'R' released face, '?' anything else.
    static char Face(HWND button) {
        const PixelImage shown = CaptureClient(button);
        if (shown == SolidImage(kButtonWidth, kButtonHeight, kPressedColour)) return 'P';
        if (shown == SolidImage(kButtonWidth, kButtonHeight, kReleasedColour)) return 'R';
        return '?';
    }
    // The selector's face, right of the strip its opener covers.
    static PixelImage FaceOf(HWND selector) { return Crop(CaptureClient(selector), 20, 0, kFaceWidth, kFaceHeight); }
    static LRESULT Selection(HWND selector) { return SendMessageA(selector, SBM_GETPOS, 0, 0); }
    static void SetText(HWND control, const char* text) {
        EXPECT_EQ(0, SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
    }
    static std::string Title(HWND control) {
        char title[128] = "";
        GetWindowTextA(control, title, sizeof title);
        return title;
    }
    // The WM_COMMAND codes the parent received, in order; each must have
    // come posted, with the control's id and handle.
    static std::vector<WORD> Codes(HWND control) {
        PumpMessages();
        std::vector<WORD> codes;
        for (const RecordedNotification& note : recorder().notifications()) {
            EXPECT_EQ(static_cast<UINT>(WM_COMMAND), note.message);
            EXPECT_EQ(kId, LOWORD(note.wParam));
            EXPECT_EQ(HandleLowWord(control), note.lParam);
            EXPECT_TRUE(note.posted);
            codes.push_back(HIWORD(note.wParam));
        }
        return codes;
    }

    // Clicks the opener and lets the hook close the menu; false when it never
    // opened or the hook had to close it at the deadline.
    static bool OpenThroughTheOpener(HWND selector, MenuVisit* seen) {
        HWND opener = GetDlgItem(selector, kPopupMenuOpenerId);
        if (opener == nullptr) return false;
        SetCursorPos(kMenuCorner.x, kMenuCorner.y);
        MenuWatch watch(seen);
        SendMessageA(opener, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
        SendMessageA(opener, WM_LBUTTONUP, 0, Point(5, 5));
        return PumpUntil([&] { return seen->calls > 0; }, 5000) && !seen->timedOut;
    }

    HBITMAP pressed_ = nullptr, released_ = nullptr, face_ = nullptr, opener_ = nullptr, strip_ = nullptr;

private:
    std::vector<HBITMAP> owned_;
};

// ---- Push button ---------------------------------------------------------

struct MouseStep {
    UINT message;
    WPARAM keys;
    int x, y;   // in the button's client area; -1 is left of or above it
    char face;  // shown right after the step
};

struct ButtonCase {
    const char* name;
    std::vector<MouseStep> steps;
    std::vector<WORD> codes;
};

void PrintTo(const ButtonCase& c, std::ostream* out) { *out << c.name; }

class PushButtonTest : public ClassesTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(PushButtonTest, ShowsItsFacesAtOnceAndNotifiesReleasesInside) {
    const ButtonCase& c = GetParam();
    HWND button = Button();
    ASSERT_EQ('R', Face(button));
    std::string facesAtNotification;
    recorder().onNotification([&](const RecordedNotification&) { facesAtNotification += Face(button); });
    for (size_t i = 0; i < c.steps.size(); ++i) {
        const MouseStep& step = c.steps[i];
        EXPECT_EQ(0, SendMessageA(button, step.message, step.keys, Point(step.x, step.y)));
        EXPECT_EQ(step.face, Face(button)) << "after step " << i;
    }
    EXPECT_EQ(c.codes, Codes(button));
    EXPECT_EQ(std::string(c.codes.size(), 'R'), facesAtNotification) << "released before the parent hears";
}

constexpr UINT kLD = WM_LBUTTONDOWN, kLU = WM_LBUTTONUP, kRD = WM_RBUTTONDOWN, kRU = WM_RBUTTONUP, kMove = WM_MOUSEMOVE;

INSTANTIATE_TEST_SUITE_P(
    Sequences, PushButtonTest,
    ::testing::Values(
        ButtonCase{"LeftInside", {{kLD, MK_LBUTTON, 5, 5, 'P'}, {kLU, 0, 5, 5, 'R'}}, {1}},
        ButtonCase{"RightInside", {{kRD, MK_RBUTTON, 5, 5, 'P'}, {kRU, 0, 5, 5, 'R'}}, {2}},
        ButtonCase{"ReleasedOutside", {{kLD, MK_LBUTTON, 5, 5, 'P'}, {kLU, 0, 40, 5, 'R'}}, {}},
        ButtonCase{"OnTheRightEdge", {{kLD, MK_LBUTTON, 5, 5, 'P'}, {kLU, 0, kButtonWidth, 5, 'R'}}, {}},
        ButtonCase{"OnTheBottomEdge", {{kRD, MK_RBUTTON, 5, 5, 'P'}, {kRU, 0, 5, kButtonHeight, 'R'}}, {}},
        ButtonCase{
            "OnTheLastPixel", {{kLD, MK_LBUTTON, 5, 5, 'P'}, {kLU, 0, kButtonWidth - 1, kButtonHeight - 1, 'R'}}, {1}},
        ButtonCase{
            "LeftOfIt", {{kLD, MK_LBUTTON, 5, 5, 'P'}, {kMove, MK_LBUTTON, -1, 5, 'R'}, {kLU, 0, -1, 5, 'R'}}, {}},
        ButtonCase{"AboveIt", {{kLD, MK_LBUTTON, 5, 5, 'P'}, {kLU, 0, 5, -1, 'R'}}, {}},
        ButtonCase{"OutAndBack",
                   {{kLD, MK_LBUTTON, 5, 5, 'P'},
                    {kMove, MK_LBUTTON, 10, 10, 'P'},
                    {kMove, MK_LBUTTON, 40, 5, 'R'},
                    {kMove, MK_LBUTTON, 5, 5, 'R'},
                    {kLU, 0, 5, 5, 'R'}},
                   {1}},
        ButtonCase{"BothButtons",
                   {{kLD, MK_LBUTTON, 5, 5, 'P'},
                    {kRD, MK_LBUTTON | MK_RBUTTON, 5, 5, 'P'},
                    {kRU, MK_LBUTTON, 5, 5, 'R'},
                    {kLU, 0, 5, 5, 'R'}},
                   {2, 1}},
        ButtonCase{"PressedElsewhere", {{kLU, 0, 5, 5, 'R'}, {kRU, 0, 6, 6, 'R'}}, {1, 2}},
        ButtonCase{"KeyFlags",
                   {{kLD, MK_LBUTTON, 5, 5, 'P'},
                    {kMove, MK_SHIFT, 6, 6, 'P'},  // inside: no change
                    {kMove, 0, 40, 5, 'P'},        // no flag: nothing
                    {kMove, MK_CONTROL, 40, 5, 'R'},
                    {kLU, 0, 5, 5, 'R'}},
                   {1}},
        ButtonCase{"PressedAgain",
                   {{kLD, MK_LBUTTON, 5, 5, 'P'},
                    {kMove, MK_LBUTTON, 40, 5, 'R'},
                    {kLU, 0, 40, 5, 'R'},
                    {kLD, MK_LBUTTON, 5, 5, 'P'},
                    {kMove, MK_LBUTTON, 40, 40, 'R'}},
                   {}}),
    [](const ::testing::TestParamInfo<ButtonCase>& info) { return std::string(info.param.name); });

TEST_F(ClassesTest, AHeldButtonHasTheCaptureAndFocusIgnoresLosingItAndRepaintsReleased) {
    HWND button = Button();
    RECT window;
    GetWindowRect(button, &window);
    EXPECT_EQ(kButtonWidth, window.right - window.left);
    EXPECT_EQ(kButtonHeight, window.bottom - window.top);
    SetFocus(parent());
    SendMessageA(button, WM_RBUTTONDOWN, MK_RBUTTON, Point(3, 3));
    EXPECT_EQ(button, GetCapture());
    EXPECT_EQ(button, GetFocus());
    // Another window taking the capture changes nothing: the face stays
    // pressed and the parent hears nothing.
    SetCapture(parent());
    EXPECT_EQ('P', Face(button));
    EXPECT_TRUE(Codes(button).empty());
    EXPECT_EQ(parent(), GetCapture());
    InvalidateRect(button, nullptr, TRUE);
    UpdateWindow(button);
    EXPECT_EQ('R', Face(button));
    SendMessageA(button, WM_RBUTTONUP, 0, Point(3, 3));
    EXPECT_NE(button, GetCapture());
}

TEST_F(ClassesTest, ThePointerLeftFlagIsSharedByEveryButton) {
    HWND one = Button(20), other = Button(100);
    SendMessageA(one, WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 3));
    SendMessageA(other, WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 3));
    SendMessageA(one, WM_MOUSEMOVE, MK_LBUTTON, Point(50, 50));
    EXPECT_EQ('R', Face(one));
    SendMessageA(other, WM_MOUSEMOVE, MK_LBUTTON, Point(50, 50));
    EXPECT_EQ('P', Face(other)) << "the first button's leaving set the flag for both";
    SendMessageA(one, WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 3));  // a press clears it
    SendMessageA(other, WM_MOUSEMOVE, MK_LBUTTON, Point(50, 50));
    EXPECT_EQ('R', Face(other));
    SendMessageA(one, WM_LBUTTONUP, 0, Point(50, 50));
}

TEST_F(ClassesTest, AButtonWithoutFacesShowsTheParentsBackground) {
    HWND bare = Ready(CreatePushButton(instance(), parent(), kId, 200, 100, nullptr, nullptr));
    RECT window;
    GetWindowRect(bare, &window);
    EXPECT_EQ(0, window.right - window.left) << "no released face, no size";
    SetWindowPos(bare, nullptr, 0, 0, kButtonWidth, kButtonHeight, SWP_NOMOVE | SWP_NOZORDER);
    for (UINT message : {kLD, kLU}) {
        CoverClient(bare, RGB(0, 0, 0));
        SendMessageA(bare, message, MK_LBUTTON, Point(3, 3));
        EXPECT_EQ(SolidImage(kButtonWidth, kButtonHeight, NotificationRecorder::kBackground), CaptureClient(bare));
    }
}

// ---- Popup-menu selector --------------------------------------------------

TEST_F(ClassesTest, TheSelectorShowsItsItemBesideItsOpener) {
    ASSERT_NE(SelectorFace("Alpha"), SelectorFace(""));
    HWND selector = Selector(kItemCount, 2);
    RECT window, opener;
    GetWindowRect(selector, &window);
    EXPECT_EQ(20 + kFaceWidth, window.right - window.left);
    EXPECT_EQ(kFaceHeight, window.bottom - window.top);
    EXPECT_EQ("", FirstDifference(FaceOf(selector), SelectorFace("Gamma")));

    HWND button = GetDlgItem(selector, kPopupMenuOpenerId);
    ASSERT_NE(nullptr, button);
    char className[32] = "";
    GetClassNameA(button, className, sizeof className);
    EXPECT_STREQ("Kiv_ButtonClass", className);
    GetWindowRect(button, &opener);
    EXPECT_EQ(window.left, opener.left);
    EXPECT_EQ(window.top, opener.top);
    EXPECT_EQ(kOpenerColour, CaptureClient(button).at(3, 3));
    EXPECT_EQ(nullptr, GetDlgItem(Selector(kItemCount, 0, false), kPopupMenuOpenerId));
}

struct SelectorCase {
    int itemCount, start;
    UINT message;
    WPARAM wParam;
    int after;                // selection afterwards
    bool draws;               // drawn at once (else left as it was)
    std::vector<WORD> codes;  // notified
};

class SelectorTest : public ClassesTest, public ::testing::WithParamInterface<SelectorCase> {};

TEST_P(SelectorTest, StepsSetsAndChoosesAsItsParentSeesIt) {
    const SelectorCase& c = GetParam();
    HWND selector = Selector(c.itemCount, c.start, false);
    CoverClient(selector, RGB(0, 0, 0));
    MenuVisit none;  // no case opens the menu
    MenuWatch watch(&none);
    EXPECT_EQ(0, SendMessageA(selector, c.message, c.wParam, Point(50, 5)));
    EXPECT_EQ(c.after, Selection(selector));
    EXPECT_NE(selector, GetCapture());
    const PixelImage expected =
        c.draws ? SelectorFace(ItemText(c.after, c.itemCount)) : SolidImage(kFaceWidth, kFaceHeight, 0);
    EXPECT_EQ("", FirstDifference(FaceOf(selector), expected));
    EXPECT_EQ(c.codes, Codes(selector));
    EXPECT_EQ(0, none.calls) << "a menu opened";
}

constexpr WPARAM Command(int id, int code) { return MAKEWPARAM(id, code); }

INSTANTIATE_TEST_SUITE_P(Messages, SelectorTest,
                         ::testing::Values(
                             // A left release steps and wraps; the press is the default's.
                             SelectorCase{3, 2, kLU, 0, 0, true, {1}}, SelectorCase{3, 0, kLU, 0, 1, true, {1}},
                             SelectorCase{1, 0, kLU, 0, 0, true, {1}}, SelectorCase{0, 0, kLU, 0, 0, true, {1}},
                             SelectorCase{3, 7, kLU, 0, 0, true, {1}}, SelectorCase{3, -5, kLU, 0, -4, true, {1}},
                             SelectorCase{3, INT_MAX, kLU, 0, 0, true, {1}},
                             SelectorCase{3, 1, kLD, MK_LBUTTON, 1, false, {}},
                             SelectorCase{5, 1, kRU, 0, 1, false, {2}},
                             // SBM_SETPOS takes any value and tells nobody.
                             SelectorCase{5, 0, SBM_SETPOS, 3, 3, true, {}},
                             SelectorCase{5, 0, SBM_SETPOS, 9, 9, true, {}},
                             SelectorCase{5, 0, SBM_SETPOS, static_cast<WPARAM>(-1), -1, true, {}},
                             // Menu choices (any code but 1 and 2) and the children's reports.
                             SelectorCase{5, 1, WM_COMMAND, Command(5005, 0), 4, true, {1}},
                             SelectorCase{5, 1, WM_COMMAND, Command(5003, 7), 2, true, {1}},
                             SelectorCase{5, 1, WM_COMMAND, Command(4000, 0), -1001, true, {1}},
                             SelectorCase{5, 1, WM_COMMAND, Command(1234, 2), 1, false, {2}},
                             SelectorCase{5, 1, WM_COMMAND, Command(1234, 1), 1, false, {}}));

TEST_F(ClassesTest, TheOpenerShowsTheMenuWithTheSelectionCheckedAndReportsRightClicks) {
    HWND selector = Selector(kItemCount, 2);
    MenuVisit seen;  // closed without a choice
    ASSERT_TRUE(OpenThroughTheOpener(selector, &seen));
    EXPECT_EQ((std::vector<bool>{false, false, true, false, false}), seen.checked);
    EXPECT_EQ(kMenuCorner.x, seen.where.left) << "the menu's corner at the pointer";
    EXPECT_EQ(kMenuCorner.y, seen.where.top);
    for (int i = 0; i < kItemCount; ++i) {
        EXPECT_EQ(0u, GetMenuState(seen.menu, i, MF_BYPOSITION) & MF_CHECKED) << i;
        EXPECT_EQ(static_cast<UINT>(5001 + i), GetMenuItemID(seen.menu, i));
    }
    EXPECT_EQ(2, Selection(selector));

    HWND opener = GetDlgItem(selector, kPopupMenuOpenerId);
    MenuVisit none;  // a right click opens no menu
    {
        MenuWatch watch(&none);
        SendMessageA(opener, WM_RBUTTONDOWN, MK_RBUTTON, Point(5, 5));
        SendMessageA(opener, WM_RBUTTONUP, 0, Point(5, 5));
        // Nothing for the menu closed without a choice, code 2 for the right click.
        EXPECT_EQ(std::vector<WORD>{2}, Codes(selector));
    }
    EXPECT_EQ(0, none.calls) << "the right click opened the menu";

    ASSERT_TRUE(IsMenu(seen.menu));
    DestroyWindow(selector);
    EXPECT_FALSE(IsMenu(seen.menu)) << "the menu goes with its selector";
}

TEST_F(ClassesTest, AnItemChosenFromTheMenuIsSelectedAndNotified) {
    // The menu is tracked for both mouse buttons: a right click picks too.
    for (bool rightButton : {false, true}) {
        SCOPED_TRACE(rightButton ? "right button" : "keys");
        HWND selector = Selector(kItemCount, 1);
        MenuVisit seen;
        seen.chosen = rightButton ? 4 : 3;
        seen.rightButton = rightButton;
        ASSERT_TRUE(OpenThroughTheOpener(selector, &seen));
        ASSERT_TRUE(PumpUntil([&] { return !recorder().notifications().empty(); }));
        EXPECT_EQ((std::vector<bool>{false, true, false, false, false}), seen.checked);
        EXPECT_EQ(seen.chosen, Selection(selector));
        EXPECT_EQ("", FirstDifference(FaceOf(selector), SelectorFace(kItems[seen.chosen])));
        EXPECT_EQ(std::vector<WORD>{1}, Codes(selector));
        for (int i = 0; i < kItemCount; ++i) {
            EXPECT_EQ(0u, GetMenuState(seen.menu, i, MF_BYPOSITION) & MF_CHECKED) << i;
        }
        DestroyWindow(selector);
        recorder().clear();
    }
}

TEST_F(ClassesTest, CreatorsRefuseWhatTheyCannotMake) {
    const PopupMenuSelectorArgs negative = {face_, kItems, -1, 0, nullptr, nullptr};
    const PopupMenuSelectorArgs noTexts = {face_, nullptr, 3, 0, nullptr, nullptr};
    const PopupMenuSelectorArgs good = {face_, kItems, kItemCount, 0, opener_, pressed_};
    EXPECT_EQ(nullptr, CreatePopupMenuSelector(instance(), parent(), kId, 0, 0, negative));
    EXPECT_EQ(nullptr, CreatePopupMenuSelector(instance(), parent(), kId, 0, 0, noTexts));
    for (int cells : {33, -1, INT_MAX, INT_MIN}) {
        EXPECT_EQ(nullptr, CreateBitmapText(instance(), parent(), kId, 0, 0, strip_, cells, "", "A")) << cells;
    }
    EXPECT_EQ(nullptr, GetWindow(parent(), GW_CHILD)) << "nothing refused makes a window";
    for (int cells : {0, 32}) {
        HWND display = Cells(cells, "A");
        RECT window;
        GetWindowRect(display, &window);
        EXPECT_EQ(cells * 6, window.right - window.left);
        EXPECT_EQ(7, window.bottom - window.top);
    }

    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance(), nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(nullptr, CreatePushButton(instance(), gone, kId, 0, 0, released_, pressed_));
    EXPECT_EQ(nullptr, CreatePopupMenuSelector(instance(), gone, kId, 0, 0, good));
    EXPECT_EQ(nullptr, CreateSmallText(instance(), gone, kId, 0, 0, 10, 10, "", kInk, kPaper));
    EXPECT_EQ(nullptr, CreateBitmapText(instance(), gone, kId, 0, 0, strip_, 3, "", ""));
}

// ---- Small text -----------------------------------------------------------

struct LabelCase {
    const char* name;
    int width, height;
    const char* text;
    int centre;
};

void PrintTo(const LabelCase& c, std::ostream* out) { *out << c.name; }

class SmallTextTest : public ClassesTest, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(SmallTextTest, ShowsTheNewTextAtTheNextPaintAndKeepsItsTitle) {
    const LabelCase& c = GetParam();
    HWND label = SmallText(c.width, c.height, "title");
    EXPECT_EQ("", FirstDifference(CaptureClient(label), Label(c.width, c.height, "title", c.centre)));
    ASSERT_NE(Label(c.width, c.height, "title", c.centre), Label(c.width, c.height, "title", c.centre + 1));

    SetText(label, c.text);
    RECT pending;
    EXPECT_TRUE(GetUpdateRect(label, &pending, FALSE)) << "drawn at the next paint, not at once";
    PumpMessages();
    EXPECT_EQ("", FirstDifference(CaptureClient(label), Label(c.width, c.height, c.text, c.centre)));
    EXPECT_EQ("title", Title(label));
}

INSTANTIATE_TEST_SUITE_P(
    Labels, SmallTextTest,
    ::testing::Values(LabelCase{"OddWidth", 75, 20, "Hi", 37}, LabelCase{"EvenWidth", 76, 20, "Hi", 38},
                      LabelCase{"WiderThanTheLabel", 40, 20, "A text much wider than the label", 20},
                      LabelCase{"LowerThanTheFont", 75, 8, "Low", 37}, LabelCase{"Empty", 75, 20, "", 37}),
    [](const ::testing::TestParamInfo<LabelCase>& info) { return std::string(info.param.name); });

TEST_F(ClassesTest, ASmallTextCutsLongTextsTo63AndShowsNullAsEmpty) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += static_cast<char>('A' + i % 26);
    const int width = 640;
    const PixelImage cut = Label(width, 20, text.substr(0, 63), width / 2);
    ASSERT_NE(cut, Label(width, 20, text.substr(0, 64), width / 2));

    HWND titled = SmallText(width, 20, text.c_str());
    EXPECT_EQ(text, Title(titled)) << "the title is the window system's, whole";
    EXPECT_EQ("", FirstDifference(CaptureClient(titled), cut));
    SetText(titled, nullptr);
    PumpMessages();
    EXPECT_EQ(SolidImage(width, 20, kPaper), CaptureClient(titled));
    SetText(titled, text.c_str());
    PumpMessages();
    EXPECT_EQ("", FirstDifference(CaptureClient(titled), cut));
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
}

// ---- Bitmap text ------------------------------------------------------------

struct CellsCase {
    const char* name;
    const char* text;
    std::vector<int> cells;  // one per cell drawn
};

void PrintTo(const CellsCase& c, std::ostream* out) { *out << c.name; }

class BitmapTextTest : public ClassesTest, public ::testing::WithParamInterface<CellsCase> {};

TEST_P(BitmapTextTest, ShowsOneGlyphPerCellFirstAndAtOnceAfterASetText) {
    const CellsCase& c = GetParam();
    HWND display = Cells(static_cast<int>(c.cells.size()), c.text);
    EXPECT_EQ("", FirstDifference(CaptureClient(display), ExpectedCells(c.cells)));
    SetText(display, "");
    CoverClient(display, RGB(0, 0, 0));
    SetText(display, c.text);  // nothing pumped: drawn at once
    EXPECT_EQ("", FirstDifference(CaptureClient(display), ExpectedCells(c.cells)));
}

std::vector<int> FortyCut() {
    std::vector<int> cells;
    for (int i = 0; i < 30; ++i) cells.push_back(i);  // A to Z, then 0 to 3
    cells.insert(cells.end(), {38, 38});
    return cells;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BitmapTextTest,
    ::testing::Values(CellsCase{"LowerCaseRaised", "ab1", {0, 1, 27}}, CellsCase{"FullStop", "A.B", {0, 36, 1}},
                      CellsCase{"Hyphen", "A-B", {0, 38, 1}}, CellsCase{"Space", "A B", {0, 38, 1}},
                      CellsCase{"PastTheTerminator", "HI", {7, 8, 38, 38, 38}},
                      CellsCase{"OtherPrintables", "z9_~@/", {25, 35, 36, 36, 36, 36}},
                      CellsCase{"HighBytes", "\xE9\x80!,", {38, 38, 38, 38}},
                      CellsCase{"FortyKeepThirty", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD", FortyCut()},
                      CellsCase{"Empty", "", std::vector<int>(32, 38)}),
    [](const ::testing::TestParamInfo<CellsCase>& info) { return std::string(info.param.name); });

TEST_F(ClassesTest, ABitmapTextKeepsItsTitleAndDrawsOnlyItsCells) {
    HWND display = Cells(8, "ABCDEFGH", "the title");
    SetText(display, "xy");  // nothing left of the longer text
    EXPECT_EQ("", FirstDifference(CaptureClient(display), ExpectedCells({23, 24, 38, 38, 38, 38, 38, 38})));
    SetText(display, nullptr);
    EXPECT_EQ("", FirstDifference(CaptureClient(display), ExpectedCells(std::vector<int>(8, 38))));
    EXPECT_EQ("the title", Title(display));

    SetWindowPos(display, nullptr, 0, 0, 60, 12, SWP_NOMOVE | SWP_NOZORDER);
    CoverClient(display, RGB(0, 0, 0));
    SetText(display, "a.1");
    const PixelImage shown = CaptureClient(display);
    EXPECT_EQ("", FirstDifference(Crop(shown, 0, 0, 48, 7), ExpectedCells({0, 36, 27, 38, 38, 38, 38, 38})));
    EXPECT_EQ(SolidImage(12, 12, 0), Crop(shown, 48, 0, 12, 12));
    EXPECT_EQ(SolidImage(60, 5, 0), Crop(shown, 0, 7, 60, 5));
}

TEST_F(ClassesTest, ZeroCellsOrNoStripDrawNothing) {
    HWND none = Cells(0, "AB");
    HWND noStrip = Ready(CreateBitmapText(instance(), parent(), kId, 30, 320, nullptr, 3, "", "AB"));
    for (HWND display : {none, noStrip}) {
        SetWindowPos(display, nullptr, 0, 0, 18, 7, SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages();
        CoverClient(display, RGB(0, 0, 0));
        SetText(display, "CD");
        InvalidateRect(display, nullptr, TRUE);
        UpdateWindow(display);
        EXPECT_EQ(SolidImage(18, 7, 0), CaptureClient(display));
    }
}

// ---- Shared answers ------------------------------------------------------

TEST_F(ClassesTest, DialogCodesErasingAndTheTextControlsIgnoringInput) {
    HWND button = Button(), selector = Selector(kItemCount, 0), label = SmallText(75, 20, "Hi");
    HWND display = Cells(4, "ab12");
    EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(button, WM_GETDLGCODE, 0, 0));
    EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(selector, WM_GETDLGCODE, 0, 0));
    EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(display, WM_GETDLGCODE, 0, 0));
    EXPECT_EQ(DefWindowProcA(label, WM_GETDLGCODE, 0, 0), SendMessageA(label, WM_GETDLGCODE, 0, 0));
    EXPECT_NE(DLGC_WANTALLKEYS, SendMessageA(label, WM_GETDLGCODE, 0, 0));
    for (HWND control : {button, selector, label, display}) {
        CoverClient(control, RGB(0, 0, 0));
        HDC dc = GetDC(control);
        EXPECT_EQ(0, SendMessageA(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
        ReleaseDC(control, dc);
        const PixelImage shown = CaptureClient(control);
        EXPECT_EQ(SolidImage(shown.width, shown.height, 0), shown) << "erasing draws nothing";
    }

    InvalidateRect(label, nullptr, TRUE);
    InvalidateRect(display, nullptr, TRUE);
    PumpMessages();
    const PixelImage labelBefore = CaptureClient(label);
    EXPECT_EQ("", FirstDifference(CaptureClient(display), ExpectedCells({0, 1, 27, 28})));
    const struct {
        UINT message;
        WPARAM wParam;
    } inputs[] = {{kLD, MK_LBUTTON},   {kLU, 0},
                  {kRD, MK_RBUTTON},   {kRU, 0},
                  {kMove, MK_LBUTTON}, {WM_LBUTTONDBLCLK, 0},
                  {WM_KEYDOWN, 'A'},   {WM_CHAR, 'a'},
                  {WM_KEYUP, 'A'},     {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA)}};
    for (HWND control : {label, display}) {
        for (const auto& input : inputs) SendMessageA(control, input.message, input.wParam, Point(2, 2));
    }
    PumpMessages();
    EXPECT_TRUE(recorder().notifications().empty());
    EXPECT_EQ(labelBefore, CaptureClient(label));
    EXPECT_EQ("", FirstDifference(CaptureClient(display), ExpectedCells({0, 1, 27, 28})));
}

}  // namespace
}  // namespace wintest
