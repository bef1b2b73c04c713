// The toggle button as its parent sees it: faces on screen, notifications
// in the parent's queue, BM_GETCHECK / BM_SETCHECK.
#include "controls/toggle_button.h"

#include "support/pixel_checks.h"
#include "support/toolkit_fixture.h"

namespace wintest {
namespace {

constexpr int kToggleId = 0x1234;

class ToggleTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        onFace_ = LoadSkinBitmap(instance(), "btn_on");
        offFace_ = LoadSkinBitmap(instance(), "btn_off");
        ASSERT_NE(nullptr, onFace_.bitmap);
        ASSERT_NE(nullptr, offFace_.bitmap);
        toggle_ = CreateToggle(instance(), parent(), kToggleId, 20, 30, "btn_on", "btn_off");
        ASSERT_NE(nullptr, toggle_);
        UpdateWindow(toggle_);
        PumpMessages();
        recorder().clear();
        // The two faces must differ for the face checks to mean anything.
        ASSERT_FALSE(Face(onFace_) == Face(offFace_));
    }

    PixelImage Face(const SkinImage& face) const {
        RECT client;
        GetClientRect(toggle_, &client);
        return ReadBitmap(face, client.right, client.bottom);
    }
    bool ShowsOn() const { return CaptureClient(toggle_) == Face(onFace_); }
    bool ShowsOff() const { return CaptureClient(toggle_) == Face(offFace_); }
    LRESULT Check() const { return SendMessageA(toggle_, BM_GETCHECK, 0, 0); }
    static int CountCommands(WORD code) {
        int count = 0;
        for (const RecordedNotification& note : recorder().notifications()) {
            if (note.message == WM_COMMAND && HIWORD(note.wParam) == code) {
                ++count;
            }
        }
        return count;
    }

    SkinImage onFace_ = {};
    SkinImage offFace_ = {};
    HWND toggle_ = nullptr;
};

TEST_F(ToggleTest, StartsOffAtTheSizeOfItsOnFace) {
    RECT window;
    GetWindowRect(toggle_, &window);
    EXPECT_EQ(onFace_.size.cx, window.right - window.left);
    EXPECT_EQ(onFace_.size.cy, window.bottom - window.top);
    EXPECT_TRUE(IsWindowVisible(toggle_));
    EXPECT_EQ(0, Check());
    EXPECT_EQ(kToggleId, GetDlgCtrlID(toggle_));
    EXPECT_EQ("", FirstDifference(CaptureClient(toggle_), Face(offFace_)));
}

TEST_F(ToggleTest, APressShowsTheOnFaceBeforeTheParentHearsOfIt) {
    bool onFaceAtNotification = false;
    recorder().onNotification([&](const RecordedNotification&) { onFaceAtNotification = ShowsOn(); });

    SendMessageA(toggle_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));

    // Drawn at once, while the notification still waits in the queue.
    EXPECT_EQ("", FirstDifference(CaptureClient(toggle_), Face(onFace_)));
    EXPECT_TRUE(recorder().notifications().empty());
    EXPECT_EQ(1, Check());
    EXPECT_EQ(toggle_, GetCapture());
    EXPECT_EQ(toggle_, GetFocus());

    PumpMessages();
    ASSERT_EQ(1u, recorder().notifications().size());
    const RecordedNotification& note = recorder().notifications()[0];
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), note.message);
    EXPECT_EQ(MAKEWPARAM(kToggleId, 1), note.wParam);
    EXPECT_EQ(HandleLowWord(toggle_), note.lParam);
    EXPECT_TRUE(note.posted);
    EXPECT_TRUE(onFaceAtNotification);

    SendMessageA(toggle_, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_NE(toggle_, GetCapture());
    EXPECT_TRUE(ShowsOn());
    EXPECT_EQ(1, Check());
}

TEST_F(ToggleTest, TwoQuickClicksFlipTwiceAndPostTwice) {
    for (int click = 0; click < 2; ++click) {
        SendMessageA(toggle_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(toggle_, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(click == 0 ? 1 : 0, Check());
    }
    EXPECT_TRUE(ShowsOff());
    PumpMessages();
    EXPECT_EQ(2, CountCommands(1));
    EXPECT_EQ(2u, recorder().notifications().size());
    // No double-click style: a real double click arrives as two presses.
    EXPECT_EQ(0u, GetClassLongA(toggle_, GCL_STYLE) & CS_DBLCLKS);
}

struct SetCheckCase {
    WPARAM before;  // state set first
    WPARAM request;
    LRESULT after;
};

class ToggleSetCheckTest : public ToggleTest, public ::testing::WithParamInterface<SetCheckCase> {};

TEST_P(ToggleSetCheckTest, SetsOnlyZeroOrOneRedrawsAtOnceAndNeverNotifies) {
    const SetCheckCase& c = GetParam();
    SendMessageA(toggle_, BM_SETCHECK, c.before, 0);

    // Paint over the toggle so that only a fresh redraw can bring a face back.
    HDC dc = GetDC(toggle_);
    RECT client;
    GetClientRect(toggle_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(toggle_, dc);
    ASSERT_FALSE(ShowsOn() || ShowsOff());

    EXPECT_EQ(0, SendMessageA(toggle_, BM_SETCHECK, c.request, 0));
    EXPECT_EQ(c.after, Check());
    EXPECT_EQ("", FirstDifference(CaptureClient(toggle_), Face(c.after == 1 ? onFace_ : offFace_)));
    PumpMessages();
    EXPECT_TRUE(recorder().notifications().empty());
}

INSTANTIATE_TEST_SUITE_P(Requests, ToggleSetCheckTest,
                         ::testing::Values(SetCheckCase{0, 1, 1}, SetCheckCase{1, 0, 0}, SetCheckCase{0, 0, 0},
                                           SetCheckCase{1, 1, 1}, SetCheckCase{0, 2, 0}, SetCheckCase{1, 2, 1},
                                           SetCheckCase{1, static_cast<WPARAM>(-1), 1}));

TEST_F(ToggleTest, ARightClickPostsCodeTwoAndChangesNothing) {
    for (WPARAM state : {0u, 1u}) {
        SendMessageA(toggle_, BM_SETCHECK, state, 0);
        PumpMessages();
        recorder().clear();

        SendMessageA(toggle_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
        SendMessageA(toggle_, WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(static_cast<LRESULT>(state), Check());
        EXPECT_TRUE(state == 1 ? ShowsOn() : ShowsOff());

        PumpMessages();
        ASSERT_EQ(1u, recorder().notifications().size());
        const RecordedNotification& note = recorder().notifications()[0];
        EXPECT_EQ(static_cast<UINT>(WM_COMMAND), note.message);
        EXPECT_EQ(MAKEWPARAM(kToggleId, 2), note.wParam);
        EXPECT_EQ(HandleLowWord(toggle_), note.lParam);
        EXPECT_TRUE(note.posted);
    }
}

TEST_F(ToggleTest, PaintRequestsShowTheCurrentFace) {
    SendMessageA(toggle_, BM_SETCHECK, 1, 0);
    HDC dc = GetDC(toggle_);
    RECT client;
    GetClientRect(toggle_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(toggle_, dc);

    InvalidateRect(toggle_, nullptr, TRUE);
    UpdateWindow(toggle_);
    EXPECT_EQ("", FirstDifference(CaptureClient(toggle_), Face(onFace_)));
}

TEST_F(ToggleTest, AStateSetWhileHiddenShowsOnceTheToggleIsShown) {
    ShowWindow(toggle_, SW_HIDE);
    SendMessageA(toggle_, BM_SETCHECK, 1, 0);
    EXPECT_EQ(1, SendMessageA(toggle_, BM_GETCHECK, 0, 0));
    ShowWindow(toggle_, SW_SHOWNORMAL);
    UpdateWindow(toggle_);
    EXPECT_EQ("", FirstDifference(CaptureClient(toggle_), Face(onFace_)));
}

TEST_F(ToggleTest, AnswersDialogCodeAndErasesNothing) {
    EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(toggle_, WM_GETDLGCODE, 0, 0));
    HDC dc = GetDC(toggle_);
    EXPECT_EQ(0, SendMessageA(toggle_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    ReleaseDC(toggle_, dc);
    EXPECT_TRUE(ShowsOff());
}

TEST_F(ToggleTest, AMissingOnFaceGivesAnEmptyToggleAfterOneBox) {
    HWND empty = CreateToggle(instance(), parent(), 7, 100, 100, "no_such_face", "btn_off");
    ASSERT_NE(nullptr, empty);
    RECT window;
    GetWindowRect(empty, &window);
    EXPECT_EQ(0, window.right - window.left);
    EXPECT_EQ(0, window.bottom - window.top);
    ASSERT_EQ(1u, boxes().boxes().size());
    EXPECT_EQ("no_such_face", boxes().boxes()[0].text);
    EXPECT_EQ("NotFound", boxes().boxes()[0].caption);
    DestroyWindow(empty);
}

TEST_F(ToggleTest, CreationFailureReturnsNoWindowAndWritesNothing) {
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance(), nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(nullptr, CreateToggle(instance(), gone, 1, 0, 0, "btn_on", "btn_off"));
}

}  // namespace
}  // namespace wintest
