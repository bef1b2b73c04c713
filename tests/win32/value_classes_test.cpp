// The vertical and horizontal sliders and the knob as their parent, their
// buddy and the screen see them. Geometry: a vertical slider with stops 100
// and 10, maximum 127, step 5, a 20 x 120 rail and a 14 x 10 thumb; a
// horizontal one with stops 5 and 100, maximum 127, a 112 x 14 rail and an
// 11 x 12 thumb; a 41 x 41 knob over 0..100, step 5, indicators of 6 x 4 and
// (focused) 8 x 5 over a background whose every pixel differs.
#include <cstdio>
#include <string>
#include <vector>

#include "controls/horizontal_slider.h"
#include "controls/knob.h"
#include "controls/vertical_slider.h"
#include "support/pixel_checks.h"
#include "support/toolkit_fixture.h"

namespace wintest {
namespace {

using Strings = std::vector<std::string>;

enum class Kind { kVertical, kHorizontal, kKnob };
constexpr int kId = 0x2345;
constexpr COLORREF kRail = RGB(0x30, 0x30, 0x30);
constexpr COLORREF kThumb = RGB(0xE0, 0x20, 0x20);
constexpr COLORREF kFocused = RGB(0x20, 0xE0, 0x20);
constexpr COLORREF kSentinel = RGB(0xFF, 0x00, 0xFF);
constexpr int kNoPicture = -1000;

COLORREF PatternColour(int x, int y) { return RGB((x * 3) & 0xFF, (y * 3) & 0xFF, 0x80); }

void DrawPattern(HDC dc, int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixel(dc, x, y, PatternColour(x, y));
}

HBITMAP PatternBitmap(int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    DrawPattern(memory, width, height);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// `box` of `image` (cut to it) filled in `colour`.
PixelImage Fill(PixelImage image, RECT box, COLORREF colour) {
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (x >= 0 && y >= 0 && x < image.width && y < image.height) image.pixels[y * image.width + x] = colour;
    return image;
}

// A window that takes SBM_SETPOS and keeps every value that reaches it by
// being sent: a posted one would wait in the queue, which no check pumps.
std::vector<int> buddyValues;
LRESULT CALLBACK BuddyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SBM_SETPOS) {
        buddyValues.push_back(static_cast<int>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A parent that draws a pattern on screen and for WM_PRINTCLIENT.
LRESULT CALLBACK PatternProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        DrawPattern(dc, 80, 70);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_PRINTCLIENT: DrawPattern(reinterpret_cast<HDC>(wParam), 80, 70); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

struct Step {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
Step At(UINT message, WPARAM wParam, int x, int y) { return {message, wParam, MAKELPARAM(x, y)}; }
Step Press(int x, int y) { return At(WM_LBUTTONDOWN, MK_LBUTTON, x, y); }
Step Drag(int x, int y) { return At(WM_MOUSEMOVE, MK_LBUTTON, x, y); }
Step Up(int x = 1, int y = 1) { return At(WM_LBUTTONUP, 0, x, y); }
Step Key(WPARAM key) { return {WM_KEYDOWN, key, 1}; }
Step Wheel(int delta) { return {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0}; }
Step SetPos(int value) { return {SBM_SETPOS, static_cast<WPARAM>(value), 0}; }

class ValueClassesTest : public ToolkitTest {
protected:
    static void SetUpTestSuite() {
        ToolkitTest::SetUpTestSuite();
        WNDCLASSA buddy = {};
        buddy.lpfnWndProc = BuddyProcedure;
        buddy.hInstance = instance();
        buddy.lpszClassName = "ValueBuddy";
        RegisterClassA(&buddy);
        WNDCLASSA pattern = buddy;
        pattern.lpfnWndProc = PatternProcedure;
        pattern.lpszClassName = "PatternParent";
        RegisterClassA(&pattern);
    }

    void SetUp() override {
        ToolkitTest::SetUp();
        rail_ = SolidBitmap(20, 120, kRail);
        hrail_ = SolidBitmap(112, 14, kRail);
        thumb_ = SolidBitmap(14, 10, kThumb);
        focusedThumb_ = SolidBitmap(14, 10, kFocused);
        hthumb_ = SolidBitmap(11, 12, kThumb);
        hfocusedThumb_ = SolidBitmap(11, 12, kFocused);
        indicator_ = SolidBitmap(6, 4, kThumb);
        focusedIndicator_ = SolidBitmap(8, 5, kFocused);
        buddy_ = CreateWindowExA(0, "ValueBuddy", "", WS_CHILD, 0, 0, 1, 1, parent(), nullptr, instance(), nullptr);
        ASSERT_NE(nullptr, buddy_);
        buddyValues.clear();
    }

    void TearDown() override {
        ToolkitTest::TearDown();
        for (HBITMAP bitmap :
             {rail_, hrail_, thumb_, focusedThumb_, hthumb_, hfocusedThumb_, indicator_, focusedIndicator_})
            DeleteObject(bitmap);
    }

    HWND Make(Kind kind, int value, int maxValue = 127, bool painted = true) {
        HWND control = nullptr;
        if (kind == Kind::kVertical) {
            control = CreateVerticalSlider(instance(), parent(), kId, 20, 20,
                                           {100, 10, maxValue, value, 5, rail_, thumb_, focusedThumb_, buddy_});
        } else if (kind == Kind::kHorizontal) {
            control = CreateHorizontalSlider(instance(), parent(), kId, 60, 20,
                                             {5, 100, maxValue, value, hrail_, hthumb_, hfocusedThumb_});
        } else {
            control = CreateKnob(instance(), parent(), kId, 200, 20,
                                 {41, 41, 0, maxValue, value, 5, indicator_, focusedIndicator_, PatternBitmap(41, 41)});
        }
        EXPECT_NE(nullptr, control);
        if (painted) PumpMessages();
        return control;
    }

    // What `control` has posted to the parent, in order, taken from the queue
    // itself: "V5:88" is WM_VSCROLL code 5 with 88 in the high word, "H" is
    // WM_HSCROLL, "C2" WM_COMMAND code 2 with the control's id, "D0"
    // WM_LBUTTONDBLCLK with wParam 0.
    static Strings Reports(HWND control) {
        Strings reports;
        MSG msg;
        while (PeekMessageA(&msg, parent(), 0, 0, PM_REMOVE)) {
            char text[64];
            const unsigned low = LOWORD(msg.wParam), high = HIWORD(msg.wParam);
            switch (msg.message) {
            case WM_VSCROLL: std::snprintf(text, sizeof text, "V%u:%u", low, high); break;
            case WM_HSCROLL: std::snprintf(text, sizeof text, "H%u:%u", low, high); break;
            case WM_COMMAND: std::snprintf(text, sizeof text, "C%u", low == kId ? high : 0xBAD); break;
            case WM_LBUTTONDBLCLK: std::snprintf(text, sizeof text, "D%u", static_cast<unsigned>(msg.wParam)); break;
            default: DispatchMessageA(&msg); continue;
            }
            reports.push_back(msg.lParam == HandleLowWord(control) ? text : std::string(text) + " lParam!");
        }
        return reports;
    }

    // The slider's picture with its thumb at `at` (a vertical slider's top,
    // a horizontal one's left edge).
    static PixelImage SliderPicture(Kind kind, int at, COLORREF face) {
        if (kind == Kind::kVertical) return Fill(SolidImage(20, 120, kRail), {3, at, 17, at + 10}, face);
        return Fill(SolidImage(112, 14, kRail), {at, 1, at + 11, 13}, face);
    }

    // The knob after one drawing over a face painted in the sentinel colour:
    // the focused indicator's patch put back around `patch` (8 x 5, half the
    // width above the centre), then an indicator of `size` around `centre`.
    static PixelImage KnobPicture(POINT patch, POINT centre, SIZE size, COLORREF face) {
        PixelImage image = SolidImage(41, 41, kSentinel);
        for (int y = patch.y - 4; y < patch.y + 1; ++y)
            for (int x = patch.x - 4; x < patch.x + 4; ++x) image.pixels[y * 41 + x] = PatternColour(x, y);
        const int left = centre.x - size.cx / 2, top = centre.y - size.cx / 2;
        return Fill(image, {left, top, left + size.cx, top + size.cy}, face);
    }

    HBITMAP rail_ = nullptr, hrail_ = nullptr, thumb_ = nullptr, focusedThumb_ = nullptr, hthumb_ = nullptr,
            hfocusedThumb_ = nullptr, indicator_ = nullptr, focusedIndicator_ = nullptr;
    HWND buddy_ = nullptr;
};

// ---- What gestures, keys, the wheel and the owner's messages do -----------

struct Gesture {
    const char* name;
    Kind kind;
    int maxValue;
    int start;
    std::vector<Step> steps;
    int value;               // SBM_GETPOS afterwards
    Strings reports;         // posted to the parent, in order
    std::vector<int> buddy;  // sent to the vertical slider's buddy
    int thumb;               // where the thumb is drawn, or kNoPicture
    bool captured;           // the control holds the mouse afterwards
};
void PrintTo(const Gesture& gesture, std::ostream* out) { *out << gesture.name; }

class GestureTest : public ValueClassesTest, public ::testing::WithParamInterface<Gesture> {};

TEST_P(GestureTest, SetsReportsAndDraws) {
    const Gesture& g = GetParam();
    HWND control = Make(g.kind, g.start, g.maxValue);
    Reports(control);
    for (const Step& step : g.steps) SendMessageA(control, step.message, step.wParam, step.lParam);
    EXPECT_EQ(g.buddy, buddyValues);
    EXPECT_EQ(g.reports, Reports(control));
    EXPECT_EQ(g.value, SendMessageA(control, SBM_GETPOS, 0, 0));
    EXPECT_EQ(g.captured, GetCapture() == control);
    EXPECT_NE(control, GetFocus()) << "only a hover takes the focus";
    if (g.thumb != kNoPicture) {
        EXPECT_EQ("", FirstDifference(CaptureClient(control), SliderPicture(g.kind, g.thumb, kThumb)));
    }
    ReleaseCapture();
}

const Kind V = Kind::kVertical, H = Kind::kHorizontal, K = Kind::kKnob;
const int kAway = WHEEL_DELTA, kToward = -WHEEL_DELTA;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Vertical, GestureTest,
    ::testing::Values(
        Gesture{"press_mid", V, 127, 0, {Press(5, 50)}, 63, {}, {}, 46, true},
        Gesture{"press_top", V, 127, 0, {Press(5, 0)}, 114, {}, {}, 6, true},
        Gesture{"press_below", V, 127, 60, {Press(5, 104)}, 0, {}, {}, 95, true},
        Gesture{"drag_in_out_release", V, 127, 0, {Press(5, 50), Drag(5, 30), Drag(5, 130), Drag(-5, 30), Up(5, 60)},
                88, {"V5:88", "V4:88"}, {88, 88, 88, 88}, 26, false},
        Gesture{"shift_move", V, 127, 0, {At(WM_MOUSEMOVE, MK_SHIFT, 5, 50)}, 63, {"V5:63"}, {63}, 46, false},
        Gesture{"double_click", V, 127, 0, {Press(5, 50), Up(), At(WM_LBUTTONDBLCLK, MK_LBUTTON, 5, 20), Up()},
                63, {"V4:63", "D0", "V4:63"}, {63, 63}, 46, false},
        Gesture{"up_to_max", V, 127, 125, {Key(VK_UP)}, 127, {"V4:127"}, {127}, 0, false},
        Gesture{"down_to_zero", V, 127, 2, {Key(VK_DOWN)}, 0, {"V4:0"}, {0}, 95, false},
        Gesture{"home_reports", V, 127, 60, {Key(VK_HOME)}, 60, {"V4:60"}, {60}, kNoPicture, false},
        Gesture{"wheel", V, 127, 60, {Wheel(kAway), Wheel(0), Wheel(kToward), Wheel(-3 * WHEEL_DELTA)}, 50,
                {"V4:65", "V4:60", "V4:55", "V4:50"}, {65, 60, 55, 50}, kNoPicture, false},
        Gesture{"set_pos", V, 127, 0, {SetPos(63)}, 63, {}, {63}, 46, false},
        Gesture{"set_pos_high", V, 127, 0, {SetPos(500)}, 500, {}, {500}, 0, false},
        Gesture{"set_pos_negative", V, 127, 0, {SetPos(-20)}, -20, {}, {-20}, 110, false},
        Gesture{"above_16_bits", V, 100000000, 0, {Press(5, 10), Up()}, 90000000, {"V4:19072"}, {90000000},
                kNoPicture, false}),
    [](const ::testing::TestParamInfo<Gesture>& info) { return std::string(info.param.name); });
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Horizontal, GestureTest,
    ::testing::Values(
        Gesture{"press_mid", H, 127, 0, {Press(50, 5)}, 63, {}, {}, 44, true},
        Gesture{"press_left", H, 127, 60, {Press(0, 5)}, 6, {}, {}, 0, true},
        Gesture{"press_right", H, 127, 0, {Press(120, 5)}, 127, {}, {}, 95, true},
        Gesture{"drag_in_out_release", H, 127, 0, {Press(50, 5), Drag(20, 5), Drag(-5, 5), Drag(30, 20), Up()}, 25,
                {"H4:25", "H4:25"}, {}, 14, false},
        Gesture{"control_move", H, 127, 0, {At(WM_MOUSEMOVE, MK_CONTROL, 50, 5)}, 63, {"H4:63"}, {}, 44, false},
        Gesture{"two_clicks", H, 127, 0, {Press(50, 5), Up(), Press(100, 5), Up()}, 127, {"H4:63", "H4:127"}, {},
                95, false},
        Gesture{"wheel", H, 127, 60, {Wheel(kAway), Wheel(kToward), Wheel(0)}, 52, {"H4:68", "H4:60", "H4:52"}, {},
                kNoPicture, false},
        Gesture{"wheel_step_zero", H, 10, 7, {Wheel(kAway)}, 7, {"H4:7"}, {}, kNoPicture, false},
        Gesture{"keys_ignored", H, 127, 60, {Key(VK_UP), Key(VK_DOWN)}, 60, {}, {}, kNoPicture, false},
        Gesture{"right_click", H, 127, 60, {At(WM_RBUTTONDOWN, MK_RBUTTON, 5, 5), At(WM_RBUTTONUP, 0, 5, 5)}, 60,
                {"C2"}, {}, kNoPicture, false},
        Gesture{"disable", H, 127, 90, {{WM_ENABLE, 0, 0}}, 0, {}, {}, 0, false},
        Gesture{"enable", H, 127, 50, {{WM_ENABLE, 1, 0}}, 50, {}, {}, kNoPicture, false},
        Gesture{"set_pos_far", H, 127, 0, {SetPos(500)}, 500, {}, {}, 95, false},
        Gesture{"set_pos_negative", H, 127, 63, {SetPos(-20)}, -20, {}, {}, 0, false},
        Gesture{"owner_fields", H, 127, 63,
                {{WM_USER, 77, 0}, {WM_USER + 1, 0, reinterpret_cast<LPARAM>("a label far too long")},
                 {WM_USER + 2, 0x00050006, reinterpret_cast<LPARAM>("12345678")}, {WM_USER + 1, 0, 0}},
                63, {}, {}, 44, false}),
    [](const ::testing::TestParamInfo<Gesture>& info) { return std::string(info.param.name); });
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Knob, GestureTest,
    ::testing::Values(
        Gesture{"press_above", K, 100, 0, {Press(20, 5)}, 50, {}, {}, kNoPicture, true},
        Gesture{"press_down_left", K, 100, 50, {Press(10, 30)}, 1, {}, {}, kNoPicture, true},
        Gesture{"drag_in_out_release", K, 100, 0, {Press(20, 5), Drag(35, 20), Drag(-5, 20), Up()}, 84,
                {"H5:84", "H4:84"}, {}, kNoPicture, false},
        Gesture{"right_button_move", K, 100, 0, {At(WM_MOUSEMOVE, MK_RBUTTON, 5, 20)}, 17, {"H5:17"}, {},
                kNoPicture, false},
        Gesture{"double_click", K, 100, 0, {Press(20, 5), Up(), At(WM_LBUTTONDBLCLK, MK_LBUTTON, 35, 20), Up()},
                50, {"H4:50", "D0", "H4:50"}, {}, kNoPicture, false},
        Gesture{"keys", K, 100, 98, {Key(VK_UP), Key(VK_HOME), Key(VK_DOWN)}, 95, {"H4:100", "H4:100", "H4:95"},
                {}, kNoPicture, false},
        Gesture{"wheel", K, 100, 50, {Wheel(kAway), Wheel(kToward), Wheel(0)}, 55, {"H4:45", "H4:50", "H4:55"}, {},
                kNoPicture, false},
        Gesture{"negative_posted_low_bits", K, 100, 0, {SetPos(-1), Up()}, -1, {"H4:65535"}, {}, kNoPicture, false},
        Gesture{"set_pos_far_then_key", K, 100, 0, {SetPos(500), Key(VK_HOME)}, 100, {"H4:100"}, {}, kNoPicture,
                false}),
    [](const ::testing::TestParamInfo<Gesture>& info) { return std::string(info.param.name); });
// clang-format on

// ---- Faces --------------------------------------------------------------------

TEST_F(ValueClassesTest, SlidersShowTheFocusedThumbWhileFocusedAndTakeTheFocusOnHover) {
    for (Kind kind : {V, H}) {
        HWND slider = Make(kind, 63);
        const int at = kind == V ? 46 : 44;
        SendMessageA(slider, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(slider, GetFocus());
        EXPECT_EQ("", FirstDifference(CaptureClient(slider), SliderPicture(kind, at, kFocused)));
        SetFocus(parent());
        EXPECT_EQ("", FirstDifference(CaptureClient(slider), SliderPicture(kind, at, kThumb)));
        CoverClient(slider, kSentinel);  // a paint request brings back the whole slider
        InvalidateRect(slider, nullptr, TRUE);
        UpdateWindow(slider);
        EXPECT_EQ("", FirstDifference(CaptureClient(slider), SliderPicture(kind, at, kThumb)));
    }
    EXPECT_TRUE(buddyValues.empty()) << "focus changes do not tell the buddy";
    EXPECT_TRUE(Reports(parent()).empty());
}

struct IndicatorCase {
    int value;
    POINT centre;
};

TEST_F(ValueClassesTest, KnobPutsBackOnlyThePatchUnderItsLastIndicator) {
    const POINT atFifty = {20, 13};
    const IndicatorCase cases[] = {{0, {15, 25}}, {25, {13, 17}}, {50, atFifty}, {75, {27, 17}}, {100, {25, 25}}};
    HWND first = Make(K, 75, 100, false);  // its first paint puts back the patch of its first value
    CoverClient(first, kSentinel);
    UpdateWindow(first);
    EXPECT_EQ("", FirstDifference(CaptureClient(first), KnobPicture({27, 17}, {27, 17}, {6, 4}, kThumb)));
    DestroyWindow(first);
    // One knob turned from 50 through every value: each move puts the dial
    // back where the move before it left its indicator, so no trail is left.
    HWND turned = Make(K, 50, 100);
    POINT last = atFifty;
    for (const IndicatorCase& c : cases) {
        CoverClient(turned, kSentinel);
        SendMessageA(turned, SBM_SETPOS, c.value, 0);
        EXPECT_EQ("", FirstDifference(CaptureClient(turned), KnobPicture(last, c.centre, {6, 4}, kThumb))) << c.value;
        last = c.centre;
    }
    DestroyWindow(turned);
    HWND knob = Make(K, 25, 100);
    CoverClient(knob, kSentinel);
    SetFocus(knob);
    EXPECT_EQ("", FirstDifference(CaptureClient(knob), KnobPicture({13, 17}, {13, 17}, {8, 5}, kFocused)));
    CoverClient(knob, kSentinel);
    InvalidateRect(knob, nullptr, TRUE);  // the paint request draws no more than a change does
    UpdateWindow(knob);
    EXPECT_EQ("", FirstDifference(CaptureClient(knob), KnobPicture({13, 17}, {13, 17}, {8, 5}, kFocused)));
    CoverClient(knob, kSentinel);
    SetFocus(parent());
    EXPECT_EQ("", FirstDifference(CaptureClient(knob), KnobPicture({13, 17}, {13, 17}, {6, 4}, kThumb)));
    EXPECT_TRUE(Reports(knob).empty());
}

TEST_F(ValueClassesTest, AnswersDialogCodeAndErasesNothing) {
    for (Kind kind : {V, H, K}) {
        HWND control = Make(kind, 0, 100);
        CoverClient(control, kSentinel);
        HDC dc = GetDC(control);
        EXPECT_EQ(0, SendMessageA(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
        ReleaseDC(control, dc);
        EXPECT_EQ(kSentinel, CaptureClient(control).at(0, 0));
        EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(control, WM_GETDLGCODE, 0, 0));
    }
}

// ---- Creation and ownership -----------------------------------------------

TEST_F(ValueClassesTest, CreationRefusesADivisorOfZeroOrBelow) {
    const struct {
        int stop;
        int maxValue;
    } refused[] = {{0, 127}, {-1, 127}, {100, 0}, {100, -5}};
    for (const auto& c : refused) {
        EXPECT_EQ(nullptr, CreateVerticalSlider(instance(), parent(), 1, 0, 0,
                                                {c.stop, 10, c.maxValue, 0, 5, rail_, thumb_, focusedThumb_, nullptr}));
        EXPECT_EQ(nullptr, CreateHorizontalSlider(instance(), parent(), 1, 0, 0,
                                                  {5, c.stop, c.maxValue, 0, hrail_, hthumb_, hfocusedThumb_}));
    }
    EXPECT_EQ(buddy_, GetWindow(parent(), GW_CHILD)) << "no window left behind";
    EXPECT_EQ(nullptr, GetWindow(buddy_, GW_HWNDNEXT));
}

TEST_F(ValueClassesTest, KnobOwnsItsBackgroundButNotItsIndicators) {
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance(), nullptr);
    DestroyWindow(gone);
    const struct {
        HWND parent;
        int minValue;
        int maxValue;
        bool made;
    } cases[] = {{parent(), 0, 100, true}, {parent(), 5, 5, false}, {parent(), 9, 3, false}, {gone, 0, 100, false}};
    for (const auto& c : cases) {
        HBITMAP background = PatternBitmap(41, 41);
        HWND knob = CreateKnob(instance(), c.parent, 1, 0, 0,
                               {41, 41, c.minValue, c.maxValue, 0, 5, indicator_, focusedIndicator_, background});
        EXPECT_EQ(c.made, knob != nullptr);
        EXPECT_EQ(c.made ? OBJ_BITMAP : 0, static_cast<int>(GetObjectType(background)));
        DestroyWindow(knob);
        EXPECT_EQ(0u, GetObjectType(background)) << "deleted with the knob";
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(indicator_));
    EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(focusedIndicator_));
}

TEST_F(ValueClassesTest, CaptureParentAreaIsWhatTheParentShowsThere) {
    HWND pattern = CreateWindowExA(0, "PatternParent", "", WS_CHILD | WS_VISIBLE, 300, 200, 80, 70, parent(), nullptr,
                                   instance(), nullptr);
    ASSERT_NE(nullptr, pattern);
    UpdateWindow(pattern);
    const struct {
        HWND parent;
        int x, y;
    } areas[] = {{pattern, 30, 17}, {pattern, 0, 0}, {parent(), 150, 300}};
    for (const auto& area : areas) {
        HBITMAP picture = CaptureParentArea(area.parent, area.x, area.y, 41, 41);
        ASSERT_NE(nullptr, picture);
        EXPECT_EQ(
            "", FirstDifference(ReadBitmap(picture, 41, 41), Crop(CaptureClient(area.parent), area.x, area.y, 41, 41)));
        DeleteObject(picture);
    }
    EXPECT_EQ(nullptr, CaptureParentArea(pattern, 0, 0, 0, 41));
}

}  // namespace
}  // namespace wintest
