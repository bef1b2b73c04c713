// The card monitor of desk-sim.exe against simulated cards and a window that
// stands in for the desk: where it goes, what it draws, what its buttons
// send, that it repaints only on a change, and that painting leaves no GDI
// object behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "app/desk_messages.h"
#include "card/card_registers.h"
#include "card/card_table.h"
#include "desk_test_hooks.h"
#include "sim/card_monitor_layout.h"
#include "sim/card_monitor_win32.h"
#include "sim/sim_driver_link.h"
#include "support/gui_object_counts.h"
#include "support/message_pump.h"
#include "support/pixel_checks.h"

namespace wintest {
namespace {

struct DeskMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Records the messages the monitor sends the desk; a close only hides it.
std::vector<DeskMessage> deskMessages;

LRESULT CALLBACK StandInDeskProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE || message == kWmRoutingNotify) {
        deskMessages.push_back({message, wParam, lParam});
        return 0;
    }
    if (message == WM_POWERBROADCAST) {
        deskMessages.push_back({message, wParam, lParam});
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Counts the monitor's paints, then lets the monitor's own procedure work.
WNDPROC monitorProc = nullptr;
int paints = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++paints;
    return CallWindowProcA(monitorProc, window, message, wParam, lParam);
}

constexpr int kDeskLeft = 100;
constexpr int kDeskTop = 120;
constexpr int kDeskWidth = 2 * 339 + 6;
constexpr int kDeskHeight = 279;

class CardMonitorTest : public ::testing::Test {
protected:
    // One monitor for the suite: Wine without a window manager takes seconds
    // to destroy a top-level window.
    static void SetUpTestSuite() {
        driver_ = new SimDriverLink(0x5);  // driver indices 0 and 2
        SetDriverLink(driver_);
        DiscoverCards();
        WNDCLASSA deskClass = {};
        deskClass.lpfnWndProc = StandInDeskProc;
        deskClass.hInstance = GetModuleHandleA(nullptr);
        deskClass.lpszClassName = "CardMonitorTestDesk";
        RegisterClassA(&deskClass);
        desk_ = CreateWindowExA(0, "CardMonitorTestDesk", "desk", WS_POPUP, kDeskLeft, kDeskTop, kDeskWidth,
                                kDeskHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        monitor_ = CreateCardMonitor(GetModuleHandleA(nullptr), desk_, driver_);
        if (monitor_ != nullptr) {
            monitorProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(monitor_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
        }
        PumpMessages();
    }
    static void TearDownTestSuite() {
        DestroyCardMonitor(GetModuleHandleA(nullptr), monitor_);
        DestroyWindow(desk_);
        UnregisterClassA("CardMonitorTestDesk", GetModuleHandleA(nullptr));
        ResetCardTableForTest();
        SetDriverLink(nullptr);
        delete driver_;
        PumpMessages();
    }

    void SetUp() override {
        ASSERT_NE(monitor_, nullptr);
        ShowWindow(monitor_, SW_SHOWNOACTIVATE);
        Settle();
        deskMessages.clear();
    }

    // Lets the monitor poll and paint until nothing is left to do.
    static void Settle() {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 250) {
            if (PumpMessages() == 0) Sleep(5);
        }
        UpdateWindow(monitor_);
    }

    static int GridColumns() {
        RECT client;
        GetClientRect(monitor_, &client);
        return (client.right - kMonitorMargin) / (kCardStripWidth + kMonitorMargin);
    }

    // A click in the middle of button `index` of a card's strip.
    static void ClickButton(int card, int index, bool releaseOutside = false) {
        const MonitorRect strip = CardStripRect(card, GridColumns());
        const MonitorRect& r = CardStripButtons()[index].rect;
        const int x = strip.left + (r.left + r.right) / 2;
        const int y = strip.top + (r.top + r.bottom) / 2;
        SendMessageA(monitor_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        const int upX = releaseOutside ? strip.left + 2 : x;
        const int upY = releaseOutside ? strip.top + 2 : y;
        SendMessageA(monitor_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(upX, upY));
        SendMessageA(monitor_, WM_LBUTTONUP, 0, MAKELPARAM(upX, upY));
        PumpMessages();
    }

    // A click on the footer's standby button.
    static void ClickStandby(bool releaseOutside = false) {
        const MonitorRect r = StandbyButtonRect(2, GridColumns());
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        SendMessageA(monitor_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        const int upX = releaseOutside ? r.left - 4 : x;
        SendMessageA(monitor_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(upX, y));
        SendMessageA(monitor_, WM_LBUTTONUP, 0, MAKELPARAM(upX, y));
        PumpMessages();
    }

    static std::vector<WPARAM> PowerEvents() {
        std::vector<WPARAM> events;
        for (const DeskMessage& m : deskMessages) {
            if (m.message == WM_POWERBROADCAST) events.push_back(m.wParam);
        }
        return events;
    }

    static int ButtonIndex(MonitorButtonKind kind, int set, int row) {
        const std::vector<MonitorButton>& buttons = CardStripButtons();
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (buttons[i].kind == kind &&
                (kind == MonitorButtonKind::UnitPlug || (buttons[i].set == set && buttons[i].row == row))) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    // Green of a lamp's lens: the lamp of the strip's left column at row
    // top `rowTop` (the digital input lamps sit at 50 and 64).
    static int LampGreen(int card, int rowTop) {
        const MonitorRect strip = CardStripRect(card, GridColumns());
        HDC dc = GetDC(monitor_);
        const COLORREF colour = GetPixel(dc, strip.left + 10 + 6, strip.top + rowTop + 8);
        ReleaseDC(monitor_, dc);
        return GetGValue(colour);
    }

    static SimDriverLink* driver_;
    static HWND desk_;
    static HWND monitor_;
};

SimDriverLink* CardMonitorTest::driver_ = nullptr;
HWND CardMonitorTest::desk_ = nullptr;
HWND CardMonitorTest::monitor_ = nullptr;

TEST_F(CardMonitorTest, StandsBesideTheDeskWithItsTitle) {
    char title[128] = {};
    GetWindowTextA(monitor_, title, sizeof title);
    EXPECT_STREQ(title, "TaraDock-20 Card Monitor (simulated)");

    RECT monitor;
    GetWindowRect(monitor_, &monitor);
    const MonitorRect tallDesk = {kDeskLeft, kDeskTop, kDeskLeft + kDeskWidth, kDeskTop + kDeskHeight + 100};
    EXPECT_FALSE(Intersects({monitor.left, monitor.top, monitor.right, monitor.bottom}, tallDesk))
        << "the monitor covers the desk's panel";

    RECT client;
    GetClientRect(monitor_, &client);
    const MonitorSize size = MonitorClientSize(2, GridColumns());
    EXPECT_EQ(client.right, size.width);
    EXPECT_EQ(client.bottom, size.height);
}

TEST_F(CardMonitorTest, RoutingButtonsPostTheDriversNotificationToTheDesk) {
    ClickButton(1, ButtonIndex(MonitorButtonKind::RouteOn, 0, 2));
    ClickButton(0, ButtonIndex(MonitorButtonKind::RouteOff, 1, 3));
    ClickButton(1, ButtonIndex(MonitorButtonKind::RouteOn, 1, 0));
    PumpMessages();
    ASSERT_EQ(deskMessages.size(), 3u);
    // wParam: row, then set in the high word; lParam: on/off, then the column.
    EXPECT_EQ(deskMessages[0].message, kWmRoutingNotify);
    EXPECT_EQ(deskMessages[0].wParam, static_cast<WPARAM>(0x00000002));
    EXPECT_EQ(deskMessages[0].lParam, static_cast<LPARAM>(0x00010001));
    EXPECT_EQ(deskMessages[1].wParam, static_cast<WPARAM>(0x00010003));
    EXPECT_EQ(deskMessages[1].lParam, static_cast<LPARAM>(0x00000000));
    EXPECT_EQ(deskMessages[2].wParam, static_cast<WPARAM>(0x00010000));
    EXPECT_EQ(deskMessages[2].lParam, static_cast<LPARAM>(0x00010001));
}

TEST_F(CardMonitorTest, AButtonLetGoElsewhereDoesNothing) {
    ClickButton(0, ButtonIndex(MonitorButtonKind::RouteOn, 0, 0), true);
    ClickButton(0, ButtonIndex(MonitorButtonKind::UnitPlug, 0, 0), true);
    ClickStandby(true);
    PumpMessages();
    EXPECT_TRUE(deskMessages.empty());
    EXPECT_TRUE(driver_->CardInColumn(0).State().unit.present);
}

TEST_F(CardMonitorTest, UnitButtonUnplugsAndReplugsOnlyItsCard) {
    const int plug = ButtonIndex(MonitorButtonKind::UnitPlug, 0, 0);
    ClickButton(1, plug);
    EXPECT_FALSE(driver_->CardInColumn(1).State().unit.present);
    EXPECT_TRUE(driver_->CardInColumn(0).State().unit.present);
    ClickButton(1, plug);
    EXPECT_TRUE(driver_->CardInColumn(1).State().unit.present);
}

// Before the standby the machine asks and tells every window at once; it
// wakes a moment later, so that the cards can be seen on their defaults.
TEST_F(CardMonitorTest, StandbyButtonPutsTheMachineThroughAStandbyAndAResume) {
    ClickStandby();
    EXPECT_EQ(PowerEvents(), (std::vector<WPARAM>{PBT_APMQUERYSUSPEND, PBT_APMSUSPEND}));
    const DWORD asleepAt = GetTickCount();
    ClickStandby();
    EXPECT_EQ(PowerEvents().size(), 2u) << "a press while asleep started another standby";

    while (PowerEvents().size() < 4 && GetTickCount() - asleepAt < 10000) {
        if (PumpMessages() == 0) Sleep(10);
    }
    EXPECT_EQ(PowerEvents(),
              (std::vector<WPARAM>{PBT_APMQUERYSUSPEND, PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND}));
    EXPECT_GE(GetTickCount() - asleepAt, 1500u) << "woken too soon to see the cards asleep";
}

TEST_F(CardMonitorTest, LampsFollowWhatTheCardReceived) {
    SetCardControl(CardAt(1), 0, 1);  // coaxial
    Settle();
    EXPECT_GT(LampGreen(1, 50), 180) << "coaxial lamp";
    EXPECT_LT(LampGreen(1, 64), 100) << "optical lamp";
    SetCardControl(CardAt(1), 0, 2);  // optical
    Settle();
    EXPECT_LT(LampGreen(1, 50), 100) << "coaxial lamp";
    EXPECT_GT(LampGreen(1, 64), 180) << "optical lamp";
    EXPECT_LT(LampGreen(0, 50), 100) << "the other card's coaxial lamp";
}

TEST_F(CardMonitorTest, RepaintsOnlyWhenACardChanges) {
    Settle();
    paints = 0;
    Settle();
    Settle();
    EXPECT_EQ(paints, 0) << "nothing changed, yet the monitor painted";

    SetCardControl(CardAt(0), 2, 2);
    Settle();
    EXPECT_GE(paints, 1) << "the card changed, yet the monitor did not paint";
}

TEST_F(CardMonitorTest, PaintingLeavesNoGdiObjectBehind) {
    for (int i = 0; i < 5; ++i) {
        InvalidateRect(monitor_, nullptr, FALSE);
        UpdateWindow(monitor_);
    }
    const GuiObjectCount before = CountGdiObjects();
    ASSERT_GE(before.count, 0) << CountMethodName(before.method);
    const int plug = ButtonIndex(MonitorButtonKind::UnitPlug, 0, 0);
    for (int i = 0; i < 200; ++i) {
        SetCardControl(CardAt(i % 2), 3, static_cast<uint32_t>(i));
        SendUnitByte(CardAt(i % 2), 0xC1 + i % 4);
        if (i % 50 == 0) ClickButton(0, plug);  // the strip drawn with its unit unplugged, and back
        InvalidateRect(monitor_, nullptr, FALSE);
        UpdateWindow(monitor_);
    }
    Settle();
    EXPECT_TRUE(driver_->CardInColumn(0).State().unit.present) << "unplugged and replugged twice";
    const GuiObjectCount after = CountGdiObjects();
    EXPECT_EQ(after.count, before.count) << CountMethodName(after.method);
}

// The monitor polls every 100 ms; a full repaint must take less, or it
// would fall behind a running generator. (It takes about 5 ms; the bound is
// the poll itself, so that a loaded machine does not fail the test.)
TEST_F(CardMonitorTest, AFullRepaintTakesAFractionOfThePoll) {
    constexpr int kPaints = 50;
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kPaints; ++i) {
        InvalidateRect(monitor_, nullptr, FALSE);
        UpdateWindow(monitor_);
    }
    QueryPerformanceCounter(&end);
    const double ms =
        1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) / kPaints;
    std::printf("full repaint of a two-card monitor: %.2f ms\n", ms);
    EXPECT_LT(ms, 100.0);
}

// Another program may post the monitor any message of the application
// range, with any parameters: none moves it, changes its notice or stops it.
TEST_F(CardMonitorTest, TakesNoApplicationMessageFromAnotherProgram) {
    const PixelImage plain = CaptureClient(monitor_);
    ShowMonitorNotice(monitor_, "The simulated driver took the option.");
    UpdateWindow(monitor_);
    const PixelImage noticed = CaptureClient(monitor_);
    ASSERT_NE(plain, noticed) << "the notice is not shown";
    RECT placed, now;
    GetWindowRect(monitor_, &placed);
    SetWindowPos(monitor_, nullptr, placed.left + 9, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (UINT message = WM_APP; message < WM_APP + 8; ++message) {
        for (LPARAM parameter : {LPARAM{0}, LPARAM{1}, static_cast<LPARAM>(0xFFFF0000u)})
            PostMessageA(monitor_, message, static_cast<WPARAM>(parameter), parameter);
    }
    Settle();
    GetWindowRect(monitor_, &now);
    EXPECT_EQ(now.left, placed.left + 9) << "placed again";
    EXPECT_EQ("", FirstDifference(CaptureClient(monitor_), noticed));
    SetWindowPos(monitor_, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// After a change of the screen or its work area the monitor is placed beside
// the desk again, once: then it stays where the user moves it.
TEST_F(CardMonitorTest, PlacedAgainOnceAfterAChangeOfTheScreen) {
    RECT placed, now;
    GetWindowRect(monitor_, &placed);
    for (const UINT message : {WM_DISPLAYCHANGE, WM_SETTINGCHANGE}) {
        SetWindowPos(monitor_, nullptr, placed.left + 9, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(monitor_, message, message == WM_SETTINGCHANGE ? SPI_SETWORKAREA : 32, MAKELPARAM(1600, 1000));
        Settle();
        GetWindowRect(monitor_, &now);
        EXPECT_EQ(now.left, placed.left) << "not placed again";
        SetWindowPos(monitor_, nullptr, placed.left + 9, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Settle();
        GetWindowRect(monitor_, &now);
        EXPECT_EQ(now.left, placed.left + 9) << "placed again and again";
    }
    SetWindowPos(monitor_, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(CardMonitorTest, ClosingTheMonitorEndsTheDesk) {
    SendMessageA(monitor_, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(monitor_));
    ASSERT_EQ(deskMessages.size(), 1u);
    EXPECT_EQ(deskMessages[0].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_TRUE(IsWindow(monitor_)) << "the program takes the monitor down once the desk has ended";
}

}  // namespace
}  // namespace wintest
