// The static bitmap: its picture, replacing it by name with WM_SETICON, and
// what it shows without one.
#include "controls/static_bitmap.h"

#include <cstring>

#include "controls/toolkit_frame.h"

#include "support/gui_object_counts.h"
#include "support/pixel_checks.h"
#include "support/toolkit_fixture.h"

namespace wintest {
namespace {

constexpr int kStaticId = 0x2042;

class StaticBitmapTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        label_ = CreateStaticBitmap(instance(), parent(), kStaticId, 40, 50, "id1");
        ASSERT_NE(nullptr, label_);
        UpdateWindow(label_);
        PumpMessages();
    }

    PixelImage Picture(const char* name) const {
        RECT client;
        GetClientRect(label_, &client);
        return ReadBitmap(LoadSkinBitmap(instance(), name), client.right, client.bottom);
    }
    SIZE WindowSize() const {
        RECT window;
        GetWindowRect(label_, &window);
        return SIZE{window.right - window.left, window.bottom - window.top};
    }
    void Blacken() const {
        HDC dc = GetDC(label_);
        RECT client;
        GetClientRect(label_, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(label_, dc);
    }
    LRESULT SetPicture(const char* name) const {
        return SendMessageA(label_, WM_SETICON, 0, reinterpret_cast<LPARAM>(name));
    }

    HWND label_ = nullptr;
};

TEST_F(StaticBitmapTest, ShowsItsPictureAtThePictureSize) {
    const SkinImage picture = LoadSkinBitmap(instance(), "id1");
    ASSERT_NE(nullptr, picture.bitmap);
    EXPECT_EQ(picture.size.cx, WindowSize().cx);
    EXPECT_EQ(picture.size.cy, WindowSize().cy);
    EXPECT_TRUE(IsWindowVisible(label_));
    EXPECT_EQ(kStaticId, GetDlgCtrlID(label_));
    EXPECT_EQ("", FirstDifference(CaptureClient(label_), Picture("id1")));
    ASSERT_FALSE(Picture("id1") == Picture("id2"));
}

TEST_F(StaticBitmapTest, ACachedNameCostsNoLoadAndIsDrawnAtOnce) {
    ASSERT_NE(nullptr, LoadSkinBitmap(instance(), "id2").bitmap);
    const long objects = CountGdiObjects().count;
    Blacken();

    EXPECT_EQ(0, SetPicture("id2"));
    // No message pumped: the new picture is already on screen.
    EXPECT_EQ("", FirstDifference(CaptureClient(label_), Picture("id2")));
    EXPECT_EQ(objects, CountGdiObjects().count);
    EXPECT_TRUE(boxes().boxes().empty());
}

TEST_F(StaticBitmapTest, ANewNameIsLoadedOnceIntoTheCache) {
    const long objects = CountGdiObjects().count;
    SetPicture("id3");
    SetPicture("id4");
    SetPicture("id3");
    EXPECT_EQ(objects, CountGdiObjects().count) << "both copied into the atlas the first name made";
    int entries = 0;
    for (const SkinBitmapEntry& entry : skinBitmapCache) entries += std::strcmp(entry.name, "id3") == 0 ? 1 : 0;
    EXPECT_EQ(1, entries) << "id3 loaded once";
    EXPECT_EQ("", FirstDifference(CaptureClient(label_), Picture("id3")));
}

TEST_F(StaticBitmapTest, ALargerPictureShowsOnlyItsTopLeftPart) {
    const SIZE before = WindowSize();
    const PixelImage small = CaptureClient(label_);
    SetPicture("mainbak");
    EXPECT_EQ(before.cx, WindowSize().cx);
    EXPECT_EQ(before.cy, WindowSize().cy);
    const PixelImage shown = CaptureClient(label_);
    EXPECT_FALSE(shown == small);
    EXPECT_EQ("", FirstDifference(shown, ReadBitmap(LoadSkinBitmap(instance(), "mainbak"), before.cx, before.cy)));
}

TEST_F(StaticBitmapTest, AMissingNameShowsOneBoxAndThenThePanelBehind) {
    EXPECT_EQ(0, SetPicture("no_such_label"));
    ASSERT_EQ(1u, boxes().boxes().size());
    EXPECT_EQ("no_such_label", boxes().boxes()[0].text);
    EXPECT_EQ("NotFound", boxes().boxes()[0].caption);

    // The old picture is gone: the parent's background shows through.
    PumpMessages();
    const PixelImage shown = CaptureClient(label_);
    ASSERT_GT(shown.width, 0);
    const PixelImage background = Render(shown.width, shown.height, [](HDC dc) {
        HBRUSH brush = CreateSolidBrush(NotificationRecorder::kBackground);
        RECT all = {0, 0, 10000, 10000};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    });
    EXPECT_EQ("", FirstDifference(shown, background));

    boxes().clear();
    SetPicture("no_such_label");
    EXPECT_TRUE(boxes().boxes().empty());
    InvalidateRect(label_, nullptr, TRUE);
    UpdateWindow(label_);
    EXPECT_EQ("", FirstDifference(CaptureClient(label_), background));
}

TEST_F(StaticBitmapTest, RepaintsOnRequestAndIgnoresTheMouse) {
    Blacken();
    InvalidateRect(label_, nullptr, TRUE);
    UpdateWindow(label_);
    EXPECT_EQ("", FirstDifference(CaptureClient(label_), Picture("id1")));

    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}) {
        SendMessageA(label_, message, 0, MAKELPARAM(1, 1));
    }
    PumpMessages();
    EXPECT_TRUE(recorder().notifications().empty());
    EXPECT_EQ("", FirstDifference(CaptureClient(label_), Picture("id1")));

    EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(label_, WM_GETDLGCODE, 0, 0));
    HDC dc = GetDC(label_);
    EXPECT_EQ(0, SendMessageA(label_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    ReleaseDC(label_, dc);
}

TEST_F(StaticBitmapTest, CreationFailureReturnsNoWindow) {
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance(), nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(nullptr, CreateStaticBitmap(instance(), gone, 1, 0, 0, "id1"));
}

}  // namespace
}  // namespace wintest
