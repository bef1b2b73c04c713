// The real desk with three cards on an 800x600 screen: its columns wrap into
// two rows, each column moved as one block, the timecode row's controls
// hidden with the row, the view scrolled once the rows are shown, and the
// background drawn under the columns where they are, scroll included.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/desk_messages.h"
#include "app/panel_arrangement_win32.h"
#include "controls/toolkit_frame.h"
#include "desk_test_hooks.h"
#include "panel/card_panel.h"
#include "panel/card_panel_layout.h"
#include "support/desk_in_process.h"
#include "support/memory_settings_key.h"
#include "support/message_box_watcher.h"
#include "support/message_pump.h"
#include "support/pixel_checks.h"
#include "support/wine_window_manager.h"

namespace wintest {
namespace {

constexpr ScreenMetrics k800x600 = {{0, 0, 800, 600}, {0, 0, 800, 600}, {3, 22, 3, 3}, 17, 17};
constexpr ScreenMetrics k1280x1024 = {{0, 0, 1280, 1024}, {0, 0, 1280, 1024}, {3, 22, 3, 3}, 17, 17};
constexpr COLORREF kUndrawn = RGB(255, 0, 255);

// A second monitor, right of the first, that the desk's window is on.
HWND deskWindow = nullptr;
HMONITOR WINAPI SecondMonitorOf(HWND window, DWORD) { return window == deskWindow ? HMONITOR(2) : nullptr; }
HMONITOR WINAPI NoMonitor(HWND, DWORD) { return nullptr; }  // as on Windows 95, which knows of one screen
BOOL WINAPI SecondMonitorInfo(HMONITOR monitor, LPMONITORINFO info) {
    if (monitor != HMONITOR(2) || info->cbSize != sizeof *info) return FALSE;
    *info = {sizeof *info, {1280, 0, 2080, 600}, {1280, 0, 2050, 540}, 0};  // a taskbar right and below
    return TRUE;
}

// The row of the column's layout that puts the control where it is, the
// column's origin at (x0, y0): toggles and digit fields by their id, static
// bitmaps at any static row's place. Null when none does.
const PanelControlRow* LayoutRowAt(const PanelControl& control, const RECT& rect, int x0, int y0) {
    const PanelControlRow* rows = PanelLayoutRows();
    for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
        const PanelControlRow& row = rows[i];
        const bool isStatic = row.kind == ControlKind::StaticBitmap || row.kind == ControlKind::CardBadge;
        const bool same = control.kind == PanelControlKind::kStatic ? isStatic : row.baseId == control.baseId;
        if (same && rect.left == x0 + row.x && rect.top == y0 + row.y && rect.right - rect.left == row.width &&
            rect.bottom - rect.top == row.height)
            return &row;
    }
    return nullptr;
}

class PanelArrangementTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { KeepWindowsUnmanagedUnderWine(); }
    void SetUp() override {
        SetPanelScreenForTest(&k800x600);
        ASSERT_TRUE(desk.Start());
        ShowWindow(desk.window(), SW_SHOWNORMAL);
        UpdateWindow(desk.window());
        PumpMessages();
    }
    void TearDown() override {
        desk.Stop();
        SetPanelScreenForTest(nullptr);
    }

    void ShowTimecodeRows() {
        LeftClick(desk.Control(0, kBaseShowHide));
        ASSERT_EQ(SendMessageA(desk.Control(2, kBaseShowHide), BM_GETCHECK, 0, 0), 1);
    }
    int ScrollPosition() {
        SCROLLINFO info = {sizeof info, SIF_POS};
        GetScrollInfo(desk.window(), SB_VERT, &info);
        return info.nPos;
    }

    // Every control of every column at its layout place from the column's
    // cell, less the view's scroll; the timecode row's controls visible
    // exactly while the rows are shown.
    void ExpectColumnsInTheirCells(bool rowsShown, int scroll) {
        const PanelPlacement& placement = CurrentPanelPlacement();
        for (const PanelControl& control : desk.controls()) {
            const RECT rect = PlaceInClient(control.window, desk.window());
            const int x0 = placement.CardLeft(control.column);
            const int y0 = placement.CardTop(control.column) - scroll;
            const PanelControlRow* row = LayoutRowAt(control, rect, x0, y0);
            ASSERT_NE(row, nullptr) << "column " << control.column << " control " << control.baseId << " at "
                                    << rect.left << ", " << rect.top;
            EXPECT_EQ(IsWindowVisible(control.window) != FALSE, !OnTimecodeRow(*row) || rowsShown)
                << "column " << control.column << " control " << control.baseId;
        }
    }

    MemorySettingsKey key;
    LeapingClock clock;
    InProcessDesk desk{0x7, &key, &clock};
};

TEST_F(PanelArrangementTest, ColumnsMoveIntoRowsAsBlocksAndTheTimecodeRowHidesItsControls) {
    const PanelPlacement& placement = CurrentPanelPlacement();
    ASSERT_EQ(placement.cardsPerRow, 2);
    ASSERT_EQ(placement.rows, 2);
    RECT client;
    GetClientRect(desk.window(), &client);
    EXPECT_EQ(client.right, 678);
    EXPECT_EQ(client.bottom, 508);
    ExpectColumnsInTheirCells(false, 0);

    ShowTimecodeRows();
    GetClientRect(desk.window(), &client);
    EXPECT_EQ(client.right, 678);
    EXPECT_EQ(client.bottom, 575) << "the screen's height less the frame: the rest scrolls";
    ExpectColumnsInTheirCells(true, 0);

    // A scroll by the bar (to 133), the wheel (73) or a key (58) draws the
    // whole view again, the background between the moved controls too.
    for (int scroll : {133, 73, 58}) {
        CoverClient(desk.window(), kUndrawn);
        if (scroll == 133) SendMessageA(desk.window(), WM_VSCROLL, SB_BOTTOM, 0);
        if (scroll == 73) SendMessageA(desk.window(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
        if (scroll == 58) ScrollIntoView(desk.window(), desk.Control(0, kBaseCoaxial));
        PumpMessages();
        ASSERT_EQ(ScrollPosition(), scroll);
        ExpectColumnsInTheirCells(true, scroll);
        const PixelImage shown = CaptureClient(desk.window());
        EXPECT_EQ(std::count(shown.pixels.begin(), shown.pixels.end(), kUndrawn), 0) << "scrolled to " << scroll;
    }
    SendMessageA(desk.window(), WM_VSCROLL, SB_BOTTOM, 0);
    // A digit field reports its value with the same message, naming itself:
    // that is no request of the window's scroll bar.
    SendMessageA(desk.window(), WM_VSCROLL, SB_TOP, reinterpret_cast<LPARAM>(desk.Control(0, kBaseHours)));
    EXPECT_EQ(ScrollPosition(), 708 - 575);

    LeftClick(desk.Control(0, kBaseShowHide));
    EXPECT_EQ(ScrollPosition(), 0);
    ExpectColumnsInTheirCells(false, 0);
}

// A change of resolution that the window missed while minimised, and a
// change of the work area after it, are made up for when the tray restores
// it; on a second monitor the window keeps to that monitor's work area.
TEST_F(PanelArrangementTest, PlacedAgainWhenRestoredAndOnItsOwnMonitor) {
    HWND window = desk.window();
    ShowWindow(window, SW_MINIMIZE);
    SetPanelScreenForTest(&k1280x1024);
    SendMessageA(window, WM_DISPLAYCHANGE, 0, 0);
    SendMessageA(window, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    SendMessageA(window, kWmTrayNotify, 0, WM_LBUTTONDOWN);
    EXPECT_EQ(CurrentPanelPlacement().cardsPerRow, 3) << "restored in two rows on a screen wide enough for one";
    const ScreenRect fresh = PlacePanel({3, 339, 254, 100}, k1280x1024, false).window;
    EXPECT_EQ(CurrentPanelPlacement().window.left, fresh.left) << "placed as for the old screen";
    EXPECT_EQ(CurrentPanelPlacement().window.top, fresh.top);
    // Then moved by the user, hidden and shown again: kept where it is.
    SetWindowPos(window, nullptr, fresh.left - 100, fresh.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window, SW_HIDE);
    SendMessageA(window, kWmTrayNotify, 0, WM_LBUTTONDOWN);
    EXPECT_EQ(CurrentPanelPlacement().window.left, fresh.left - 100) << "placed afresh again";

    deskWindow = window;
    SetPanelScreenForTest(nullptr);
    SetMonitorFunctionsForTest(SecondMonitorOf, SecondMonitorInfo);
    SendMessageA(window, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    RECT placed;
    GetWindowRect(window, &placed);
    EXPECT_LE(std::abs((placed.left - 1280) - (2050 - placed.right)), 1) << "not centred in the work area";
    EXPECT_LE(std::abs(placed.top - (540 - placed.bottom)), 1);
    SetMonitorFunctionsForTest(NoMonitor, SecondMonitorInfo);
    const RECT screen = WindowMonitor(window).whole;
    EXPECT_TRUE(screen.left == 0 && screen.top == 0 && screen.right == GetSystemMetrics(SM_CXSCREEN) &&
                screen.bottom == GetSystemMetrics(SM_CYSCREEN));
    SetMonitorFunctionsForTest(nullptr, nullptr);
}

// What the window draws for a control that shows it through: the rows of
// backgrounds where the columns are, scrolled with them, and the place that
// no card covers filled.
TEST_F(PanelArrangementTest, TheBackgroundFollowsTheRowsAndTheScroll) {
    ShowTimecodeRows();
    SendMessageA(desk.window(), WM_VSCROLL, SB_BOTTOM, 0);
    const int scroll = ScrollPosition();
    ASSERT_GT(scroll, 0);
    HWND window = desk.window();
    const PixelImage drawn = Render(678, 575, [&](HDC dc) {
        const RECT all = {0, 0, 678, 575};
        HBRUSH undrawn = CreateSolidBrush(kUndrawn);
        FillRect(dc, &all, undrawn);
        DeleteObject(undrawn);
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const PixelImage main = ReadBitmap(LoadSkinBitmap(instance, "mainbak"), 339, 254);
    const PixelImage timecode = ReadBitmap(LoadSkinBitmap(instance, "smptebak"), 339, 100);
    // The second row of cards: card 3 under card 1, its timecode row below.
    EXPECT_EQ("", FirstDifference(Crop(drawn, 0, 354 - scroll, 339, 254), main));
    EXPECT_EQ("", FirstDifference(Crop(drawn, 0, 608 - scroll, 339, 100), timecode));
    // The first row, cut by the view's top edge.
    EXPECT_EQ("", FirstDifference(Crop(drawn, 339, 254 - scroll, 339, 100), timecode));
    // Beside card 3, where no card is: one colour, drawn.
    const PixelImage empty = Crop(drawn, 339, 354 - scroll, 339, 575 - (354 - scroll));
    EXPECT_EQ("", FirstDifference(empty, SolidImage(empty.width, empty.height, empty.at(0, 0))));
    EXPECT_NE(empty.at(0, 0), kUndrawn);

    // A label of card 3 without its bitmap shows the background under it.
    HWND label = nullptr;
    for (const PanelControl& control : desk.controls()) {
        const RECT rect = PlaceInClient(control.window, window);
        if (control.kind == PanelControlKind::kStatic && control.column == 2 && rect.left == 215 &&
            rect.top == 354 + 72 - scroll)
            label = control.window;
    }
    ASSERT_NE(label, nullptr) << "card 3's out34 label";
    MessageBoxWatcher boxes;
    SendMessageA(label, WM_SETICON, 0, reinterpret_cast<LPARAM>("no_such_label"));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ("", FirstDifference(CaptureClient(label), Crop(main, 215, 72, 72, 15)));
    SendMessageA(label, WM_SETICON, 0, reinterpret_cast<LPARAM>("out34_off"));
}

}  // namespace
}  // namespace wintest
