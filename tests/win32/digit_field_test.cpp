// The digit entry field: counting with clicks and the wheel, the wrap, the
// values set from outside, the digits on screen and the focus on hover.
#include "controls/digit_field.h"

#include <cstdio>
#include <string>

#include "support/gui_object_counts.h"
#include "support/pixel_checks.h"
#include "support/toolkit_fixture.h"

namespace wintest {
namespace {

constexpr int kFieldId = 0x3007;
constexpr int kWidth = 50;
constexpr int kHeight = 44;
constexpr COLORREF kGreen = 0x0000FF00;
constexpr COLORREF kBlack = 0;

// The digits as the field should show them, drawn here independently: bold
// Arial as tall as the field, centred at the top, on the back colour.
PixelImage ExpectedDigits(const char* text, COLORREF textColour = kGreen, COLORREF backColour = kBlack) {
    return Render(kWidth, kHeight, [&](HDC dc) {
        RECT box = {0, 0, kWidth, kHeight};
        HBRUSH back = CreateSolidBrush(backColour);
        FillRect(dc, &box, back);
        DeleteObject(back);
        HFONT font = CreateFontA(kHeight, 0, 0, 0, 700, FALSE, FALSE, FALSE, 0, 0, 0, 4, 0x10, "Arial");
        HGDIOBJ previous = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColour);
        DrawTextA(dc, text, -1, &box, DT_CENTER);
        SelectObject(dc, previous);
        DeleteObject(font);
    });
}

class DigitFieldTest : public ToolkitTest {
protected:
    HWND MakeField(int maximum, int minimum = 0, int x = 30, int y = 40) {
        HWND field =
            CreateDigitField(instance(), parent(), kFieldId, x, y, {kWidth, kHeight, kGreen, kBlack, maximum, minimum});
        EXPECT_NE(nullptr, field);
        PumpMessages();
        return field;
    }
    static LRESULT Value(HWND field) { return SendMessageA(field, SBM_GETPOS, 0, 0); }
    static void SetValue(HWND field, int value) { SendMessageA(field, SBM_SETPOS, static_cast<WPARAM>(value), 0); }
    static void Wheel(HWND field, short delta) {
        SendMessageA(field, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(100, 100));
    }
    // What the field shows once its pending paint has been done.
    static std::string ShowsOtherThan(HWND field, const char* text) {
        PumpMessages();
        return FirstDifference(CaptureClient(field), ExpectedDigits(text));
    }
};

TEST_F(DigitFieldTest, StartsAtZeroShowingTwoDigits) {
    HWND field = MakeField(99);
    EXPECT_EQ(0, Value(field));
    EXPECT_TRUE(IsWindowVisible(field));
    EXPECT_EQ(kFieldId, GetDlgCtrlID(field));
    EXPECT_EQ("", ShowsOtherThan(field, "00"));
    // The reference drawing tells values apart.
    ASSERT_FALSE(ExpectedDigits("00") == ExpectedDigits("30"));
    ASSERT_FALSE(ExpectedDigits("00") == ExpectedDigits("0"));
}

TEST_F(DigitFieldTest, ALeftClickAtTheMaximumWrapsToZeroAndNotifies) {
    HWND field = MakeField(99);
    SetValue(field, 99);
    EXPECT_EQ("", ShowsOtherThan(field, "99"));
    recorder().clear();

    SendMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(0, Value(field));
    EXPECT_EQ("", ShowsOtherThan(field, "00"));
    ASSERT_EQ(1u, recorder().notifications().size());
    const RecordedNotification& note = recorder().notifications()[0];
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), note.message);
    EXPECT_EQ(MAKEWPARAM(kFieldId, 1), note.wParam);
    EXPECT_EQ(HandleLowWord(field), note.lParam);
    EXPECT_TRUE(note.posted);

    SendMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(1, Value(field));
    EXPECT_EQ("", ShowsOtherThan(field, "01"));
}

TEST_F(DigitFieldTest, ARightClickResetsToTheMinimumAndAlwaysNotifies) {
    HWND field = MakeField(59, 5);
    for (int start : {42, 5}) {  // also when it already is the minimum
        SetValue(field, start);
        PumpMessages();
        recorder().clear();
        SendMessageA(field, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        EXPECT_EQ(5, Value(field));
        EXPECT_EQ("", ShowsOtherThan(field, "05"));
        ASSERT_EQ(1u, recorder().notifications().size()) << "from " << start;
        EXPECT_EQ(static_cast<UINT>(WM_COMMAND), recorder().notifications()[0].message);
        EXPECT_EQ(MAKEWPARAM(kFieldId, 1), recorder().notifications()[0].wParam);
    }
}

TEST_F(DigitFieldTest, TheWheelCountsBothWaysAndReportsTheValueWithVScroll) {
    HWND field = MakeField(30);

    Wheel(field, -WHEEL_DELTA);  // toward the user, at 0
    EXPECT_EQ(30, Value(field));
    EXPECT_EQ("", ShowsOtherThan(field, "30"));
    ASSERT_EQ(1u, recorder().notifications().size());
    RecordedNotification note = recorder().notifications()[0];
    EXPECT_EQ(static_cast<UINT>(WM_VSCROLL), note.message);
    EXPECT_EQ(static_cast<WPARAM>(0x001E0004), note.wParam);
    EXPECT_EQ(HandleLowWord(field), note.lParam);
    EXPECT_TRUE(note.posted);

    recorder().clear();
    Wheel(field, WHEEL_DELTA);  // away from the user, at 30
    EXPECT_EQ(0, Value(field));
    EXPECT_EQ("", ShowsOtherThan(field, "00"));
    ASSERT_EQ(1u, recorder().notifications().size());
    EXPECT_EQ(static_cast<WPARAM>(0x00000004), recorder().notifications()[0].wParam);

    recorder().clear();
    Wheel(field, 0);  // no movement counts down
    EXPECT_EQ(30, Value(field));
    Wheel(field, 2 * WHEEL_DELTA);  // one step whatever the size of the turn
    EXPECT_EQ(0, Value(field));
    Wheel(field, WHEEL_DELTA);
    EXPECT_EQ(1, Value(field));
    PumpMessages();
    EXPECT_EQ(3u, recorder().notifications().size());
}

struct SetPosCase {
    int maximum;
    int minimum;
    int requested;
    int expected;
    const char* shown;
};

class DigitFieldSetPosTest : public DigitFieldTest, public ::testing::WithParamInterface<SetPosCase> {};

TEST_P(DigitFieldSetPosTest, WrapsTheValueAndNeverNotifies) {
    const SetPosCase& c = GetParam();
    HWND field = MakeField(c.maximum, c.minimum);
    recorder().clear();
    EXPECT_EQ(0, SendMessageA(field, SBM_SETPOS, static_cast<WPARAM>(c.requested), 0));
    EXPECT_EQ(c.expected, Value(field));
    EXPECT_EQ("", ShowsOtherThan(field, c.shown));
    EXPECT_TRUE(recorder().notifications().empty());
}

INSTANTIATE_TEST_SUITE_P(Values, DigitFieldSetPosTest,
                         ::testing::Values(SetPosCase{59, 0, -1, 59, "59"},  // below: the maximum
                                           SetPosCase{59, 0, 60, 0, "00"},   // maximum + 1: the minimum
                                           SetPosCase{59, 0, 75, 0, "00"}, SetPosCase{30, 0, -1, 30, "30"},
                                           SetPosCase{30, 0, 31, 0, "00"}, SetPosCase{30, 3, 31, 3, "03"},
                                           SetPosCase{59, 0, 7, 7, "07"},
                                           SetPosCase{200, 0, 150, 150, "150"},  // every digit drawn
                                           SetPosCase{999, 0, 999, 999, "999"}));

TEST_F(DigitFieldTest, TakesTheFocusOnHoverOnlyWhileThePanelIsInFront) {
    HWND field = MakeField(59);
    HWND other = MakeField(59, 0, 200, 40);

    ASSERT_TRUE(SetForegroundWindow(parent()));
    PumpMessages();
    ASSERT_EQ(parent(), GetForegroundWindow());
    SetFocus(other);
    SendMessageA(field, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(field, GetFocus());

    // Another window in front: hovering leaves the focus where it is.
    HWND front = CreateWindowExA(0, "STATIC", "front", WS_POPUP | WS_VISIBLE, 800, 600, 40, 40, nullptr, nullptr,
                                 instance(), nullptr);
    ASSERT_NE(nullptr, front);
    SetForegroundWindow(front);
    PumpMessages();
    ASSERT_EQ(front, GetForegroundWindow());
    const HWND focusBefore = GetFocus();
    SendMessageA(other, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_NE(other, GetFocus());
    EXPECT_EQ(focusBefore, GetFocus());
    DestroyWindow(front);
    SetForegroundWindow(parent());
    PumpMessages();
}

TEST_F(DigitFieldTest, DrawsInItsOwnColours) {
    HWND field = CreateDigitField(instance(), parent(), kFieldId, 10, 120,
                                  {kWidth, kHeight, RGB(255, 255, 0), RGB(0, 0, 128), 99, 0});
    ASSERT_NE(nullptr, field);
    SetValue(field, 42);
    PumpMessages();
    EXPECT_EQ("", FirstDifference(CaptureClient(field), ExpectedDigits("42", RGB(255, 255, 0), RGB(0, 0, 128))));
}

TEST_F(DigitFieldTest, AnswersEraseWithOneAndKeysDoNothing) {
    HWND field = MakeField(99);
    HDC dc = GetDC(field);
    EXPECT_EQ(1, SendMessageA(field, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    ReleaseDC(field, dc);
    EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(field, WM_GETDLGCODE, 0, 0));
    SetValue(field, 12);
    for (WPARAM key : {WPARAM{VK_UP}, WPARAM{VK_DOWN}, WPARAM{VK_SPACE}, WPARAM{VK_RETURN}, WPARAM{0x35}}) {
        SendMessageA(field, WM_KEYDOWN, key, 0);
        SendMessageA(field, WM_CHAR, key, 0);
        SendMessageA(field, WM_KEYUP, key, 0);
    }
    EXPECT_EQ(12, Value(field));
    PumpMessages();
    EXPECT_TRUE(recorder().notifications().empty());
}

TEST_F(DigitFieldTest, ReleasesOnlyItsOwnFont) {
    const long before = CountGdiObjects().count;
    HFONT lent = CreateFontA(10, 0, 0, 0, 400, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, "Arial");
    ASSERT_NE(nullptr, lent);
    HWND field = MakeField(99);
    EXPECT_EQ(before + 2, CountGdiObjects().count) << "the lent font and the field's own";

    // A font handed in afterwards is only borrowed; the field's own font is
    // still released with it.
    SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(lent), 0);
    DestroyWindow(field);
    EXPECT_EQ(OBJ_FONT, static_cast<int>(GetObjectType(lent)));
    EXPECT_EQ(before + 1, CountGdiObjects().count);
    DeleteObject(lent);
    EXPECT_EQ(before, CountGdiObjects().count);
}

TEST_F(DigitFieldTest, CreationFailureReturnsNoWindow) {
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance(), nullptr);
    DestroyWindow(gone);
    const long before = CountGdiObjects().count;
    EXPECT_EQ(nullptr, CreateDigitField(instance(), gone, 1, 0, 0, {kWidth, kHeight, kGreen, kBlack, 99, 0}));
    EXPECT_EQ(before, CountGdiObjects().count) << "no font made for a field that does not exist";
}

}  // namespace
}  // namespace wintest
