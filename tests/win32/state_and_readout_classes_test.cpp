// The three-state button, the on/off switch, the bitmap list, the bitmap
// gauge and the digit display as a parent sees them: faces and readouts by
// pixel, notifications in the parent's queue against presses and releases,
// the state messages.
#include <climits>
#include <string>
#include <vector>

#include "controls/bitmap_gauge.h"
#include "controls/bitmap_list.h"
#include "controls/digit_display.h"
#include "controls/on_off_switch.h"
#include "controls/three_state_button.h"
#include "support/heap_in_use.h"
#include "support/pixel_checks.h"
#include "support/toolkit_fixture.h"

namespace wintest {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kColours[10] = {RGB(200, 30, 30), RGB(30, 200, 30), RGB(30, 30, 200), RGB(250, 250, 0),
                               RGB(0, 50, 50),   RGB(60, 0, 60),   RGB(70, 70, 70),  RGB(200, 80, 0),
                               RGB(0, 200, 90),  RGB(100, 0, 200)};

SIZE WindowSize(HWND control) {
    RECT window;
    GetWindowRect(control, &window);
    return SIZE{window.right - window.left, window.bottom - window.top};
}

WPARAM Wheel(short delta) { return MAKEWPARAM(0, static_cast<WORD>(delta)); }

// A quick double click as the system delivers it: press, release, then a
// second press that is a double click only for a class with the double-click
// style, and its release.
void DoubleClick(HWND control) {
    const bool doubleClicks = (GetClassLongA(control, GCL_STYLE) & CS_DBLCLKS) != 0;
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    SendMessageA(control, doubleClicks ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

class ReadoutTest : public ToolkitTest {
protected:
    void TearDown() override {
        ToolkitTest::TearDown();
        for (HBITMAP bitmap : owned_) DeleteObject(bitmap);
    }
    // Bitmaps of known pixels, deleted after the controls that show them.
    HBITMAP Solid(int width, int height, COLORREF colour) {
        owned_.push_back(SolidBitmap(width, height, colour));
        return owned_.back();
    }
    static void Repaint(HWND control) {
        CoverClient(control, kBlack);
        InvalidateRect(control, nullptr, FALSE);
        UpdateWindow(control);
    }
    // "" when the control shows `face` cut to its client area (black for none).
    static std::string Differs(HWND control, const SkinImage& face) {
        RECT client;
        GetClientRect(control, &client);
        return FirstDifference(CaptureClient(control), face ? ReadBitmap(face, client.right, client.bottom)
                                                            : SolidImage(client.right, client.bottom, kBlack));
    }
    // Every notification so far: `count` posted WM_COMMANDs with `wParam` and
    // the low 16 bits of the handle.
    static void ExpectCommands(HWND control, WPARAM wParam, size_t count) {
        ASSERT_EQ(count, recorder().notifications().size());
        for (const RecordedNotification& note : recorder().notifications()) {
            EXPECT_EQ(static_cast<UINT>(WM_COMMAND), note.message);
            EXPECT_EQ(wParam, note.wParam);
            EXPECT_EQ(HandleLowWord(control), note.lParam);
            EXPECT_TRUE(note.posted);
        }
    }

    std::vector<HBITMAP> owned_;
};

// ---- Three-state button ----------------------------------------------------

constexpr int kThreeStateId = 0x2301;

class ThreeStateTest : public ReadoutTest {
protected:
    // Face 0 is the smallest: the button takes its size and cuts the others.
    HWND Make(int first) {
        ThreeStateButtonArgs args = {{faces_[0] = Solid(30, 20, kColours[0]), faces_[1] = Solid(36, 24, kColours[1]),
                                      faces_[2] = Solid(36, 24, kColours[2])},
                                     first};
        HWND button = CreateThreeStateButton(instance(), parent(), kThreeStateId, 20, 20, args);
        EXPECT_NE(nullptr, button);
        PumpMessages();
        recorder().clear();
        return button;
    }
    static LRESULT State(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0); }
    static void Press(HWND button) { SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4)); }

    HBITMAP faces_[3] = {};
};

TEST_F(ThreeStateTest, StartsInItsFirstStateAtTheSizeOfFaceZero) {
    for (int first : {0, 1, 2}) {
        HWND button = Make(first);
        EXPECT_EQ(30, WindowSize(button).cx);
        EXPECT_EQ(20, WindowSize(button).cy);
        EXPECT_EQ(first, State(button));
        EXPECT_EQ("", Differs(button, faces_[first])) << first;
        DestroyWindow(button);
    }
}

TEST_F(ThreeStateTest, EachPressStepsTheRingDrawsAtOnceAndPostsBeforeTheRelease) {
    HWND button = Make(0);
    std::string faceAtNotification = "no notification";
    recorder().onNotification(
        [&](const RecordedNotification&) { faceAtNotification = Differs(button, faces_[State(button)]); });
    for (int expected : {1, 2, 0}) {
        SCOPED_TRACE(expected);
        Press(button);
        EXPECT_EQ(expected, State(button));
        EXPECT_EQ("", Differs(button, faces_[expected]));
        EXPECT_TRUE(recorder().notifications().empty()) << "posted, not sent";
        EXPECT_EQ(button, GetCapture());
        EXPECT_EQ(button, GetFocus());
        PumpMessages();
        ExpectCommands(button, MAKEWPARAM(kThreeStateId, 0), 1);
        EXPECT_EQ("", faceAtNotification);
        // The release answers the state and undoes nothing, wherever it is.
        EXPECT_EQ(expected, SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(0xFFF0, 4)));
        EXPECT_NE(button, GetCapture());
        EXPECT_EQ("", Differs(button, faces_[expected]));
        recorder().clear();
    }
    // A right click is left to the default handling: no step, no drawing,
    // no report.
    CoverClient(button, kBlack);
    SendMessageA(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
    SendMessageA(button, WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(0, State(button));
    EXPECT_EQ("", Differs(button, nullptr));
    PumpMessages();
    ExpectCommands(button, 0, 0);
    // A quick double click is two presses.
    DoubleClick(button);
    EXPECT_EQ(2, State(button));
    PumpMessages();
    ExpectCommands(button, MAKEWPARAM(kThreeStateId, 0), 2);
}

struct ThreeStateSetCase {
    WPARAM request;
    int kept;  // the state kept and shown
    int next;  // after one press
};

class ThreeStateSetCheckTest : public ThreeStateTest, public ::testing::WithParamInterface<ThreeStateSetCase> {};

TEST_P(ThreeStateSetCheckTest, KeepsAStateOfTheRingDrawsItAtOnceAndNeverNotifies) {
    const ThreeStateSetCase& c = GetParam();
    HWND button = Make(1);
    CoverClient(button, kBlack);
    EXPECT_EQ(0, SendMessageA(button, BM_SETCHECK, c.request, 0));
    EXPECT_EQ(c.kept, State(button));
    EXPECT_EQ("", Differs(button, faces_[c.kept]));
    Press(button);
    EXPECT_EQ(c.next, State(button));
    EXPECT_EQ("", Differs(button, faces_[c.next]));
    PumpMessages();
    ExpectCommands(button, MAKEWPARAM(kThreeStateId, 0), 1);  // the press's only
}

// Outside the ring a state is folded in by the remainder that is never
// negative; the next press lands where (state + 1) % 3 lands in the ring.
INSTANTIATE_TEST_SUITE_P(Requests, ThreeStateSetCheckTest,
                         ::testing::Values(ThreeStateSetCase{0, 0, 1}, ThreeStateSetCase{2, 2, 0},
                                           ThreeStateSetCase{3, 0, 1}, ThreeStateSetCase{7, 1, 2},
                                           ThreeStateSetCase{static_cast<WPARAM>(-1), 2, 0},
                                           ThreeStateSetCase{static_cast<WPARAM>(-2), 1, 2},
                                           ThreeStateSetCase{0x80000000u, 1, 2}));

// ---- On/off switch -----------------------------------------------------------

constexpr int kSwitchId = 0x12345;  // above 16 bits: GWL_ID is posted whole
enum SwitchFace { kNoFace = 0, kPressedOff = 129, kReleasedOff = 130, kReleasedOn = 131, kPressedOn = 132 };

class OnOffSwitchTest : public ReadoutTest {
protected:
    void SetUp() override {
        ReadoutTest::SetUp();
        for (int a = kPressedOff; a <= kPressedOn; ++a) {
            for (int b = a + 1; b <= kPressedOn; ++b) {
                ASSERT_NE(ReadBitmap(Face(a), 40, 20), ReadBitmap(Face(b), 40, 20)) << "faces must differ";
            }
        }
    }
    HWND Make(int x = 20, int id = kSwitchId) {
        HWND control = CreateOnOffSwitch(instance(), parent(), id, x, 60);
        EXPECT_NE(nullptr, control);
        PumpMessages();
        recorder().clear();
        return control;
    }
    SkinImage Face(int id) const {
        return id == kNoFace ? SkinImage() : LoadSkinBitmap(instance(), MAKEINTRESOURCEA(id));
    }
    static LRESULT Check(HWND control) { return SendMessageA(control, BM_GETCHECK, 0, 0); }
};

TEST_F(OnOffSwitchTest, EveryCreationFetchesTheFourFacesInItsOwnOrder) {
    FreeSkinBitmaps();
    HWND bare =
        CreateWindowExA(0, "Kiv_OnOffClass", "", WS_CHILD, 0, 0, 40, 20, parent(), nullptr, instance(), nullptr);
    ASSERT_NE(nullptr, bare);
    const char* const order[] = {"#132", "#131", "#129", "#130", ""};
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_STREQ(order[slot], skinBitmapCache[slot].name) << slot;
    }
    // After the cache has been emptied, a new switch fetches them anew for
    // every switch, the first one too.
    HWND first = Make(20);
    EXPECT_EQ(40, WindowSize(first).cx);
    EXPECT_EQ(20, WindowSize(first).cy);
    EXPECT_EQ(0, Check(first));
    FreeSkinBitmaps();
    HWND second = Make(80);
    Repaint(first);
    EXPECT_EQ("", Differs(first, Face(kReleasedOff)));
    EXPECT_EQ("", Differs(second, Face(kReleasedOff)));
}

struct PressCase {
    WPARAM start;
    int pressedFace;   // from the press
    LRESULT after;     // BM_GETCHECK, already in the parent's handler
    int releasedFace;  // from the release
};

class OnOffPressTest : public OnOffSwitchTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(OnOffPressTest, ShowsThePressedFaceOfTheOldStateAndTheParentFindsTheNewOne) {
    const PressCase& c = GetParam();
    HWND control = Make();
    SendMessageA(control, BM_SETCHECK, c.start, 0);
    LRESULT checkAtNotification = -1;
    std::string faceAtNotification = "no notification";
    recorder().onNotification([&](const RecordedNotification&) {
        checkAtNotification = Check(control);
        faceAtNotification = Differs(control, Face(c.pressedFace));
    });
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ("", Differs(control, Face(c.pressedFace)));
    EXPECT_TRUE(recorder().notifications().empty()) << "posted, not sent";
    EXPECT_EQ(control, GetCapture());
    EXPECT_EQ(control, GetFocus());
    PumpMessages();
    ExpectCommands(control, kSwitchId, 1);
    EXPECT_EQ(c.after, checkAtNotification);
    EXPECT_EQ("", faceAtNotification);
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_NE(control, GetCapture());
    EXPECT_EQ("", Differs(control, Face(c.releasedFace)));
}

TEST_F(OnOffSwitchTest, AQuickDoubleClickFlipsTwiceAndPostsTwice) {
    HWND control = Make();
    CoverClient(control, kBlack);
    DoubleClick(control);
    EXPECT_EQ(0, Check(control));
    EXPECT_EQ("", Differs(control, Face(kReleasedOff)));
    PumpMessages();
    ExpectCommands(control, kSwitchId, 2);
}

INSTANTIATE_TEST_SUITE_P(States, OnOffPressTest,
                         ::testing::Values(PressCase{0, kPressedOff, 1, kReleasedOn},
                                           PressCase{1, kPressedOn, 0, kReleasedOff}));

// Steps over two switches, A and B, both painted black before each step, so
// a face shows only where the step drew one.
struct SwitchStep {
    const char* what;
    int target;  // 0: A, 1: B
    UINT message;
    WPARAM wParam;
    int x, y;
    int faceA, faceB;
};

const SwitchStep kSwitchSteps[] = {
    {"press A", 0, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5, kPressedOff, kNoFace},
    {"move within A", 0, WM_MOUSEMOVE, MK_LBUTTON, 39, 19, kNoFace, kNoFace},
    {"leave A to the left", 0, WM_MOUSEMOVE, MK_LBUTTON, -3, 5, kReleasedOn, kNoFace},
    {"outside again: seen already", 0, WM_MOUSEMOVE, MK_LBUTTON, 60, 5, kNoFace, kNoFace},
    {"release A outside", 0, WM_LBUTTONUP, 0, 90, 50, kReleasedOn, kNoFace},
    {"one flag serves B too", 1, WM_MOUSEMOVE, MK_LBUTTON, -3, -3, kNoFace, kNoFace},
    {"press B", 1, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5, kNoFace, kPressedOff},
    {"no key flags", 1, WM_MOUSEMOVE, 0, 50, 5, kNoFace, kNoFace},
    {"any key flag", 1, WM_MOUSEMOVE, MK_SHIFT, 5, 20, kNoFace, kReleasedOn},
    {"press A again", 0, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5, kPressedOn, kNoFace},
    {"leave A upward", 0, WM_MOUSEMOVE, MK_LBUTTON, 5, -1, kReleasedOff, kNoFace},
    {"release A", 0, WM_LBUTTONUP, 0, 5, 5, kReleasedOff, kNoFace},
    {"right click A", 0, WM_RBUTTONDOWN, MK_RBUTTON, 5, 5, kNoFace, kNoFace},
    {"right release A", 0, WM_RBUTTONUP, 0, 5, 5, kNoFace, kNoFace},
    {"a key on A", 0, WM_KEYDOWN, VK_SPACE, 0, 0, kNoFace, kNoFace},
    {"set A to 2: kept", 0, BM_SETCHECK, 2, 0, 0, kReleasedOff, kNoFace},
    {"set B off", 1, BM_SETCHECK, 0, 0, 0, kNoFace, kReleasedOff},
    {"set A on", 0, BM_SETCHECK, 1, 0, 0, kReleasedOn, kNoFace},
};

TEST_F(OnOffSwitchTest, TheFirstMoveOutsideShowsTheReleasedFaceOfTheNewStateOnce) {
    HWND switches[2] = {Make(20, kSwitchId), Make(100, kSwitchId)};
    for (const SwitchStep& step : kSwitchSteps) {
        SCOPED_TRACE(step.what);
        CoverClient(switches[0], kBlack);
        CoverClient(switches[1], kBlack);
        const LPARAM where = MAKELPARAM(static_cast<WORD>(step.x), static_cast<WORD>(step.y));
        EXPECT_EQ(0, SendMessageA(switches[step.target], step.message, step.wParam, where));
        EXPECT_EQ("", Differs(switches[0], Face(step.faceA)));
        EXPECT_EQ("", Differs(switches[1], Face(step.faceB)));
    }
    EXPECT_EQ(1, Check(switches[0]));
    EXPECT_EQ(0, Check(switches[1]));
    PumpMessages();
    EXPECT_EQ(3u, recorder().notifications().size()) << "one per press, none for BM_SETCHECK";
}

// ---- Bitmap list -------------------------------------------------------------

constexpr int kListId = 0x14321;  // above 16 bits: posted whole
const SIZE kPictureSizes[4] = {{20, 10}, {30, 12}, {24, 16}, {10, 8}};

class BitmapListTest : public ReadoutTest {
protected:
    HWND Make(int index, int x = 20) {
        for (int i = 0; i < 4; ++i) pictures_[i] = Solid(kPictureSizes[i].cx, kPictureSizes[i].cy, kColours[i]);
        HWND list = CreateBitmapList(instance(), parent(), kListId, x, 120, pictures_, 4, index);
        EXPECT_NE(nullptr, list);
        PumpMessages();
        recorder().clear();
        return list;
    }
    static LRESULT Index(HWND list) { return SendMessageA(list, SBM_GETPOS, 0, 0); }
    // Picture `index` at its own size over a black control: the rest of the
    // client area is not drawn.
    static std::string DiffersFromPicture(HWND list, int index) {
        PixelImage expected = SolidImage(30, 16, kBlack);
        for (int y = 0; y < kPictureSizes[index].cy; ++y) {
            for (int x = 0; x < kPictureSizes[index].cx; ++x) expected.pixels[y * 30 + x] = kColours[index];
        }
        return FirstDifference(CaptureClient(list), expected);
    }

    SkinImage pictures_[4] = {};
};

TEST_F(BitmapListTest, StartsAtItsIndexAtTheSizeOfItsLargestPicture) {
    HWND list = Make(2);
    EXPECT_EQ(30, WindowSize(list).cx);
    EXPECT_EQ(16, WindowSize(list).cy);
    EXPECT_EQ(2, Index(list));
    Repaint(list);
    EXPECT_EQ("", DiffersFromPicture(list, 2));
    EXPECT_EQ(3, Index(Make(9, 80))) << "a first index is held inside the list";
    EXPECT_EQ(0, Index(Make(-4, 140)));
}

struct ListMoveCase {
    const char* what;
    int start;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int expected;
    bool notifies;
};

class BitmapListMoveTest : public BitmapListTest, public ::testing::WithParamInterface<ListMoveCase> {};

TEST_P(BitmapListMoveTest, MovesDrawsAtOnceAndNotifiesEveryPressAndNotch) {
    const ListMoveCase& c = GetParam();
    SCOPED_TRACE(c.what);
    HWND list = Make(c.start);
    const HWND focus = GetFocus();
    CoverClient(list, kBlack);
    EXPECT_EQ(0, SendMessageA(list, c.message, c.wParam, c.lParam));
    EXPECT_EQ(c.expected, Index(list));
    EXPECT_EQ("", DiffersFromPicture(list, c.expected));
    EXPECT_TRUE(recorder().notifications().empty()) << "posted, not sent";
    EXPECT_NE(list, GetCapture()) << "no capture";
    EXPECT_EQ(focus, GetFocus()) << "no focus taken";
    PumpMessages();
    ExpectCommands(list, kListId, c.notifies ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, BitmapListMoveTest,
    ::testing::Values(ListMoveCase{"left press", 2, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3), 3, true},
                      ListMoveCase{"left at the last", 3, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3), 3, true},
                      ListMoveCase{"right press", 2, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3), 1, true},
                      ListMoveCase{"right at the first", 0, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3), 0, true},
                      ListMoveCase{"wheel away", 2, WM_MOUSEWHEEL, Wheel(WHEEL_DELTA), 0, 1, true},
                      ListMoveCase{"wheel toward", 2, WM_MOUSEWHEEL, Wheel(-WHEEL_DELTA), 0, 3, true},
                      ListMoveCase{"wheel unturned", 2, WM_MOUSEWHEEL, Wheel(0), 0, 3, true},
                      ListMoveCase{"big turn, one notch", 2, WM_MOUSEWHEEL, Wheel(3 * WHEEL_DELTA), 0, 1, true},
                      ListMoveCase{"away at the first", 0, WM_MOUSEWHEEL, Wheel(WHEEL_DELTA), 0, 0, true},
                      ListMoveCase{"set the first", 2, SBM_SETPOS, 0, 0, 0, false},
                      ListMoveCase{"set past the last", 1, SBM_SETPOS, 4, 0, 3, false},
                      ListMoveCase{"set far past", 1, SBM_SETPOS, 0x7FFFFFFF, 0, 3, false},
                      ListMoveCase{"set below", 2, SBM_SETPOS, static_cast<WPARAM>(-1), 0, 0, false},
                      ListMoveCase{"set, lParam", 0, SBM_SETPOS, 2, 0x5678, 2, false}));

TEST_F(BitmapListTest, AQuickDoubleClickIsTwoPresses) {
    HWND list = Make(1);
    DoubleClick(list);
    EXPECT_EQ(3, Index(list));
    EXPECT_EQ("", FirstDifference(Crop(CaptureClient(list), 0, 0, 10, 8), SolidImage(10, 8, kColours[3])));
    PumpMessages();
    ExpectCommands(list, kListId, 2);
}

TEST_F(BitmapListTest, KeepsItsOwnCopyOfTheListAndFreesOnlyThat) {
    SkinImage given[2] = {Solid(12, 6, kColours[5]), Solid(12, 6, kColours[6])};
    HWND list = CreateBitmapList(instance(), parent(), kListId, 200, 120, given, 2, 0);
    ASSERT_NE(nullptr, list);
    given[0] = given[1] = SkinImage();  // the creator's array is gone
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ("", FirstDifference(CaptureClient(list), SolidImage(12, 6, kColours[6])));

    HBITMAP picture = Solid(4, 4, kBlack);
    std::vector<SkinImage> many(500, SkinImage(picture));
    auto cycle = [&] { DestroyWindow(CreateBitmapList(instance(), parent(), kListId, 0, 0, many.data(), 500, 0)); };
    for (int i = 0; i < 3; ++i) cycle();
    // Now and then the system's own bookkeeping takes a block or a few in a
    // round of twenty; a leak grows in every round, so one exact round in
    // three is enough.
    HeapInUse before = {}, after = {};
    for (int round = 0; round < 3; ++round) {
        before = MeasureHeapInUse();
        for (int i = 0; i < 20; ++i) cycle();
        after = MeasureHeapInUse();
        if (after.blocks == before.blocks && after.bytes == before.bytes) break;
    }
    EXPECT_EQ(before.blocks, after.blocks);
    EXPECT_EQ(before.bytes, after.bytes) << "each list keeps 10000 bytes of pictures";
    EXPECT_EQ(OBJ_BITMAP, static_cast<int>(GetObjectType(picture))) << "the pictures stay their owner's";

    EXPECT_EQ(nullptr, CreateBitmapList(instance(), parent(), kListId, 0, 0, many.data(), 0, 0));
    EXPECT_EQ(nullptr, CreateBitmapList(instance(), parent(), kListId, 0, 0, nullptr, 3, 0));
}

TEST_F(BitmapListTest, TakesTheFocusOnHoverOnlyWhileItsParentIsInFront) {
    HWND list = Make(0);
    HWND other = Make(0, 200);
    ASSERT_TRUE(PumpUntil([] { return GetForegroundWindow() == parent(); }));
    SetFocus(other);
    SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(list, GetFocus());

    HWND front = CreateWindowExA(0, "STATIC", "front", WS_POPUP | WS_VISIBLE, 800, 600, 40, 40, nullptr, nullptr,
                                 instance(), nullptr);
    ASSERT_NE(nullptr, front);
    SetForegroundWindow(front);
    ASSERT_TRUE(PumpUntil([front] { return GetForegroundWindow() == front; }));
    SendMessageA(other, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_NE(other, GetFocus());
    DestroyWindow(front);
    SetForegroundWindow(parent());
    PumpUntil([] { return GetForegroundWindow() == parent(); });
}

// ---- Bitmap gauge -------------------------------------------------------------

constexpr COLORREF kFilled = RGB(110, 150, 176);
constexpr COLORREF kEmpty = RGB(191, 199, 207);

struct Span {
    int from, to;  // inclusive
    COLORREF colour;
};

struct GaugeCase {
    int position;
    LPARAM lParam;
    std::vector<Span> inside;  // every row but the outlined top and bottom
};

class BitmapGaugeTest : public ReadoutTest, public ::testing::WithParamInterface<GaugeCase> {
protected:
    HWND Make(int position, int y) {
        HWND gauge = CreateBitmapGauge(instance(), parent(), 0x2500, 20, y, 200, 12, position);
        EXPECT_NE(nullptr, gauge);
        PumpMessages();
        return gauge;
    }
    static PixelImage Expected(const std::vector<Span>& inside) {
        PixelImage image = SolidImage(200, 12, kBlack);
        for (int y = 1; y < 11; ++y) {
            for (const Span& span : inside) {
                for (int x = span.from; x <= span.to; ++x) image.pixels[y * 200 + x] = span.colour;
            }
        }
        return image;
    }
};

TEST_P(BitmapGaugeTest, DrawsTheFilledAndTheEmptyPartWhereThePositionPutsThem) {
    const GaugeCase& c = GetParam();
    HWND gauge = Make(50, 200);
    CoverClient(gauge, kBlack);
    EXPECT_EQ(0, SendMessageA(gauge, SBM_SETPOS, static_cast<WPARAM>(c.position), c.lParam));
    EXPECT_EQ("", FirstDifference(CaptureClient(gauge), Expected(c.inside)));
    Repaint(gauge);
    EXPECT_EQ("", FirstDifference(CaptureClient(gauge), Expected(c.inside)));
    EXPECT_EQ("", FirstDifference(CaptureClient(Make(c.position, 220)), Expected(c.inside))) << "from its creator";
}

// Each part is a rectangle outlined in black; the empty part starts one
// pixel left of the filled part's right edge, so they share that outline.
INSTANTIATE_TEST_SUITE_P(
    Positions, BitmapGaugeTest,
    ::testing::Values(
        GaugeCase{0, 0, {{0, 198, kEmpty}, {199, 199, kBlack}}},  // the empty part from -1
        GaugeCase{33, 0, {{0, 0, kBlack}, {1, 64, kFilled}, {65, 65, kBlack}, {66, 198, kEmpty}, {199, 199, kBlack}}},
        GaugeCase{33,
                  0x7FFF0000,
                  {{0, 0, kBlack}, {1, 64, kFilled}, {65, 65, kBlack}, {66, 198, kEmpty}, {199, 199, kBlack}}},
        GaugeCase{100, 0, {{0, 0, kBlack}, {1, 198, kFilled}, {199, 199, kBlack}}},  // the empty part: one outline
        GaugeCase{-10, 0, {{0, 198, kEmpty}, {199, 199, kBlack}}},                   // filled -20..0, empty from -21
        GaugeCase{150, 0, {{0, 0, kBlack}, {1, 199, kFilled}}},                      // filled 0..300, empty beyond
        GaugeCase{INT_MAX, 0, {{0, 0, kBlack}, {1, 199, kFilled}}},
        GaugeCase{INT_MIN, 0, {{0, 198, kEmpty}, {199, 199, kBlack}}}));

TEST_F(ReadoutTest, AGaugeShowsZeroUntilItsCreatorWrites) {
    HWND gauge = CreateWindowExA(0, "Kiv_BmpGageClass", "", WS_CHILD | WS_VISIBLE, 20, 200, 200, 12, parent(), nullptr,
                                 instance(), nullptr);
    ASSERT_NE(nullptr, gauge);
    Repaint(gauge);
    const PixelImage shown = CaptureClient(gauge);
    EXPECT_EQ(kEmpty, shown.at(1, 6));
    EXPECT_EQ(kBlack, shown.at(199, 6));
}

// ---- Digit display ------------------------------------------------------------

struct DigitCase {
    int value;
    LPARAM lParam;
    int left, middle, right;
};

class DigitDisplayTest : public ReadoutTest, public ::testing::WithParamInterface<DigitCase> {
protected:
    HWND Make() {
        owned_.push_back(StripBitmap(10, 6, 7, kColours));
        HWND display = CreateDigitDisplay(instance(), parent(), 0x2600, 40, 240, owned_.back());
        EXPECT_NE(nullptr, display);
        PumpMessages();
        return display;
    }
    // Three 6 x 7 cells side by side, each the colour of its digit's cell.
    static PixelImage Cells(int left, int middle, int right) {
        const int digits[3] = {left, middle, right};
        PixelImage image = SolidImage(18, 7, kBlack);
        for (int i = 0; i < 18 * 7; ++i) image.pixels[i] = kColours[digits[i % 18 / 6]];
        return image;
    }
};

TEST_F(DigitDisplayTest, ANewDisplayShows359At18By7) {
    HWND display = Make();
    EXPECT_EQ(18, WindowSize(display).cx);
    EXPECT_EQ(7, WindowSize(display).cy);
    EXPECT_EQ("", FirstDifference(CaptureClient(display), Cells(3, 5, 9)));
}

TEST_P(DigitDisplayTest, ShowsThreeDigitsWithLeadingZerosAtOnce) {
    const DigitCase& c = GetParam();
    HWND display = Make();
    CoverClient(display, kBlack);
    EXPECT_EQ(0, SendMessageA(display, SBM_SETPOS, static_cast<WPARAM>(c.value), c.lParam));
    EXPECT_EQ("", FirstDifference(CaptureClient(display), Cells(c.left, c.middle, c.right)));
    Repaint(display);
    EXPECT_EQ("", FirstDifference(CaptureClient(display), Cells(c.left, c.middle, c.right)));
}

// Outside 0 to 999 the display stops at its ends: 000 below, 999 above.
INSTANTIATE_TEST_SUITE_P(Values, DigitDisplayTest,
                         ::testing::Values(DigitCase{0, 0, 0, 0, 0}, DigitCase{7, 0, 0, 0, 7},
                                           DigitCase{42, 0x1234, 0, 4, 2}, DigitCase{999, 0, 9, 9, 9},
                                           DigitCase{180, 0, 1, 8, 0}, DigitCase{1000, 0, 9, 9, 9},
                                           DigitCase{-5, 0, 0, 0, 0}, DigitCase{INT_MIN, 0, 0, 0, 0}));

TEST_F(ReadoutTest, ADigitDisplayWithoutAStripShowsThePanelBehind) {
    HWND display = CreateDigitDisplay(instance(), parent(), 0x2601, 40, 240, nullptr);
    ASSERT_NE(nullptr, display);
    CoverClient(display, kBlack);
    SendMessageA(display, SBM_SETPOS, 42, 0);
    EXPECT_EQ("", FirstDifference(CaptureClient(display), SolidImage(18, 7, NotificationRecorder::kBackground)));
}

// ---- What all five share ------------------------------------------------------

TEST_F(ReadoutTest, EraseNothingWantAllKeysAndTheReadoutsIgnoreInput) {
    const SkinImage face = Solid(8, 8, kColours[0]);
    ThreeStateButtonArgs faces = {{face, face, face}, 0};
    owned_.push_back(StripBitmap(10, 6, 7, kColours));
    const HWND controls[] = {CreateThreeStateButton(instance(), parent(), 1, 5, 5, faces),
                             CreateOnOffSwitch(instance(), parent(), 2, 25, 5),
                             CreateBitmapList(instance(), parent(), 3, 75, 5, &face, 1, 0),
                             CreateBitmapGauge(instance(), parent(), 4, 95, 5, 60, 10, 40),
                             CreateDigitDisplay(instance(), parent(), 5, 165, 5, owned_.back())};
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(nullptr, controls[i]);
        UpdateWindow(controls[i]);
        const PixelImage before = CaptureClient(controls[i]);
        HDC dc = GetDC(controls[i]);
        EXPECT_EQ(0, SendMessageA(controls[i], WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
        ReleaseDC(controls[i], dc);
        EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(controls[i], WM_GETDLGCODE, 0, 0));
        if (i >= 3) {  // the gauge and the digit display take no input at all
            SendMessageA(controls[i], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            SendMessageA(controls[i], WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
            SendMessageA(controls[i], WM_MOUSEWHEEL, Wheel(WHEEL_DELTA), 0);
            SendMessageA(controls[i], WM_KEYDOWN, VK_UP, 0);
            EXPECT_EQ("", FirstDifference(CaptureClient(controls[i]), before));
        }
    }
    PumpMessages();
    EXPECT_TRUE(recorder().notifications().empty());
}

}  // namespace
}  // namespace wintest
